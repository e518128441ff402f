#pragma once
// The chart drawn into a memory bitmap, and what the tests read from such pictures.
#include <set>
#include <utility>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/Surface.h"
#include "sibling/skyview/chart/SkyChartDraw.h"
#include "support/PixelChecks.h"

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
  return orv::test::BoundsWhere(a.Width(), a.Height(),
                                [&](int x, int y) { return a.PixelColor(x, y) != b.PixelColor(x, y); });
}

}  // namespace orv::sky::test
