// Level windows from the pixels' distribution and the scroll bars' level scale.
#include "image/LevelScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/image/ImageFixture.h"

namespace {

TEST(LevelScale, PercentilesAndPositionsOverTheFinitePixels) {
  // 0 ... 99 with a NaN in place of 94 and an infinity in place of 93.
  std::vector<float> values;
  for (int i = 0; i < 100; ++i) values.push_back(static_cast<float>(99 - i));
  values[5] = std::nanf("");
  values[6] = std::numeric_limits<float>::infinity();
  auto image = orv::test::MakeLumImage(10, 10, 1, values);
  double lo = -1, hi = -1;
  orv::PercentileWindow(*image, 0, 0.5, 0.9, &lo, &hi);
  EXPECT_EQ(lo, 49.0);
  EXPECT_EQ(hi, 87.0);

  // The scale over 0 ... 99 is quadratic in the position and held to 0 ... 1000.
  const orv::LevelScale scale = orv::LevelScale::OfPlane(*image, 0);
  const struct {
    int position;
    double value;
  } rows[] = {{0, 0}, {100, 0.99}, {500, 24.75}, {1000, 99}, {-5, 0}, {2000, 99}};
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(scale.ValueAt(row.position), row.value) << row.position;
    EXPECT_EQ(scale.PositionOf(row.value), std::clamp(row.position, 0, orv::LevelScale::kSteps));
  }
  EXPECT_EQ(scale.PositionOf(std::nan("")), 0);
  EXPECT_EQ(orv::LevelScale(5, 5).PositionOf(5), 0);
}

}  // namespace
