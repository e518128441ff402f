#pragma once
// The chart drawn into a memory bitmap, and what the tests read from such pictures.
#include <set>
#include <utility>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Surface.h"
#include "sibling/skyview/chart/SkyChartDraw.h"

namespace orv::sky::test {

inline constexpr int kWidth = 400;
inline constexpr int kHeight = 300;

inline gdi::Surface DrawChart(const SkyChartStyle& style) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  DrawSkyChart(dc, CRect(0, 0, kWidth, kHeight), style);
  dc.SelectObject(old);
  return *bitmap.GetSurface();
}

using PixelSet = std::set<std::pair<int, int>>;

inline PixelSet PixelsOf(const gdi::Surface& s, COLORREF color) {
  PixelSet found;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.PixelColor(x, y) == color) found.emplace(x, y);
  return found;
}

// Where two pictures of the same size differ.
inline CRect DifferenceBounds(const gdi::Surface& a, const gdi::Surface& b) {
  CRect box;
  box.SetRectEmpty();
  bool any = false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      if (a.PixelColor(x, y) == b.PixelColor(x, y)) continue;
      if (!any) box = CRect(x, y, x + 1, y + 1);
      box.left = std::min<int>(box.left, x);
      box.top = std::min<int>(box.top, y);
      box.right = std::max<int>(box.right, x + 1);
      box.bottom = std::max<int>(box.bottom, y + 1);
      any = true;
    }
  return box;
}

}  // namespace orv::sky::test
