#include "apps/orvdcm/RegistryOption.h"

#include "platform/store/WinReg.h"

namespace orv::cli {
bool ApplyRegistryOption(const Arguments& args, std::string* problem) {
  std::optional<std::string> folder = args.Value(kRegistryDirOption.name);
  if (!folder) return true;
  if (folder->empty()) {
    *problem = "--registry-dir needs a folder";
    return false;
  }
  orv::SetRegistryRootFile(HKEY_CURRENT_USER, *folder + "/user.db");
  orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, *folder + "/machine.db");
  return true;
}
}  // namespace orv::cli
