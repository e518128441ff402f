#pragma once
// One check for a whole area of pixels: every (x, y) of width x height, read by `actual`,
// equals `expected(x, y)`; a failure names the first pixel that does not, and both values.
#include <gtest/gtest.h>

namespace orv::test {

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

}  // namespace orv::test
