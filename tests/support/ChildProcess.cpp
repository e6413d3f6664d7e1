#include "support/ChildProcess.h"

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

ProcessResult RunProcess(const std::vector<std::string>& arguments, std::string_view input,
                         const std::filesystem::path& workingDir) {
  const int streams[3] = {MemoryFile(input), MemoryFile({}), MemoryFile({})};
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) Fail("fork");
  if (pid == 0) {
    if (!workingDir.empty() && chdir(workingDir.c_str()) != 0) _exit(127);
    for (int i = 0; i < 3; ++i) dup2(streams[i], i);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) Fail("waitpid");
  }
  close(streams[0]);
  return {ReadAndClose(streams[1]), ReadAndClose(streams[2]),
          WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace tarnwick::test
