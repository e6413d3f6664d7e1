#pragma once
// How the engine meets database files on the system (system paths).
#include <unistd.h>

#include <string>

namespace tarnwick {

// The name under which the engine opens a file: a path that begins with "file:" would be read
// as a URI, so it is given as "./file:...".
inline std::string EngineFileName(std::string nativePath) {
  if (nativePath.starts_with("file:")) nativePath.insert(0, "./");
  return nativePath;
}

// True when we may write the database file and its folder, where the engine keeps its journal
// and shared-memory files while the database is in use.
inline bool CanWriteDatabase(const std::string& nativePath) {
  const std::size_t slash = nativePath.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : nativePath.substr(0, slash);
  return access(nativePath.c_str(), W_OK) == 0 && access(folder.c_str(), W_OK) == 0;
}

}  // namespace tarnwick
