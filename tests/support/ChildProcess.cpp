#include "support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tarnwick::test {
namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + " failed: " + std::strerror(errno));
}

// Standard input comes from an anonymous file, so that the child may read as little of it
// as it likes without blocking us.
int InputFile(std::string_view input) {
  const int fd = memfd_create("child-stdin", MFD_CLOEXEC);
  if (fd < 0) Fail("memfd_create");
  for (std::size_t done = 0; done < input.size();) {
    const ssize_t n = write(fd, input.data() + done, input.size() - done);
    if (n < 0) Fail("write");
    done += static_cast<std::size_t>(n);
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

[[noreturn]] void ExecChild(const std::vector<std::string>& arguments, int in, int out, int err,
                            const std::filesystem::path& workingDir) {
  if (!workingDir.empty() && chdir(workingDir.c_str()) != 0) _exit(127);
  dup2(in, STDIN_FILENO);
  dup2(out, STDOUT_FILENO);
  dup2(err, STDERR_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

// Reads both pipes until the child has closed them.
void Drain(int outFd, int errFd, ProcessResult& result) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  char buffer[65536];
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      Fail("poll");
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& arguments, std::string_view input,
                         const std::filesystem::path& workingDir) {
  const int in = InputFile(input);
  int outPipe[2], errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) Fail("pipe");
  const pid_t pid = fork();
  if (pid < 0) Fail("fork");
  if (pid == 0) ExecChild(arguments, in, outPipe[1], errPipe[1], workingDir);
  close(in);
  close(outPipe[1]);
  close(errPipe[1]);
  ProcessResult result;
  Drain(outPipe[0], errPipe[0], result);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) Fail("waitpid");
  }
  result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace tarnwick::test
