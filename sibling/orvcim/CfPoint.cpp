#include "sibling/orvcim/CfPoint.h"

#include <cmath>
#include <limits>

namespace {
// The integer position of a double coordinate: truncated, saturated, NaN as 0.
LONG ToLong(double v) {
  if (std::isnan(v)) return 0;
  if (v <= std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  if (v >= std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  return static_cast<LONG>(v);
}
}  // namespace

CfPoint::CfPoint(double x0, double y0) : CPoint(ToLong(x0), ToLong(y0)), fx(x0), fy(y0) {}

CfPoint::~CfPoint() = default;
