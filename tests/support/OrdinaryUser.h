#pragma once
// Permissions as an ordinary user meets them: a privileged user writes read-only files anyway.
#include <functional>

namespace tarnwick::test {

// Runs the check in this process when it is not privileged; otherwise in a child process
// that gives up its privileges (user and group "nobody") first. The folders the check uses
// must be open to that user. Returns true when the check ran without a test failure.
bool RunAsOrdinaryUser(const std::function<void()>& check);

}  // namespace tarnwick::test
