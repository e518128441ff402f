#pragma once
// Runs one test of this test program in a process of its own (the program started again
// with a gtest filter), for behaviour that must survive from one run of an application to
// the next. Variables in `env` are added to the child's environment.
#include <string>
#include <utility>
#include <vector>

namespace orv::test {

// The child's exit status (0 when its test passed), or -1 when it could not be started.
int RunTestInChildProcess(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env);

}  // namespace orv::test
