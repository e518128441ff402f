#include "support/RunProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/FileBytes.h"

namespace orv::test {

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& scratchDir, long fileSize) {
  const std::string out = scratchDir + "/program.out", err = scratchDir + "/program.err";
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    alarm(60);
    if (fileSize > 0) {
      signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead of ending the program
      const rlimit limit{static_cast<rlim_t>(fileSize), static_cast<rlim_t>(fileSize)};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    // openat: a call to open would draw the support library's fault-injecting open into the program.
    dup2(openat(AT_FDCWD, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(openat(AT_FDCWD, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return {};
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileBytes(out), ReadFileBytes(err)};
}

}  // namespace orv::test
