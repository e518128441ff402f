#pragma once
// Keys between Qt and the platform: one table of Qt keys and virtual-key codes read in both
// directions, and the hook that offers key presses to PreTranslateMessage.
#include <QObject>
#include <QString>

#include "platform/ui/WinUser.h"

namespace orv::ui::qt {

// The virtual-key code of a Qt key; 0 for a key the platform has no code for here.
UINT VirtualKeyOf(int qtKey);

struct QtKey {
  int key = 0;   // 0: no Qt key for the code
  QString text;  // what pressing it types, empty for keys that type nothing
};
// The Qt key of a virtual-key code.
QtKey QtKeyOf(UINT vk);

// Offers every key press to the PreTranslateMessage of the window's objects (and to the
// dialog manager) before the widget sees it; installed on the application object.
QObject* NewKeyboardHook();

}  // namespace orv::ui::qt
