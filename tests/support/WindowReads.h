#pragma once
// A window's text, rectangles and controls as values, so that a test compares them in one
// assertion instead of filling out-parameters first.
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Wnd.h"

namespace orv::test {

// The window's text; empty for a handle that names no window.
inline CString WindowText(HWND window) {
  CString text;
  if (CWnd* w = CWnd::FromHandle(window)) w->GetWindowText(text);
  return text;
}

// Where the window is on the screen.
inline CRect WindowRect(const CWnd& window) {
  CRect r;
  window.GetWindowRect(&r);
  return r;
}

inline CRect ClientRect(const CWnd& window) {
  CRect r;
  window.GetClientRect(&r);
  return r;
}

// A rectangle in the dialog's units, in pixels.
inline CRect Pixels(const CDialog& dialog, CRect units) {
  dialog.MapDialogRect(&units);
  return units;
}

// The object of control `id`, which must exist, as its class.
template <class Control>
Control& Item(const CWnd& dialog, int id) {
  return *static_cast<Control*>(dialog.GetDlgItem(id));
}
template <class Control>
Control& Item(const ui::test::DialogDriver& driver, int id) {
  return *static_cast<Control*>(CWnd::FromHandle(driver.Item(id)));
}

}  // namespace orv::test
