#include "platform/ui/Help.h"

#include <utility>

#include "platform/base/MessageBox.h"

namespace orv::ui {
namespace {
void TellNoHelp(const HelpRequest& request) {
  CString text;
  text.Format(L"No help is installed for this window (topic %u).", request.contextId);
  ShowMessageBox(text, L"", MB_OK | MB_ICONINFORMATION);
}

HelpHandler& Handler() {
  static HelpHandler handler = TellNoHelp;
  return handler;
}
}  // namespace

HelpHandler SetHelpHandler(HelpHandler handler) {
  HelpHandler previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : HelpHandler(TellNoHelp);
  return previous;
}

void RequestHelp(const HelpRequest& request) { Handler()(request); }

}  // namespace orv::ui
