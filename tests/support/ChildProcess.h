#pragma once
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// What a finished program left: everything it wrote and how it ended.
struct ProcessResult {
  std::string out;
  std::string err;
  int exitStatus = -1;  // the exit code, or -1 when a signal ended the program
};

// Runs a program (arguments[0] is its path) to its end with the given bytes as standard
// input, in the given working directory (the current one when empty), and captures its
// standard output and standard error.
ProcessResult RunProcess(const std::vector<std::string>& arguments, std::string_view input = {},
                         const std::filesystem::path& workingDir = {});

}  // namespace tarnwick::test
