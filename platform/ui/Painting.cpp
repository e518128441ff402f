// Painting: a window's update region, its drawing surface, and the device contexts that
// windows lend the graphics layer (BeginPaint/EndPaint, GetDC/ReleaseDC).
#include <algorithm>

#include "platform/gdi/DC.h"
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

}  // namespace

void InstallWindowCanvases() {
  static WindowCanvases canvases;
  static bool installed = false;
  if (installed) return;
  installed = true;
  gdi::SetWindowCanvasProvider(&canvases);
}

void Window::Invalidate(const CRect* area, bool erase) {
  CRect client = ClientRect();
  CRect r = client;
  if (area != nullptr) {
    CRect a = *area;
    a.NormalizeRect();
    if (!r.IntersectRect(a, client)) return;
  }
  if (r.IsRectEmpty()) return;
  if (invalid.IsRectEmpty()) {
    invalid = r;
  } else {
    invalid.SetRect(std::min(invalid.left, r.left), std::min(invalid.top, r.top), std::max(invalid.right, r.right),
                    std::max(invalid.bottom, r.bottom));
  }
  eraseNeeded = eraseNeeded || erase;
  if (peer) peer->ScheduleRepaint(r);
}

void Window::Validate(const CRect* area) {
  if (area == nullptr) {
    invalid.SetRectEmpty();
    eraseNeeded = false;
    return;
  }
  // A bounding rectangle can only shrink when the validated part covers whole bands of it.
  CRect a = *area;
  a.NormalizeRect();
  if (a.left <= invalid.left && a.right >= invalid.right) {
    if (a.top <= invalid.top && a.bottom > invalid.top) invalid.top = std::min(a.bottom, invalid.bottom);
    else if (a.bottom >= invalid.bottom && a.top < invalid.bottom) invalid.bottom = std::max(a.top, invalid.top);
  } else if (a.top <= invalid.top && a.bottom >= invalid.bottom) {
    if (a.left <= invalid.left && a.right > invalid.left) invalid.left = std::min(a.right, invalid.right);
    else if (a.right >= invalid.right && a.left < invalid.right) invalid.right = std::max(a.left, invalid.left);
  }
  if (invalid.IsRectEmpty()) {
    invalid.SetRectEmpty();
    eraseNeeded = false;
  }
}

void Window::PaintNow() {
  if (!IsLive(this) || destroying || invalid.IsRectEmpty()) return;
  CRect area = invalid;
  Send(WM_PAINT);
  if (!IsLive(this)) return;
  // A handler that neither painted nor validated would be asked again forever.
  Validate(nullptr);
  if (peer) peer->Present(area);
}

gdi::Surface& Window::ClientSurface() {
  CRect client = ClientRect();
  int width = std::max(1, client.Width());
  int height = std::max(1, client.Height());
  if (!surface_) surface_ = std::make_unique<gdi::Surface>();
  if (surface_->Width() != width || surface_->Height() != height) {
    gdi::Surface resized;
    resized.Create(width, height, gdi::PixelFormat::Rgb32);
    // Keep what was drawn where it still fits; the rest waits for painting.
    if (!surface_->IsEmpty() && !resized.IsEmpty()) {
      int w = std::min(width, surface_->Width());
      int h = std::min(height, surface_->Height());
      for (int y = 0; y < h; ++y) std::copy_n(surface_->Row32(y), w, resized.Row32(y));
    }
    *surface_ = std::move(resized);
  }
  return *surface_;
}

}  // namespace orv::ui

using orv::ui::Window;

CDC* CWnd::GetDC() {
  Window* w = Window::FromHandle(m_hWnd);
  if (w == nullptr) return nullptr;
  w->openDCs.push_back(std::make_unique<CClientDC>(this));
  return w->openDCs.back().get();
}

int CWnd::ReleaseDC(CDC* dc) {
  Window* w = Window::FromHandle(m_hWnd);
  if (w == nullptr || dc == nullptr) return 0;
  auto& dcs = w->openDCs;
  auto it = std::find_if(dcs.begin(), dcs.end(), [&](const auto& p) { return p.get() == dc; });
  if (it == dcs.end()) return 0;
  dcs.erase(it);
  return 1;
}

HDC GetDC(HWND hwnd) {
  CWnd* w = CWnd::FromHandle(hwnd);
  return w != nullptr ? w->GetDC() : nullptr;
}

int ReleaseDC(HWND hwnd, HDC dc) {
  CWnd* w = CWnd::FromHandle(hwnd);
  return w != nullptr ? w->ReleaseDC(dc) : 0;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  CRect r;
  if (rect != nullptr) r = *rect;
  w->Invalidate(rect != nullptr ? &r : nullptr, erase != FALSE);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  CRect r;
  if (rect != nullptr) r = *rect;
  w->Validate(rect != nullptr ? &r : nullptr);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  if (rect != nullptr) *rect = w->invalid.IsRectEmpty() ? CRect() : w->invalid;
  return w->invalid.IsRectEmpty() ? FALSE : TRUE;
}

BOOL UpdateWindow(HWND hwnd) {
  Window* w = Window::FromHandle(hwnd);
  if (w == nullptr) return FALSE;
  w->PaintNow();
  return TRUE;
}
