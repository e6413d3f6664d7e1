#pragma once
// Running the tarnwick-run program from the tests.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/ChildProcess.h"

namespace tarnwick::test {

inline ProcessResult RunTarnwick(std::vector<std::string> arguments, std::string_view input = {},
                                 const std::filesystem::path& workingDir = {}) {
  arguments.insert(arguments.begin(), TARNWICK_RUN_PATH);
  return RunProcess(arguments, input, workingDir);
}

// The transcript a statement that fails with this engine message leaves (console text).
inline std::string ErrorLines(std::string_view message) {
  return "ERROR! " + std::string(message) + "\r\n\r\n";
}

}  // namespace tarnwick::test
