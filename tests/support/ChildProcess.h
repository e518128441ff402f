#pragma once
// Work in another process, for behaviour that must hold across processes.
//
// RunInChild forks: fine for code that has started no threads (the stores, the files).
// RunTestInChildProcess starts this test program again with a gtest filter, so the child
// begins from scratch: for tests that open windows (a GUI toolkit does not survive fork()).
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orv::test {

// True when the forked child ran `work` and it returned true.
inline bool RunInChild(const std::function<bool()>& work) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) _exit(work() ? 0 : 1);
  int status = 0;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The exit status of the test `testName` run in a new process (0 when it passed), or -1 when
// it could not be started. Variables in `env` are added to the child's environment.
int RunTestInChildProcess(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env);

}  // namespace orv::test
