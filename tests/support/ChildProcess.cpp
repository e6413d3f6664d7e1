#include "support/ChildProcess.h"

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>

namespace tarnwick::test {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + " failed: " + std::strerror(errno));
}

// The child's standard streams are anonymous files, so that it may read as little and write
// as much as it likes without waiting for us.
int MemoryFile(std::string_view contents) {
  const int fd = memfd_create("child-stdio", MFD_CLOEXEC);
  if (fd < 0) Fail("memfd_create");
  for (std::size_t done = 0; done < contents.size();) {
    const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) Fail("write");
    done += static_cast<std::size_t>(n);
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string ReadAndClose(int fd) {
  std::string text;
  char buffer[65536];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return text;
}

}  // namespace

RunningProcess::RunningProcess(const std::vector<std::string>& arguments, std::string_view input,
                               const std::filesystem::path& workingDir)
    : streams_{MemoryFile(input), MemoryFile({}), MemoryFile({})} {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_ = fork();
  if (pid_ < 0) Fail("fork");
  if (pid_ == 0) {
    if (!workingDir.empty() && chdir(workingDir.c_str()) != 0) _exit(127);
    for (int i = 0; i < 3; ++i) dup2(streams_[i], i);
    execv(argv[0], argv.data());
    _exit(127);
  }
}

RunningProcess::~RunningProcess() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  Wait();
}

void RunningProcess::Signal(int signal) const { kill(pid_, signal); }

ProcessResult RunningProcess::Wait() {
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0) {
    if (errno != EINTR) Fail("waitpid");
  }
  pid_ = -1;
  close(streams_[0]);
  return {ReadAndClose(streams_[1]), ReadAndClose(streams_[2]),
          WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

ProcessResult RunProcess(const std::vector<std::string>& arguments, std::string_view input,
                         const std::filesystem::path& workingDir) {
  return RunningProcess(arguments, input, workingDir).Wait();
}

}  // namespace tarnwick::test
