#include "platform/ui/Wnd.h"

#include "platform/base/MessageBox.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Help.h"
#include "platform/ui/detail/Window.h"

using orv::ui::Window;

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_DRAWITEM()
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CWnd::CWnd() = default;

BOOL CWnd::DestroyWindow() { return ::DestroyWindow(m_hWnd); }

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
void CWnd::GetDlgItem(int id, HWND* result) const {
  if (result != nullptr) *result = ::GetDlgItem(m_hWnd, id);
}
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
int CWnd::SetDlgCtrlID(int id) {
  return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWL_ID, static_cast<LONG_PTR>(static_cast<UINT>(id))));
}
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetTopLevelParent() const {
  Window* w = Window::FromHandle(m_hWnd);
  return w != nullptr ? FromHandle(w->TopLevel()) : nullptr;
}
CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::ScreenToClient(LPRECT rect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ClientToScreen(LPRECT rect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2); }
void CWnd::MapWindowPoints(CWnd* to, LPRECT rect) const {
  ::MapWindowPoints(m_hWnd, to != nullptr ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
}
void CWnd::MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
  ::MapWindowPoints(m_hWnd, to != nullptr ? to->m_hWnd : nullptr, points, count);
}
void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}
void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
  if (rect != nullptr) MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}
BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}
BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

void CWnd::CenterWindow(CWnd* alternateOwner) {
  Window* w = Window::FromHandle(m_hWnd);
  if (w == nullptr) return;
  CRect area(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  Window* around = alternateOwner != nullptr ? Window::FromHandle(alternateOwner->m_hWnd)
                                             : (w->IsTopLevel() ? w->owner : w->parent);
  if (around != nullptr) area = around->WindowRectOnScreen();
  CRect mine = w->WindowRectOnScreen();
  int x = area.left + (area.Width() - mine.Width()) / 2;
  int y = area.top + (area.Height() - mine.Height()) / 2;
  if (!w->IsTopLevel() && w->parent != nullptr) {
    CPoint o = w->parent->ClientOriginOnScreen();
    x -= o.x;
    y -= o.y;
  }
  w->SetPlacementRect(CRect(x, y, x + mine.Width(), y + mine.Height()), true);
}

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowTextW(m_hWnd, text); }
int CWnd::GetWindowText(LPTSTR buffer, int maxCount) const { return ::GetWindowTextW(m_hWnd, buffer, maxCount); }
void CWnd::GetWindowText(CString& text) const {
  int n = ::GetWindowTextLengthW(m_hWnd);
  ::GetWindowTextW(m_hWnd, text.GetBuffer(n), n + 1);
  text.ReleaseBuffer();
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetDlgItemTextW(m_hWnd, id, text); }
int CWnd::GetDlgItemText(int id, LPTSTR buffer, int maxCount) const {
  return static_cast<int>(::GetDlgItemTextW(m_hWnd, id, buffer, maxCount));
}
int CWnd::GetDlgItemText(int id, CString& text) const {
  text.Empty();
  HWND item = ::GetDlgItem(m_hWnd, id);
  if (item == nullptr) return 0;
  FromHandle(item)->GetWindowText(text);
  return text.GetLength();
}
void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned) { ::SetDlgItemInt(m_hWnd, id, value, isSigned); }
UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const {
  return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
}
void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)); }
BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) {
  Window* w = Window::FromHandle(m_hWnd);
  if (w == nullptr) return FALSE;
  DWORD next = (w->style & ~remove) | add;
  if (next == w->style) return FALSE;
  ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(next));
  if (flags != 0) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
  return TRUE;
}
BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags) {
  Window* w = Window::FromHandle(m_hWnd);
  if (w == nullptr) return FALSE;
  DWORD next = (w->exStyle & ~remove) | add;
  if (next == w->exStyle) return FALSE;
  ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(next));
  if (flags != 0) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | flags);
  return TRUE;
}

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
BOOL CWnd::GetUpdateRect(LPRECT rect, BOOL erase) { return ::GetUpdateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::RedrawWindow() {
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  ::UpdateWindow(m_hWnd);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }
void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font->GetSafeHandle() : nullptr), redraw);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}
LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
}
int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) {
  return ::MessageBoxW(m_hWnd, text, caption, type);
}

BOOL CWnd::SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw) {
  ::SetScrollInfo(m_hWnd, bar, info, redraw);
  return info != nullptr;
}
BOOL CWnd::GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask) {
  if (info == nullptr) return FALSE;
  info->cbSize = sizeof(SCROLLINFO);
  info->fMask = mask;
  return ::GetScrollInfo(m_hWnd, bar, info);
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  // Control notifications raised while values move (an edit's EN_CHANGE) reach their
  // handlers: dialogs rely on the change notification of a text that the exchange set.
  try {
    DoDataExchange(&dx);
    return TRUE;
  } catch (CUserException* e) {
    // The exchange has told the user already.
    e->Delete();
  } catch (CException* e) {
    wchar_t buffer[512];
    CString text = e->GetErrorMessage(buffer, 512) ? CString(buffer) : CString(L"An unsupported operation was attempted.");
    e->Delete();
    orv::ShowMessageBox(text, L"", MB_OK | MB_ICONEXCLAMATION);
  }
  return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    Detach();
    PostNcDestroy();  // may delete this object
  }
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    *result = 0;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    LRESULT r = 0;
    if (!OnNotify(wParam, lParam, &r)) return FALSE;
    *result = r;
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), message, 0, 0);
  if (entry == nullptr) return FALSE;
  *result = entry->pfn(this, wParam, lParam);
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Window::FromHandle(m_hWnd);
  return w != nullptr ? w->DefProc(message, wParam, lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (lParam == 0 && id == 0) return FALSE;  // a command needs an id
  return OnCmdMsg(WM_COMMAND, code, id, wParam, lParam, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header == nullptr) return FALSE;
  return OnCmdMsg(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), wParam, lParam, result);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
  const MSG* current = orv::ui::CurrentMessage();
  if (current == nullptr || current->hwnd != m_hWnd) return 0;
  return DefWindowProc(current->message, current->wParam, current->lParam);
}

const MSG* CWnd::GetCurrentMessage() { return orv::ui::CurrentMessage(); }

void CWnd::OnPaint() { Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem) {
  // Owner drawing belongs to the control's own object when it has one.
  if (drawItem != nullptr) {
    CWnd* control = FromHandlePermanent(drawItem->hwndItem);
    LRESULT r = 0;
    if (control != nullptr && control->OnChildNotify(WM_DRAWITEM, static_cast<WPARAM>(id),
                                                     reinterpret_cast<LPARAM>(drawItem), &r))
      return;
  }
  Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*) {
  // F1 in a dialog or other top-level window becomes its help command.
  if ((GetStyle() & WS_CHILD) == 0) {
    SendMessage(WM_COMMAND, ID_HELP);
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

UINT CWnd::HelpContextId() const { return 0; }

void CWnd::OnHelp() { orv::ui::RequestHelp(orv::ui::HelpRequest{m_hWnd, HelpContextId()}); }
