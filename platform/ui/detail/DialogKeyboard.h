#pragma once
// A dialog's keyboard interface, as the dialog manager gives it: Enter presses the default
// (or focused) push button, Escape cancels, F1 asks for help, Alt with a label's "&" letter
// focuses the control the label names.
#include "platform/ui/detail/Window.h"

namespace orv::ui {

// Gives a control of a dialog the focus; an edit entered this way has its whole text selected.
void FocusDialogControl(Window& control);

// The keyboard message handling of a dialog (Enter, Escape, F1, mnemonics), for CDialog.
BOOL IsDialogMessage(Window& dialog, MSG* msg);
// Offers a keyboard message to the objects of the window and its ancestors, innermost
// first (PreTranslateMessage); TRUE when one of them took it.
BOOL WalkPreTranslate(MSG* msg);

}  // namespace orv::ui
