#include "support/RunProgram.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/FileBytes.h"

namespace orv::test {

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDir) {
  auto quote = [](const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  };
  const std::string out = scratchDir + "/program.out", err = scratchDir + "/program.err";
  std::string command = quote(program);
  for (const std::string& a : args) command += " " + quote(a);
  const int status = std::system((command + " >" + quote(out) + " 2>" + quote(err)).c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}

}  // namespace orv::test
