#pragma once
// Timing other programs for the benchmarks: each run in a child process, its wall time and its
// own peak memory (from wait4); the best time of a few runs, or the median of runs taken in
// turns with other programs.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick::bench {

inline constexpr int kRepeats = 3;

struct Measurement {
  double seconds = 1e300;  // best wall time
  long peakKb = 0;         // largest peak resident set
  bool failed = false;
};

struct ChildIo {
  std::string stdinPath = "/dev/null";
  std::string stdoutPath = "/dev/null";
};

inline void Redirect(const std::string& path, int flags, int target) {
  const int fd = open(path.c_str(), flags, 0644);
  if (fd < 0 || dup2(fd, target) < 0) _exit(126);
  close(fd);
}

// Runs one program to its end; its own peak memory comes from wait4.
inline bool RunOnce(const std::vector<std::string>& argv, const ChildIo& io, double& seconds,
                    long& peakKb) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    Redirect(io.stdinPath, O_RDONLY, STDIN_FILENO);
    Redirect(io.stdoutPath, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
    Redirect("/dev/null", O_WRONLY, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return false;
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  peakKb = usage.ru_maxrss;
  // tarnwick-run ends with 1 when a statement failed; the scripts here have none.
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Best of kRepeats runs; `prepare` runs before each one, outside the timing.
inline Measurement Measure(const std::vector<std::string>& argv, const ChildIo& io,
                           const std::function<void()>& prepare = {}) {
  Measurement result;
  for (int i = 0; i < kRepeats; ++i) {
    if (prepare) prepare();
    double seconds = 0;
    long peakKb = 0;
    if (!RunOnce(argv, io, seconds, peakKb)) {
      std::fprintf(stderr, "failed: %s\n", argv[0].c_str());
      result.failed = true;
      return result;
    }
    result.seconds = std::min(result.seconds, seconds);
    result.peakKb = std::max(result.peakKb, peakKb);
  }
  return result;
}

// Runs of one program taken in turns with others (round after round, so that a change in the
// machine's load falls on all of them alike): the median time and the largest peak.
struct Series {
  std::vector<double> seconds;
  long peakKb = 0;
  bool failed = false;

  void Add(bool ran, double wall, long runPeakKb) {
    failed = failed || !ran;
    seconds.push_back(wall);
    peakKb = std::max(peakKb, runPeakKb);
  }
  void Run(const std::vector<std::string>& argv, const ChildIo& io) {
    double wall = 0;
    long runPeakKb = 0;
    const bool ran = RunOnce(argv, io, wall, runPeakKb);
    Add(ran, wall, runPeakKb);
  }
  double Median() const {
    if (seconds.empty()) return 0;
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

// One row of the table: tarnwick-run's figure, the reference figure, their ratio and target.
inline void PrintRow(const char* what, double ours, double reference, double target) {
  const double ratio = reference > 0 ? ours / reference : 0;
  std::printf("%-42s %12.3f %10.3f %7.2fx %6.2fx  %s\n", what, ours, reference, ratio, target,
              ratio <= target ? "ok" : "MISSED");
}

}  // namespace tarnwick::bench
