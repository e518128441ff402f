#include "support/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

extern char** environ;

namespace orv::test {

int RunTestInChildProcess(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env) {
  char self[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return -1;
  self[length] = '\0';
  std::vector<std::string> args = {self, "--gtest_filter=" + testName, "--gtest_also_run_disabled_tests"};
  std::vector<std::string> vars;  // the added variables first: they win over inherited ones
  for (const auto& [name, value] : env) vars.push_back(name + "=" + value);
  for (char** e = environ; *e != nullptr; ++e) vars.emplace_back(*e);
  std::vector<char*> argv, envp;
  for (std::string& a : args) argv.push_back(a.data());
  for (std::string& v : vars) envp.push_back(v.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, self, nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace orv::test
