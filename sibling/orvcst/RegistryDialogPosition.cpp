// The two CRegistry forms that keep a dialog's place on the screen. They belong to the
// registry class but need windows, so they live with the styled dialogs.
#include <algorithm>

#include "platform/ui/Dialog.h"
#include "sibling/orvreg/Registry.h"

int CRegistry::Write(const CString& key, const CString& name, CDialog* dialog) {
  if (dialog == nullptr || !IsWindow(dialog->m_hWnd)) return 0;
  // The frame the user sees: a dialog inside another window (a file dialog's hook) keeps
  // the place of that window.
  CRect r;
  dialog->GetTopLevelParent()->GetWindowRect(&r);
  return UpdateReg(key, name, CRect(), r, 1);
}

int CRegistry::Read(const CString& key, const CString& name, CDialog* dialog) {
  if (dialog == nullptr || !IsWindow(dialog->m_hWnd)) return 0;
  CRect stored;
  if (!UpdateReg(key, name, CRect(), stored, 0)) return 0;  // nothing stored: stays where it is
  CWnd* frame = dialog->GetTopLevelParent();
  CRect current;
  frame->GetWindowRect(&current);
  // A place stored on a larger screen is pulled back onto this one.
  int x = stored.left, y = stored.top;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (screenWidth > 0 && screenHeight > 0) {
    x = std::clamp(x, 0, std::max(0, screenWidth - current.Width()));
    y = std::clamp(y, 0, std::max(0, screenHeight - current.Height()));
  }
  frame->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 1;
}
