// A dialog's keyboard interface: Enter, Escape, F1 and Alt mnemonics, the tab order, and
// moving the focus from control to control.
#include "platform/ui/detail/DialogKeyboard.h"

#include <algorithm>

#include "platform/ui/Dialog.h"
#include "platform/ui/detail/DialogWindow.h"
#include "platform/ui/detail/StaticButton.h"

namespace orv::ui {
namespace {

bool IsPushButton(const Window* w) {
  if (w == nullptr || !w->IsClass(WC_BUTTON)) return false;
  DWORD type = w->style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

// Alt with the "&" letter of a label moves the focus to the control the label names.
BOOL HandleMnemonic(Window& dialog, UINT vk) {
  if (!((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) return FALSE;
  for (Window* c : dialog.children) {
    auto* label = c->ProcAs<StaticProc>();
    if (label == nullptr || !Window::IsLive(label->mnemonicTarget) || !c->IsVisible()) continue;
    int at = c->text.Find(L'&');
    while (at >= 0 && at + 1 < c->text.GetLength() && c->text[at + 1] == L'&') at = c->text.Find(L'&', at + 2);
    if (at < 0 || at + 1 >= c->text.GetLength() || FoldCase(c->text[at + 1]) != FoldCase(static_cast<wchar_t>(vk)))
      continue;
    FocusDialogControl(*label->mnemonicTarget);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void FocusDialogControl(Window& control) {
  ::SetFocus(&control);
  // Entering an edit selects its whole text, as the dialog manager does.
  if (Window::IsLive(&control) && control.IsClass(WC_EDIT)) control.Send(EM_SETSEL, 0, -1);
}

BOOL IsDialogMessage(Window& dialog, MSG* msg) {
  if (msg != nullptr && msg->message == WM_SYSKEYDOWN) return HandleMnemonic(dialog, static_cast<UINT>(msg->wParam));
  if (msg == nullptr || msg->message != WM_KEYDOWN) return FALSE;
  Window* focus = Window::FromHandle(msg->hwnd);
  switch (msg->wParam) {
    case VK_ESCAPE: {
      Window* cancel = dialog.Child(IDCANCEL);
      if (cancel == nullptr || cancel->IsEnabled())
        dialog.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return TRUE;
    }
    case VK_RETURN: {
      if (focus != nullptr && focus != &dialog && IsPushButton(focus)) {
        focus->Send(BM_CLICK);
        return TRUE;
      }
      bool editTakesReturn = focus != nullptr && focus->IsClass(WC_EDIT) && (focus->style & ES_MULTILINE) != 0 &&
                             (focus->style & ES_WANTRETURN) != 0;
      if (editTakesReturn) return FALSE;
      LRESULT def = dialog.Send(DM_GETDEFID);
      UINT id = HIWORD(static_cast<WPARAM>(def)) == DC_HASDEFID ? LOWORD(static_cast<WPARAM>(def)) : IDOK;
      Window* button = dialog.Child(id);
      if (button != nullptr && (!button->IsEnabled() || !button->IsVisible())) return TRUE;
      dialog.Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return TRUE;
    }
    case VK_F1: {
      Window* target = focus != nullptr ? focus : &dialog;
      HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, static_cast<int>(target->id), target, 0, POINT{0, 0}};
      target->Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL WalkPreTranslate(MSG* msg) {
  Window* w = Window::FromHandle(msg->hwnd);
  Window* top = w != nullptr ? w->TopLevel() : nullptr;
  for (; Window::IsLive(w); w = w->IsTopLevel() ? nullptr : w->parent) {
    if (CWnd* object = w->objects.Permanent()) {
      BOOL taken = FALSE;
      Guarded(L"", [&] { taken = object->PreTranslateMessage(msg); });
      if (taken) return TRUE;
    }
  }
  // A dialog that no object serves still has the dialog manager's keyboard interface.
  if (Window::IsLive(top) && top->objects.Permanent() == nullptr && top->ProcAs<DialogProc>() != nullptr)
    return IsDialogMessage(*top, msg);
  return FALSE;
}

}  // namespace orv::ui

using orv::ui::Window;

CWnd* CWnd::GetNextDlgTabItem(CWnd* control, BOOL previous) const {
  Window* dialog = Window::FromHandle(m_hWnd);
  if (dialog == nullptr || dialog->children.empty()) return nullptr;
  const auto& kids = dialog->children;
  auto usable = [](const Window* c) { return (c->style & WS_TABSTOP) != 0 && c->IsVisible() && c->IsEnabled(); };
  auto n = static_cast<long>(kids.size());
  long start = -1;
  if (control != nullptr) {
    auto it = std::find(kids.begin(), kids.end(), control->m_hWnd);
    if (it != kids.end()) start = it - kids.begin();
  }
  for (long step = 1; step <= n; ++step) {
    long i = start < 0 ? (previous ? n - step : step - 1) : (start + (previous ? -step : step) + n) % n;
    if (usable(kids[static_cast<std::size_t>(i)])) return FromHandle(kids[static_cast<std::size_t>(i)]);
  }
  return nullptr;
}

void CWnd::GotoDlgCtrl(CWnd* control) {
  Window* c = control != nullptr ? Window::FromHandle(control->m_hWnd) : nullptr;
  if (c != nullptr) orv::ui::FocusDialogControl(*c);
}

void CDialog::NextDlgCtrl() const {
  CWnd* next = GetNextDlgTabItem(GetFocus(), FALSE);
  if (next != nullptr) const_cast<CDialog*>(this)->GotoDlgCtrl(next);
}

void CDialog::PrevDlgCtrl() const {
  CWnd* next = GetNextDlgTabItem(GetFocus(), TRUE);
  if (next != nullptr) const_cast<CDialog*>(this)->GotoDlgCtrl(next);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  Window* w = Window::FromHandle(m_hWnd);
  Window* target = msg != nullptr ? Window::FromHandle(msg->hwnd) : nullptr;
  // A dialog inside another window leaves the keyboard to the window it sits in.
  if (w == nullptr || target == nullptr || !w->IsTopLevel() || target->TopLevel() != w) return FALSE;
  return orv::ui::IsDialogMessage(*w, msg);
}
