#include "data/ReadOnlyUri.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>

namespace tarnwick {

std::string ReadOnlyUri(const std::string& nativePath) {
  // An absolute path after "file://", so that a path beginning with "//" names no host.
  std::string uri = nativePath.starts_with('/') ? "file://" : "file:";
  for (unsigned char byte : nativePath) {
    if (std::isalnum(byte) || byte == '/' || byte == '.' || byte == '-' || byte == '_' ||
        byte >= 0x80) {
      uri += static_cast<char>(byte);
    } else {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      uri += escaped;
    }
  }
  struct stat log {};
  const bool otherWriter = stat((nativePath + "-wal").c_str(), &log) == 0 && log.st_size > 0;
  return uri + (otherWriter ? "?mode=ro" : "?mode=ro&immutable=1");
}

}  // namespace tarnwick
