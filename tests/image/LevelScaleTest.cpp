// Level windows from the pixels' distribution and the scroll bars' level scale.
#include "image/LevelScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/image/ImageFixture.h"

namespace {

TEST(LevelScale, PercentilesSkipUndefinedPixels) {
  std::vector<float> values;
  for (int i = 0; i < 100; ++i) values.push_back(static_cast<float>(99 - i));
  values[5] = std::nanf("");
  values[6] = std::numeric_limits<float>::infinity();
  auto image = orv::test::MakeLumImage(10, 10, 1, values);
  double lo = -1, hi = -1;
  orv::PercentileWindow(*image, 0, 0.0, 1.0, &lo, &hi);
  EXPECT_EQ(lo, 0.0);
  EXPECT_EQ(hi, 99.0);
  orv::PercentileWindow(*image, 0, 0.5, 0.9, &lo, &hi);
  EXPECT_EQ(lo, 49.0);  // 98 finite values: 93 and 94 are left out
  EXPECT_EQ(hi, 87.0);
  orv::PercentileWindow(*orv::test::MakeLumImage(1, 1, 1, {std::nanf("")}), 0, 0.1, 0.9, &lo, &hi);
  EXPECT_EQ(hi - lo, 0.0);
}

TEST(LevelScale, PositionsAndLevelsRoundTrip) {
  auto image = orv::test::MakeLumImage(3, 1, 1, {100, std::numeric_limits<float>::infinity(), 10100});
  const orv::LevelScale scale = orv::LevelScale::OfPlane(*image, 0);
  EXPECT_EQ(scale.Lo(), 100.0);
  EXPECT_EQ(scale.Hi(), 10100.0);
  const struct {
    int position;
    double value;
  } rows[] = {{0, 100}, {100, 200}, {500, 2600}, {1000, 10100}, {-5, 100}, {2000, 10100}};
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(scale.ValueAt(row.position), row.value) << row.position;
    EXPECT_EQ(scale.PositionOf(row.value), std::clamp(row.position, 0, orv::LevelScale::kSteps));
  }
  EXPECT_EQ(scale.PositionOf(std::nan("")), 0);
  EXPECT_EQ(orv::LevelScale(5, 5).PositionOf(5), 0);
}

}  // namespace
