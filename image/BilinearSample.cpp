// Bilinear sampling of a float plane at a fractional position.
#include "sibling/orvcim/FloatConvert.h"
#include "sibling/orvcim/Image.h"

namespace {

// The column (row) index and coordinate for one axis of length n: a coordinate at or past
// the last column samples the last column with full weight. Negative coordinates (and an
// axis of one pixel) sample the first column, so that no read leaves the image.
void Axis(double& c, int n, int& i) {
  if (c < 0.0) c = 0.0;
  if (n - 1 > c) {
    i = static_cast<int>(c);
  } else {
    c = n - 1;
    i = n >= 2 ? n - 2 : 0;
  }
}

}  // namespace

float CLumImage::GetPixelGrayRaw(double x, double y, int plane) const {
  const int width = GetWidth();
  const int height = GetHeight();
  if (width <= 0 || height <= 0 || GetVmImage() == nullptr) return 0.0f;
  int ix = 0;
  int iy = 0;
  Axis(x, width, ix);
  Axis(y, height, iy);
  const float* row0 = GetImageAdr(ix, iy, plane, VM_ADR_READ);
  if (ix == x && iy == y) return *row0;

  // The neighbour to the right and below, or the pixel itself where the image ends there
  // (its weight is then zero, since the coordinate sits on the pixel).
  const int dx = ix + 1 < width ? 1 : 0;
  const float* row1 = iy + 1 < height ? GetImageAdr(ix, iy + 1, plane, VM_ADR_READ) : row0;
  const double fx = x - ix;
  const double fy = y - iy;
  const double a = row0[0];
  const double b = row1[0];
  const double c = row0[dx];
  const double d = row1[dx];
  double sum = (1.0 - fx) * (1.0 - fy) * a;
  sum += (1.0 - fx) * fy * b;
  sum += fx * (1.0 - fy) * c;
  sum += fx * fy * d;
  return orv::DoubleToFloat(sum);
}
