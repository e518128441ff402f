#pragma once
// Runs a program of the build as a user would from a shell, for tests of what it prints and
// the status it ends with.
#include <string>
#include <vector>

namespace orv::test {

struct ProgramResult {
  int status = -1;  // the exit status; -1 when it did not exit normally
  std::string out, err;
};

// What the run is held to: a write past fileSize bytes fails with EFBIG (when > 0), and a run
// longer than seconds is killed, so that a program that hangs fails the test instead of stalling it.
struct ProgramLimits {
  long fileSize = 0;
  unsigned seconds = 60;
};

// Runs program with args (each passed as it is) and waits; its output goes through files
// in scratchDir.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDir);
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDir, const ProgramLimits& limits);

}  // namespace orv::test
