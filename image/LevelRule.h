#pragma once
// The level rules that map a stored float through a plane's level window to a display
// level 0 ... 255. Every reader and every rendering path goes through these (the vector
// paths are tested against them bit for bit).
//
// Where plain C++ would convert NaN or an out-of-range float to an integer (undefined), the
// result is defined: NaN gives 0, anything at or above 255 (infinity included) gives 255.
#include <cmath>

#include "platform/base/WinTypes.h"
#include "sibling/orvcim/FloatConvert.h"

namespace orv::level {

// Per-plane constants of the float rule: fmin = (float) min, fmax = (float) max,
// scale = (float)(255.0 / range), the division in double.
struct FloatWindow {
  float fmin;
  float fmax;
  float scale;
};

inline FloatWindow MakeFloatWindow(double minimum, double maximum, double range) {
  return {DoubleToFloat(minimum), DoubleToFloat(maximum), DoubleToFloat(255.0 / range)};
}

// An in-range level as a byte, truncated toward zero.
inline BYTE TruncateLevel(float t) {
  if (!(t > 0.0f)) return 0;  // NaN, zero and below
  if (t >= 255.0f) return 255;
  return static_cast<BYTE>(static_cast<int>(t));
}

// An in-range level as a byte, rounded to the nearest integer, ties to even.
inline BYTE RoundLevel(float t) {
  if (!(t > 0.0f)) return 0;
  if (t >= 255.0f) return 255;
  return static_cast<BYTE>(static_cast<int>(std::nearbyint(t)));
}

// The float rule: all in single precision, truncated.
inline BYTE FloatRule(float v, float fmin, float fmax, float scale) {
  if (fmin >= v) return 0;
  if (v >= fmax) return 255;
  return TruncateLevel((v - fmin) * scale);
}

inline BYTE FloatRule(float v, const FloatWindow& w) { return FloatRule(v, w.fmin, w.fmax, w.scale); }

// (v - min) / range x 255 in double, rounded to float; unclamped.
inline float DoubleLevel(double v, double minimum, double range) {
  return DoubleToFloat((v - minimum) / range * 255.0);
}

// The 8-bit rule in double: the window's ends are tested before any division.
inline BYTE DoubleRuleTruncated(double v, double minimum, double maximum, double range) {
  if (minimum >= v) return 0;
  if (v >= maximum) return 255;
  return TruncateLevel(DoubleLevel(v, minimum, range));
}

inline BYTE DoubleRuleRounded(double v, double minimum, double maximum, double range) {
  if (minimum >= v) return 0;
  if (v >= maximum) return 255;
  return RoundLevel(DoubleLevel(v, minimum, range));
}

}  // namespace orv::level
