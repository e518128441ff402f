// Brightness of a colour pixel: luminance weights over the three display levels.
#include "image/LevelRule.h"
#include "sibling/orvcim/Image.h"

namespace {
float LevelOf(const CLumImage& image, const float* q, int plane) {
  return orv::level::DoubleLevel(*q, image.GetLevelMin(plane), image.GetLevelRange(plane));
}

// Colour needs three planes; an image with fewer is read as grey from plane 0.
bool HasColorPlanes(const CLumImage& image) { return image.GetDimension() > 2 && image.GetPlanes() >= 3; }
}  // namespace

double CLumImage::CalcBright(double r, double g, double b) { return 0.587 * g + 0.299 * r + 0.114 * b; }

float CLumImage::GetPixelBright256f(int x, int y) const {
  if (!HasColorPlanes(*this)) return GetPixelGray256f(x, y, 0);
  return GetPixelBright256f(GetImageAdr(x, y, 0, VM_ADR_READ), GetImageAdr(x, y, 1, VM_ADR_READ),
                            GetImageAdr(x, y, 2, VM_ADR_READ));
}

float CLumImage::GetPixelBright256f(const float* r, const float* g, const float* b) const {
  if (!HasColorPlanes(*this)) return LevelOf(*this, r, 0);
  float red = LevelOf(*this, r, 0);
  float green = LevelOf(*this, g, 1);
  float blue = LevelOf(*this, b, 2);
  return orv::DoubleToFloat(CalcBright(red, green, blue));
}

float CLumImage::GetPixelBrightRaw(const float* r, const float* g, const float* b) const {
  float bright = GetPixelBright256f(r, g, b);
  return orv::DoubleToFloat(static_cast<double>(bright) / 255.0 * GetLevelRange(0) + GetLevelMin(0));
}
