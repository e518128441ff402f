#include "apps/orvdcm/RegistryOption.h"

#include <string_view>

#include "platform/store/WinReg.h"

namespace orv::cli {
bool ApplyRegistryOption(std::vector<std::string>& args, std::string* error) {
  static constexpr std::string_view kOption = "--registry-dir";
  std::string folder;
  for (size_t i = 0; i < args.size();) {
    std::string_view arg = args[i];
    if (arg == kOption) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *error = "--registry-dir needs a folder";
        return false;
      }
      folder = args[i + 1];
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    } else if (arg.substr(0, kOption.size() + 1) == std::string(kOption) + "=") {
      folder = arg.substr(kOption.size() + 1);
      if (folder.empty()) {
        *error = "--registry-dir needs a folder";
        return false;
      }
      args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
    } else {
      ++i;
    }
  }
  if (!folder.empty()) {
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, folder + "/user.db");
    orv::SetRegistryRootFile(HKEY_LOCAL_MACHINE, folder + "/machine.db");
  }
  return true;
}
}  // namespace orv::cli
