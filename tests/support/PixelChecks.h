#pragma once
// Whole areas of pixels at once, each pixel (x, y) of width x height read through a callable.
#include <algorithm>

#include <gtest/gtest.h>

#include "platform/base/Geometry.h"

namespace orv::test {

// Every pixel read by `actual` equals `expected(x, y)`; a failure names the first pixel that
// does not, and both values.
template <class Actual, class Expected>
::testing::AssertionResult EveryPixel(int width, int height, Actual actual, Expected expected) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto got = actual(x, y);
      const auto want = expected(x, y);
      if (got != want)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << ::testing::PrintToString(got)
                                             << ", expected " << ::testing::PrintToString(want);
    }
  return ::testing::AssertionSuccess();
}

// The smallest rectangle holding every pixel for which `marked(x, y)` holds; empty when none does.
template <class Marked>
CRect BoundsWhere(int width, int height, Marked marked) {
  CRect box(width, height, 0, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (marked(x, y))
        box.SetRect(std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                    std::max<int>(box.bottom, y + 1));
  return box.IsRectEmpty() ? CRect(0, 0, 0, 0) : box;
}

}  // namespace orv::test
