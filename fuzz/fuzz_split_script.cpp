// Script splitting and comment removal on any bytes: every byte of the script up to its first
// NUL lands in exactly one statement, in order, and comment removal never makes a statement
// longer nor leaves a TAB in it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/RunScript.h"
#include "console/SplitScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  std::string joined;
  tarnwick::SplitScript(script, {}, [&](std::string_view statement) {
    joined.append(statement);
    std::string stripped(statement);
    tarnwick::StripComments(stripped);
    if (stripped.size() > statement.size() || stripped.find('\t') != std::string::npos) {
      std::abort();
    }
    return true;
  });
  if (joined != script.substr(0, script.find('\0'))) std::abort();
  return 0;
}
