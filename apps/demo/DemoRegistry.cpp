// The demo's lists: the dialogs that its files register, and the files named on its command line.
#include "apps/demo/DemoDialogs.h"

namespace orv::demo {

std::vector<DemoDialog>& DemoDialogs() {
  static std::vector<DemoDialog> dialogs;
  return dialogs;
}

std::vector<std::string>& DemoFiles() {
  static std::vector<std::string> files;
  return files;
}

}  // namespace orv::demo
