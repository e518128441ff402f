#include "support/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>

extern char** environ;

namespace orv::test {

int RunTestInChildProcess(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env) {
  std::error_code ec;
  std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  std::vector<std::string> args = {self, "--gtest_filter=" + testName, "--gtest_also_run_disabled_tests"}, vars;
  for (const auto& [name, value] : env) vars.push_back(name + "=" + value);  // first: they win over inherited ones
  for (char** e = environ; *e != nullptr; ++e) vars.emplace_back(*e);
  std::vector<char*> argv, envp;
  for (std::string& a : args) argv.push_back(a.data());
  for (std::string& v : vars) envp.push_back(v.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t child = 0;
  int status = 0;
  if (ec || posix_spawn(&child, self.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
  return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace orv::test
