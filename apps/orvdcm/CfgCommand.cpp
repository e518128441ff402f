// orvdcm cfg describe FILE [TEXT]: reads or replaces a settings file's description line.
#include <ostream>
#include <string>
#include <vector>

#include "apps/orvdcm/CliCommand.h"
#include "platform/base/AtomicFile.h"
#include "settings/CfgFile.h"

namespace {

constexpr const char* kUsage =
    "cfg describe FILE [TEXT]             print the description of a settings file, or replace it with TEXT";

int RunCfg(const std::vector<std::string>& args, orv::cli::Io& io) {
  if (args.size() < 2 || args.size() > 3 || args[0] != "describe") {
    io.err << "usage: orvdcm " << kUsage << '\n';
    return 2;
  }
  CString path(orv::WidePath(args[1]));
  CCfgFile file(path);
  if (args.size() == 2) {
    io.out << file.GetDescription() << '\n';
    return 0;
  }
  if (!file.SetDescription(CString(args[2].c_str()))) {
    io.err << "orvdcm cfg: cannot set the description of " << args[1] << " (missing or not writable)\n";
    return 1;
  }
  return 0;
}

}  // namespace

ORV_CLI_COMMAND(cfg, "cfg", kUsage, RunCfg);
