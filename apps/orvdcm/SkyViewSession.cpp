#include "apps/orvdcm/SkyViewSession.h"

#include "platform/base/AtomicFile.h"

namespace orv::cli {
namespace {
// Takes "--name VALUE" or "--name=VALUE" out of args; false when the value is missing.
bool TakeValueOption(std::vector<std::string>& args, const std::string& name, std::string& value, std::string* error) {
  for (size_t i = 0; i < args.size();) {
    const std::string& arg = args[i];
    auto at = args.begin() + static_cast<std::ptrdiff_t>(i);
    if (arg == name) {
      if (i + 1 >= args.size()) {
        *error = name + " needs a value";
        return false;
      }
      value = args[i + 1];
      args.erase(at, at + 2);
    } else if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == '=') {
      value = arg.substr(name.size() + 1);
      args.erase(at);
    } else {
      ++i;
    }
  }
  return true;
}
}  // namespace

bool SkyViewSession::TakeOptions(std::vector<std::string>& args, std::string& dataDir, std::string& picture,
                                 std::string* error) {
  dataDir.assign(1, '.');  // the current folder
  return TakeValueOption(args, "--data-dir", dataDir, error) && TakeValueOption(args, "--picture", picture, error);
}

SkyViewSession::SkyViewSession(const std::string& dataDir, const std::string& picture) : dataDir_(dataDir) {
  control_.LoadState(StateFile());
  if (!picture.empty()) control_.SetPictureFile(CString(orv::WidePath(picture)));
}

bool SkyViewSession::Save() const { return control_.SaveState(StateFile()) != 0; }

CString SkyViewSession::Path(const char* name) const { return CString(orv::WidePath(dataDir_ + "/" + name)); }

}  // namespace orv::cli
