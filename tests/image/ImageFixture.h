#pragma once
// Small float images for the image tests.
#include <initializer_list>
#include <memory>
#include <vector>

#include "sibling/orvcim/Image.h"

namespace orv::test {

// A width x height float image with planes planes; pixel (x, y) of plane p is
// values[(p * height + y) * width + x] (missing values stay 0).
inline std::unique_ptr<CLumImage> MakeLumImage(int width, int height, int planes, const std::vector<float>& values = {}) {
  auto image = std::make_unique<CLumImage>(-32, width, height, planes);
  std::size_t i = 0;
  for (int p = 0; p < planes; ++p)
    for (int y = 0; y < height; ++y) {
      float* row = image->GetImageAdr(0, y, p, 0);
      for (int x = 0; x < width && i < values.size(); ++x) row[x] = values[i++];
    }
  return image;
}

inline void SetPixel(CLumImage& image, int x, int y, int plane, float v) { *image.GetImageAdr(x, y, plane, 0) = v; }

// Sets every pixel of every plane to value(x, y, plane).
template <class Value>
void FillLumImage(CLumImage& image, Value value) {
  for (int p = 0; p < image.GetPlanes(); ++p)
    for (int y = 0; y < image.GetHeight(); ++y)
      for (int x = 0; x < image.GetWidth(); ++x) SetPixel(image, x, y, p, value(x, y, p));
}

}  // namespace orv::test
