#pragma once
#include <sys/types.h>

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

// A program (arguments[0] is its path) started with the given bytes as standard input, in
// the given working directory (the current one when empty); its standard output and standard
// error are captured. A program still running when this object goes is killed.
class RunningProcess {
 public:
  explicit RunningProcess(const std::vector<std::string>& arguments, std::string_view input = {},
                          const std::filesystem::path& workingDir = {});
  ~RunningProcess();
  RunningProcess(const RunningProcess&) = delete;
  RunningProcess& operator=(const RunningProcess&) = delete;

  void Signal(int signal) const;
  pid_t Pid() const { return pid_; }
  // Waits for the program's end.
  ProcessResult Wait();

 private:
  pid_t pid_ = -1;
  int streams_[3] = {-1, -1, -1};
};

// Runs a program to its end (see RunningProcess).
ProcessResult RunProcess(const std::vector<std::string>& arguments, std::string_view input = {},
                         const std::filesystem::path& workingDir = {});

}  // namespace tarnwick::test
