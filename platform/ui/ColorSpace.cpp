#include "platform/ui/ColorSpace.h"

#include <algorithm>

namespace {
constexpr int kHlsMax = 240;  // hue, luminance and saturation run 0..240
constexpr int kRgbMax = 255;
constexpr int kUndefinedHue = kHlsMax * 2 / 3;  // grey has no hue; the chooser shows 160

int HueToRgb(int n1, int n2, int hue) {
  if (hue < 0) hue += kHlsMax;
  if (hue > kHlsMax) hue -= kHlsMax;
  if (hue < kHlsMax / 6) return n1 + (((n2 - n1) * hue + (kHlsMax / 12)) / (kHlsMax / 6));
  if (hue < kHlsMax / 2) return n2;
  if (hue < (kHlsMax * 2) / 3) return n1 + (((n2 - n1) * (((kHlsMax * 2) / 3) - hue) + (kHlsMax / 12)) / (kHlsMax / 6));
  return n1;
}
}  // namespace

void ColorRGBToHLS(COLORREF rgb, WORD* hue, WORD* luminance, WORD* saturation) {
  int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  int cMax = std::max({r, g, b});
  int cMin = std::min({r, g, b});
  int l = (((cMax + cMin) * kHlsMax) + kRgbMax) / (2 * kRgbMax);
  int h = kUndefinedHue, s = 0;
  if (cMax != cMin) {
    int sum = cMax + cMin, diff = cMax - cMin;
    s = l <= kHlsMax / 2 ? ((diff * kHlsMax) + (sum / 2)) / sum
                         : ((diff * kHlsMax) + ((2 * kRgbMax - sum) / 2)) / (2 * kRgbMax - sum);
    int rDelta = (((cMax - r) * (kHlsMax / 6)) + (diff / 2)) / diff;
    int gDelta = (((cMax - g) * (kHlsMax / 6)) + (diff / 2)) / diff;
    int bDelta = (((cMax - b) * (kHlsMax / 6)) + (diff / 2)) / diff;
    if (r == cMax) h = bDelta - gDelta;
    else if (g == cMax) h = (kHlsMax / 3) + rDelta - bDelta;
    else h = ((2 * kHlsMax) / 3) + gDelta - rDelta;
    if (h < 0) h += kHlsMax;
    if (h >= kHlsMax) h -= kHlsMax;
  }
  if (hue != nullptr) *hue = static_cast<WORD>(h);
  if (luminance != nullptr) *luminance = static_cast<WORD>(l);
  if (saturation != nullptr) *saturation = static_cast<WORD>(s);
}

COLORREF ColorHLSToRGB(WORD hue, WORD luminance, WORD saturation) {
  int h = std::min<int>(hue, kHlsMax), l = std::min<int>(luminance, kHlsMax), s = std::min<int>(saturation, kHlsMax);
  if (s == 0) {
    int grey = (l * kRgbMax) / kHlsMax;
    return RGB(grey, grey, grey);
  }
  int m2 = l <= kHlsMax / 2 ? (l * (kHlsMax + s) + (kHlsMax / 2)) / kHlsMax : l + s - ((l * s) + (kHlsMax / 2)) / kHlsMax;
  int m1 = 2 * l - m2;
  auto channel = [&](int shift) {
    return std::clamp((HueToRgb(m1, m2, h + shift) * kRgbMax + (kHlsMax / 2)) / kHlsMax, 0, kRgbMax);
  };
  return RGB(channel(kHlsMax / 3), channel(0), channel(-kHlsMax / 3));
}
