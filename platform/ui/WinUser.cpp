// The window manager's free functions over the window model.
#include "platform/ui/WinUser.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

#include "platform/base/MessageBox.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/Window.h"

using orv::ui::Window;

BOOL IsWindow(HWND hwnd) { return Window::IsLive(hwnd) ? TRUE : FALSE; }

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr ? w->Send(message, wParam, lParam) : 0;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!Window::IsLive(hwnd)) return FALSE;
  orv::ui::PostToEventLoop([=] {
    // The window may be gone by the time the loop gets here.
    if (Window* w = Window::FromHandle(hwnd)) orv::ui::Guarded(L"", [&] { w->Send(message, wParam, lParam); });
  });
  return TRUE;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* w = Window::FromHandle(dialog);
  return w != nullptr ? w->Child(static_cast<UINT>(id)) : nullptr;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
  Window* w = Window::FromHandle(hwnd);
  if (buffer == nullptr || maxCount <= 0) return 0;
  buffer[0] = L'\0';
  if (w == nullptr) return 0;
  int n = std::min(maxCount - 1, w->className.GetLength());
  std::wmemcpy(buffer, w->className.GetString(), static_cast<std::size_t>(n));
  buffer[n] = L'\0';
  return n;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr && !w->IsTopLevel() ? static_cast<int>(w->id) : 0;
}

HWND GetParent(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return nullptr;
  return w->IsTopLevel() ? w->owner : w->parent;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return nullptr;
  switch (relation) {
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    case GW_HWNDNEXT: return w->NextSibling();
    case GW_HWNDPREV: return w->PreviousSibling();
    case GW_OWNER: return w->owner;
    default: return nullptr;
  }
}

BOOL DestroyWindow(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  w->Destroy();
  return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = w->WindowRectOnScreen();
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = w->ClientRect();
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  CPoint o = w->ClientOriginOnScreen();
  point->x -= o.x;
  point->y -= o.y;
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr || point == nullptr) return FALSE;
  CPoint o = w->ClientOriginOnScreen();
  point->x += o.x;
  point->y += o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  Window* a = Window::FromHandle(from);
  Window* b = Window::FromHandle(to);
  if ((from != nullptr && a == nullptr) || (to != nullptr && b == nullptr)) return 0;
  CPoint oa = a != nullptr ? a->ClientOriginOnScreen() : CPoint(0, 0);
  CPoint ob = b != nullptr ? b->ClientOriginOnScreen() : CPoint(0, 0);
  int dx = oa.x - ob.x;
  int dy = oa.y - ob.y;
  for (UINT i = 0; points != nullptr && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  w->SetPlacementRect(CRect(x, y, x + std::max(0, width), y + std::max(0, height)), repaint != FALSE);
  return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND, int x, int y, int cx, int cy, UINT flags) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  CRect r = w->PlacementRect();
  if ((flags & SWP_NOMOVE) == 0) r = CRect(x, y, x + r.Width(), y + r.Height());
  if ((flags & SWP_NOSIZE) == 0) r = CRect(r.left, r.top, r.left + std::max(0, cx), r.top + std::max(0, cy));
  if (r != w->PlacementRect()) w->SetPlacementRect(r, (flags & SWP_NOREDRAW) == 0);
  if ((flags & SWP_FRAMECHANGED) != 0 && w->peer) w->peer->StyleChanged();
  if ((flags & SWP_SHOWWINDOW) != 0) ShowWindow(hwnd, SW_SHOW);
  if ((flags & SWP_HIDEWINDOW) != 0) ShowWindow(hwnd, SW_HIDE);
  return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
  bool show = command != SW_HIDE;
  if (show == (wasVisible != FALSE)) return wasVisible;
  w->Send(WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  if (!Window::IsLive(w)) return wasVisible;
  w->SetStyle(show ? (w->style | WS_VISIBLE) : (w->style & ~WS_VISIBLE));
  if (show && !w->painted) w->Invalidate(nullptr, true);
  return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr && w->IsVisible() ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  return static_cast<BOOL>(w->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : L"")));
}

int GetWindowTextW(HWND hwnd, LPWSTR buffer, int maxCount) {
  Window* w = Window::FromHandle(hwnd);
  if (buffer != nullptr && maxCount > 0) buffer[0] = L'\0';
  if (w == nullptr || buffer == nullptr || maxCount <= 0) return 0;
  return static_cast<int>(w->Send(WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr ? static_cast<int>(w->Send(WM_GETTEXTLENGTH)) : 0;
}

BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) { return SetWindowTextW(GetDlgItem(dialog, id), text); }

UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int maxCount) {
  return static_cast<UINT>(GetWindowTextW(GetDlgItem(dialog, id), buffer, maxCount));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  CString text;
  if (isSigned) text.Format(L"%d", static_cast<int>(value));
  else text.Format(L"%u", value);
  return SetDlgItemTextW(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated != nullptr) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (item == nullptr) return 0;
  int n = GetWindowTextLengthW(item);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(item, text.data(), n + 1);
  const wchar_t* p = text.c_str();
  while (*p == L' ') ++p;
  bool negative = false;
  if (isSigned && (*p == L'-' || *p == L'+')) negative = *p++ == L'-';
  if (!std::iswdigit(static_cast<wint_t>(*p))) return 0;
  unsigned long long v = 0;
  for (; std::iswdigit(static_cast<wint_t>(*p)); ++p) {
    v = v * 10 + static_cast<unsigned>(*p - L'0');
    if (v > (isSigned ? 2147483648ULL : 4294967295ULL)) return 0;  // too large: not translated
  }
  if (isSigned && !negative && v > 2147483647ULL) return 0;
  if (translated != nullptr) *translated = TRUE;
  long long signedValue = negative ? -static_cast<long long>(v) : static_cast<long long>(v);
  return static_cast<UINT>(signedValue);
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND button = GetDlgItem(dialog, id);
  if (button == nullptr) return FALSE;
  SendMessageW(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0));
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  BOOL wasDisabled = w->IsEnabled() ? FALSE : TRUE;
  if ((enable != FALSE) == (wasDisabled == FALSE)) return wasDisabled;
  w->SetStyle(enable ? (w->style & ~WS_DISABLED) : (w->style | WS_DISABLED));
  w->Send(WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  return w != nullptr && w->IsEnabled() ? TRUE : FALSE;
}

HWND SetFocus(HWND hwnd) {
  Window* previous = orv::ui::FocusedWindow();
  Window* w = Window::FromHandle(hwnd);
  if (w != nullptr && w->peer) w->peer->SetFocus();
  return previous;
}

HWND GetFocus() { return orv::ui::FocusedWindow(); }

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return 0;
  switch (index) {
    case GWL_STYLE: return static_cast<LONG_PTR>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(w->exStyle);
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    default: return 0;
  }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return 0;
  LONG_PTR old = GetWindowLongPtrW(hwnd, index);
  switch (index) {
    case GWL_STYLE: w->SetStyle(static_cast<DWORD>(value)); break;
    case GWL_EXSTYLE: w->SetExStyle(static_cast<DWORD>(value)); break;
    case GWL_ID: w->id = static_cast<UINT>(value); break;
    default: return 0;
  }
  return old;
}

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  return orv::ShowMessageBox(text != nullptr ? text : L"", caption != nullptr ? caption : L"Error", type);
}

int GetSystemMetrics(int index) {
  switch (index) {
    case SM_CXSCREEN: return orv::ui::ScreenSize().cx;
    case SM_CYSCREEN: return orv::ui::ScreenSize().cy;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return orv::ui::ScrollBarExtent();
    default: return 0;
  }
}
