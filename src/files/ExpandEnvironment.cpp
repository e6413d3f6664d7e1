#include <cstdlib>
#include <string>

#include "files/Settings.h"

namespace tarnwick {

std::string ExpandEnvironment(std::string_view text) {
  std::string result;
  std::string_view remainder = text;
  for (;;) {
    std::size_t open = remainder.find('%');
    if (open == std::string_view::npos) break;
    result += remainder.substr(0, open);
    remainder.remove_prefix(open + 1);
    std::size_t close = remainder.find('%');
    if (close == std::string_view::npos) break;  // an unpaired '%' is dropped
    std::string name(remainder.substr(0, close));
    if (!name.empty()) {
      if (const char* value = std::getenv(name.c_str())) result += value;
    }
    remainder.remove_prefix(close + 1);
  }
  result += remainder;
  return result;
}

}  // namespace tarnwick
