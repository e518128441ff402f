#pragma once
// Double to float as IEEE round-to-nearest does it, defined for every input: values beyond
// the float range become infinities (C++ leaves that conversion undefined), NaN stays NaN.
#include <cmath>
#include <limits>

namespace orv {

inline float DoubleToFloat(double d) {
  // The largest float plus half its spacing: from there on, rounding goes to infinity.
  constexpr double kOverflow = 0x1.ffffffp127;
  if (std::isnan(d)) return std::numeric_limits<float>::quiet_NaN();
  if (d >= kOverflow) return std::numeric_limits<float>::infinity();
  if (d <= -kOverflow) return -std::numeric_limits<float>::infinity();
  // Between the largest float and the rounding point: the largest float.
  if (d > std::numeric_limits<float>::max()) return std::numeric_limits<float>::max();
  if (d < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::max();
  return static_cast<float>(d);
}

}  // namespace orv
