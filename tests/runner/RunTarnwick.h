#pragma once
// Running the tarnwick-run program from the tests.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace tarnwick::test {

inline ProcessResult RunTarnwick(std::vector<std::string> arguments, std::string_view input = {},
                                 const std::filesystem::path& workingDir = {}) {
  arguments.insert(arguments.begin(), TARNWICK_RUN_PATH);
  return RunProcess(arguments, input, workingDir);
}

// A database a.mdb in a fresh folder, for runs of tarnwick-run on it.
struct RunnerFolder {
  TempDir dir;
  std::string db = dir.File("a.mdb");

  // Runs tarnwick-run --db <db> with the arguments.
  ProcessResult Run(std::vector<std::string> arguments, std::string_view input = {}) const {
    arguments.insert(arguments.begin(), {"--db", db});
    return RunTarnwick(arguments, input);
  }
};

}  // namespace tarnwick::test
