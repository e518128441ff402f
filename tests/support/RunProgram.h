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

// Runs program with args (each passed as it is) and waits; its output goes through files
// in scratchDir. Every write past fileSize bytes fails with EFBIG (when fileSize > 0); a run
// that takes over a minute is killed, so that a hang fails the test instead of stalling it.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDir, long fileSize);
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& scratchDir) {
  return RunProgram(program, args, scratchDir, 0);
}

}  // namespace orv::test
