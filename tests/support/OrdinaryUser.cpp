#include "support/OrdinaryUser.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarnwick::test {

namespace {
constexpr uid_t kNobody = 65534;
}

bool RunAsOrdinaryUser(const std::function<void()>& check) {
  if (geteuid() != 0) {
    check();
    return !::testing::Test::HasFailure();
  }
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    check();
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

}  // namespace tarnwick::test
