// Window contexts: CPaintDC and CClientDC draw where the window layer's canvas says, only
// inside its clip, and open and close the canvas exactly once.
#include <gtest/gtest.h>

#include <tuple>

#include "GdiTestSupport.h"
#include "support/PixelChecks.h"

namespace orv::gdi::test {
namespace {

class FakeWindows : public WindowCanvasProvider {
public:
  FakeWindows() {
    surface.Create(40, 30, PixelFormat::Rgb32);
    previous = SetWindowCanvasProvider(this);
  }
  ~FakeWindows() override { SetWindowCanvasProvider(previous); }

  bool BeginPaint(CWnd* wnd, WindowCanvas* canvas) override { return Lend(wnd, canvas, begun); }
  void EndPaint(CWnd* wnd, const WindowCanvas& canvas) override {
    ++ended;
    EXPECT_EQ(wnd, window);
    EXPECT_EQ(canvas.token, &surface);
  }
  bool GetDC(CWnd* wnd, WindowCanvas* canvas) override { return Lend(wnd, canvas, opened); }
  void ReleaseDC(CWnd*, const WindowCanvas&) override { ++released; }

  // Counts the request, and lends the surface to our window only.
  bool Lend(CWnd* wnd, WindowCanvas* canvas, int& requests) {
    ++requests;
    if (wnd != window) return false;
    // The client area at (5, 4) on the surface, clipped to 20 x 10.
    *canvas = WindowCanvas{&surface, POINT{5, 4}, RECT{0, 0, 20, 10}, RECT{1, 2, 3, 4}, TRUE, &surface};
    return true;
  }

  Surface surface;
  CWnd* window = reinterpret_cast<CWnd*>(&surface);  // any address stands for a window here
  WindowCanvasProvider* previous = nullptr;
  int begun = 0, ended = 0, opened = 0, released = 0;
};

TEST(WindowContexts, PaintContextDrawsInTheClientAreaOnlyAndEndsPaintingOnce) {
  FakeWindows windows;
  {
    CPaintDC dc(windows.window);
    EXPECT_EQ(windows.begun, 1);
    EXPECT_EQ(std::tuple(dc.m_ps.rcPaint.right, dc.m_ps.fErase, dc.m_ps.hdc), std::tuple(3, TRUE, dc.GetSafeHdc()));
    dc.FillSolidRect(CRect(-100, -100, 100, 100), RGB(0, 0, 255));
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 2, 2);
    EXPECT_EQ(bitmap.GetSurface()->Format(), PixelFormat::Rgb32);
    EXPECT_EQ(dc.SelectObject(&bitmap), nullptr);  // a window's context has no bitmap to swap
  }
  EXPECT_EQ(windows.ended, 1);
  const CRect clientArea(5, 4, 25, 14);
  EXPECT_TRUE(orv::test::EveryPixel(
      40, 30, [&](int x, int y) { return windows.surface.RawPixel(x, y); },
      [&](int x, int y) { return clientArea.PtInRect(CPoint(x, y)) ? ColorToPixel(RGB(0, 0, 255)) : 0u; }));
}

TEST(WindowContexts, ClientContextUsesTheClientOriginAndReleasesTheCanvas) {
  FakeWindows windows;
  {
    CClientDC dc(windows.window);
    EXPECT_EQ(dc.SetPixel(0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(dc.SetPixel(20, 0, RGB(255, 0, 0)), CLR_INVALID);  // outside the clip
  }
  EXPECT_EQ(std::pair(windows.opened, windows.released), std::pair(1, 1));
  EXPECT_EQ(std::pair(windows.surface.PixelColor(5, 4), windows.surface.PixelColor(25, 4)),
            std::pair(RGB(255, 0, 0), RGB(0, 0, 0)));
}

TEST(WindowContexts, WithoutACanvasNothingIsDrawnAndNothingIsClosed) {
  FakeWindows windows;
  int stranger = 0;
  {
    CPaintDC dc(reinterpret_cast<CWnd*>(&stranger));  // the provider declines this window
    dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(1, 2, 3));
    EXPECT_FALSE(dc.LineTo(3, 3));
    CPaintDC none(nullptr);
  }
  EXPECT_EQ(windows.ended, 0);
  EXPECT_EQ(SetWindowCanvasProvider(nullptr), &windows);
  { CClientDC dc(windows.window); }
  SetWindowCanvasProvider(&windows);
  EXPECT_EQ(windows.opened, 0);
  EXPECT_EQ(RawPixels(windows.surface), RawPixels(FakeWindows().surface));
}

}  // namespace
}  // namespace orv::gdi::test
