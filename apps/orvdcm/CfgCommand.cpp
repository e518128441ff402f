// orvdcm cfg describe FILE [TEXT]: reads or replaces a settings file's description line.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "settings/CfgFile.h"

namespace {

constexpr const char* kUsage =
    "cfg describe FILE [TEXT]             print the description of a settings file, or replace it with TEXT";

int RunCfg(const orv::cli::Arguments& args, orv::cli::Io& io) {
  const std::vector<std::string>& words = args.operands;
  std::string problem = orv::cli::ChoiceProblem(words, {"describe"});
  if (problem.empty()) problem = orv::cli::CountProblem(words, 2, 3, {"describe", "FILE"});
  if (!problem.empty()) return io.Usage(problem);
  const std::string& file = words[1];
  // The library reads a missing file as an empty description: say what is wrong instead.
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return io.Fail(file + ": no such file");
  if (std::filesystem::is_directory(file, ec)) return io.Fail(file + ": is a folder, not a settings file");
  CCfgFile cfg{CString(orv::WidePath(file))};
  if (words.size() == 2) {
    io.out << cfg.GetDescription() << '\n';
    return 0;
  }
  if (!cfg.SetDescription(CString(words[2].c_str()))) return io.Fail("cannot set the description of " + file + " (not writable)");
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(cfg, "cfg", kUsage, {}, RunCfg);
