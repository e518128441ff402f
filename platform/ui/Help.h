#pragma once
// Help requests (F1, a Help button mapped to ID_HELP) go to one handler that the host
// installs, as message boxes go to one sink. Without a handler the user is told that no
// help is installed.
#include <functional>

#include "platform/ui/WinUser.h"

// The framework's help command id.
inline constexpr UINT ID_HELP = 0xE146;

namespace orv::ui {

struct HelpRequest {
  HWND window = nullptr;  // the window asking (a dialog)
  UINT contextId = 0;     // the dialog's template id, 0 when unknown
};
using HelpHandler = std::function<void(const HelpRequest&)>;

// Installs a handler and returns the one it replaces; an empty handler restores the default.
ORV_API HelpHandler SetHelpHandler(HelpHandler handler);
ORV_API void RequestHelp(const HelpRequest& request);

}  // namespace orv::ui
