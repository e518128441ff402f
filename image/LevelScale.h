#pragma once
// Choosing a plane's level window the way astronomers look at their frames: a window from
// the distribution of the pixels (the sky background near black, only the brightest stars
// white), and a scale that turns a scroll bar's position into a level and back.
#include "platform/base/Export.h"
#include "sibling/orvcim/Image.h"

namespace orv {

// The values below which the fractions low and high (0 ... 1) of plane's finite pixels lie,
// as (min, max); at most about a million pixels, evenly spread, are looked at. (0, 0) when
// the plane has no finite pixel.
ORV_API void PercentileWindow(const CLumImage& image, int plane, double low, double high, double* min, double* max);

// Positions 0 ... kSteps over a plane's finite range lo ... hi, quadratic in the position so
// that the steps are fine near the low end, where the sky background and faint detail lie.
class ORV_API LevelScale {
public:
  static constexpr int kSteps = 1000;
  LevelScale() = default;
  LevelScale(double lo, double hi);
  // The finite minimum and maximum of plane.
  static LevelScale OfPlane(const CLumImage& image, int plane);

  double Lo() const { return lo_; }
  double Hi() const { return hi_; }
  // Position to level; positions outside 0 ... kSteps count as the nearer end.
  double ValueAt(int position) const;
  // Level to the position whose level comes nearest it, within 0 ... kSteps.
  int PositionOf(double value) const;

private:
  double lo_ = 0.0;
  double hi_ = 0.0;
};

}  // namespace orv
