#pragma once
// Runs work in a forked child process and waits for it: true when the child ran it and
// work returned true.
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace orv::test {
inline bool RunInChild(const std::function<bool()>& work) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) _exit(work() ? 0 : 1);
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace orv::test
