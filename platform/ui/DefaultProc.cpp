// What every window class does unless it does otherwise: the base of the class procedures and
// the default window procedure they fall back on.
#include <algorithm>
#include <cwchar>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Window.h"

namespace orv::ui {
namespace {

void ApplyFont(Window& w) {
  if (!w.peer) return;
  LOGFONT lf{};
  CFont* font = CFont::FromHandle(w.font);
  if (font == nullptr || font->GetLogFont(&lf) == 0) {
    w.peer->SetFont(CString(), 0, FW_NORMAL);
    return;
  }
  w.peer->SetFont(CString(lf.lfFaceName), lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, lf.lfWeight);
}

}  // namespace

ClassProc::~ClassProc() = default;

LRESULT ClassProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(w, message, wParam, lParam);
}

void ClassProc::Destroyed(Window&) {}
void ClassProc::DialogComplete(Window&) {}
void ClassProc::StyleChanged(Window&, DWORD) {}

LRESULT ClassProc::DefaultProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      w.SetText(lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      std::size_t n = std::min<std::size_t>(wParam - 1, static_cast<std::size_t>(w.text.GetLength()));
      std::wmemcpy(buffer, w.text.GetString(), n);
      buffer[n] = L'\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return w.text.GetLength();
    case WM_SETFONT:
      w.font = reinterpret_cast<HFONT>(wParam);
      ApplyFont(w);
      if (lParam != 0) w.Invalidate(nullptr, true);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(w.font);
    case WM_PAINT: {
      // Nothing drawn: the background erase (when due) is the whole picture.
      CPaintDC dc(CWnd::FromHandle(&w));
      return 0;
    }
    case WM_HELP:
      // Help requests travel up to the window that can answer them.
      if (!w.IsTopLevel() && w.parent != nullptr) return w.parent->Send(WM_HELP, wParam, lParam);
      return TRUE;
    case WM_CLOSE:
      w.Destroy();
      return 0;
    default:
      return 0;
  }
}

}  // namespace orv::ui
