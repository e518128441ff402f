// Conversions between stored values and display levels through each plane's level window.
// Which step runs in double and which in float is part of the result: the float forms are
// what the rendering loops use, the double forms what the readers use.
#include "image/LevelRule.h"
#include "sibling/orvcim/Image.h"

using orv::DoubleToFloat;
namespace level = orv::level;

float CImage::To256(float v, int plane) const {
  return level::DoubleLevel(v, GetLevelMin(plane), GetLevelRange(plane));
}

BYTE CImage::GetPixelGray256(const float* q, int plane) const {
  return level::DoubleRuleRounded(*q, GetLevelMin(plane), GetLevelMax(plane), GetLevelRange(plane));
}

float CLumImage::ToRaw(float v, int plane) const {
  return DoubleToFloat(static_cast<double>(v) / 255.0 * GetLevelRange(plane) + GetLevelMin(plane));
}

double CLumImage::ToRaw(double v, int plane) const {
  return v / 255.0 * GetLevelRange(plane) + GetLevelMin(plane);
}

BYTE CLumImage::GetPixelGray256(int x, int y, int plane) const {
  return GetPixelGray256(GetImageAdr(x, y, plane, VM_ADR_READ), plane);
}

BYTE CLumImage::GetPixelGray256(const float* q, int plane) const {
  return level::DoubleRuleTruncated(*q, GetLevelMin(plane), GetLevelMax(plane), GetLevelRange(plane));
}

BYTE CLumImage::GetPixelGray256(const float* q, float fmin, float fmax, float scale) const {
  return level::FloatRule(*q, fmin, fmax, scale);
}

BYTE CLumImage::GetPixelGray256(double x, double y, int plane) const {
  return level::DoubleRuleTruncated(GetPixelGrayRaw(x, y, plane), GetLevelMin(plane), GetLevelMax(plane),
                                    GetLevelRange(plane));
}

float CLumImage::GetPixelGray256f(int x, int y, int plane) const {
  return GetPixelGray256f(GetImageAdr(x, y, plane, VM_ADR_READ), plane);
}

float CLumImage::GetPixelGray256f(const float* q, int plane) const {
  return level::DoubleLevel(*q, GetLevelMin(plane), GetLevelRange(plane));
}

float CLumImage::GetPixelGray256f(const float* q, float fmin, float scale) const {
  return (*q - fmin) * scale;
}

float CLumImage::GetPixelGrayRaw(int x, int y, int plane) const {
  return *GetImageAdr(x, y, plane, VM_ADR_READ);
}

float CLumImage::GetPixelGrayRaw(const float* q) const { return *q; }

void CLumImage::SetPixelGray256f(float* q, float v, int plane) const {
  *q = DoubleToFloat(static_cast<double>(v) / 255.0 * GetLevelRange(plane) + GetLevelMin(plane));
}

void CLumImage::SetPixelGrayRaw(float* q, float v) const { *q = v; }
