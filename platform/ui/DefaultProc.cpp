// The default window procedure shared by every class, and the device contexts that windows
// lend the graphics layer (BeginPaint/EndPaint, GetDC/ReleaseDC).
#include <algorithm>
#include <cwchar>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Window.h"

namespace orv::ui {
namespace {

class WindowCanvases final : public gdi::WindowCanvasProvider {
public:
  bool BeginPaint(CWnd* wnd, gdi::WindowCanvas* canvas) override {
    Window* w = Window::FromHandle(wnd != nullptr ? wnd->m_hWnd : nullptr);
    if (w == nullptr || canvas == nullptr) return false;
    gdi::Surface& surface = w->ClientSurface();
    CRect paint = w->invalid;
    bool erase = w->eraseNeeded;
    // Painting validates first, so a handler that invalidates again is asked again.
    w->Validate(nullptr);
    canvas->erase = FALSE;
    if (erase && !paint.IsRectEmpty()) {
      CDC dc;
      dc.AttachSurface(&surface, POINT{0, 0}, paint);
      canvas->erase = w->Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0) != 0 ? FALSE : TRUE;
      if (!Window::IsLive(w)) return false;
    }
    canvas->surface = &surface;
    canvas->origin = POINT{0, 0};
    canvas->clip = paint;
    canvas->paint = paint;
    canvas->token = w;
    return true;
  }

  void EndPaint(CWnd*, const gdi::WindowCanvas& canvas) override {
    auto* w = static_cast<Window*>(canvas.token);
    if (!Window::IsLive(w)) return;
    w->painted = true;
    w->drawnOn = true;
    if (w->peer) w->peer->Present(CRect(canvas.paint));
  }

  bool GetDC(CWnd* wnd, gdi::WindowCanvas* canvas) override {
    Window* w = Window::FromHandle(wnd != nullptr ? wnd->m_hWnd : nullptr);
    if (w == nullptr || canvas == nullptr) return false;
    canvas->surface = &w->ClientSurface();
    w->drawnOn = true;
    canvas->origin = POINT{0, 0};
    canvas->clip = w->ClientRect();
    canvas->paint = canvas->clip;
    canvas->erase = FALSE;
    canvas->token = w;
    return true;
  }

  void ReleaseDC(CWnd*, const gdi::WindowCanvas& canvas) override {
    auto* w = static_cast<Window*>(canvas.token);
    if (Window::IsLive(w) && w->peer) w->peer->Present(w->ClientRect());
  }
};

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

void InstallWindowCanvases() {
  static WindowCanvases canvases;
  static bool installed = false;
  if (installed) return;
  installed = true;
  gdi::SetWindowCanvasProvider(&canvases);
}

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
