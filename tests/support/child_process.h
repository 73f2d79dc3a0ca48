#pragma once
// Runs a piece of a test in a forked child, for faults that end or change
// the process: killing it at a chosen point, or limiting its file size.

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace kivrel::testing {

// Starts `body` in a forked child, which ends with its result as exit code
// (112 when it throws); the caller waits for it.
inline pid_t StartChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 111;
    try {
      code = body();
    } catch (...) {
      code = 112;
    }
    ::_exit(code);
  }
  return pid;
}

// The child's wait status; `body` returns the child's exit code.
inline int RunInChild(const std::function<int()>& body) {
  const pid_t pid = StartChild(body);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

}  // namespace kivrel::testing
