// Level windows from the pixels' distribution, and the scroll bars' level scale.
#include "image/LevelScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orv {

namespace {
constexpr std::size_t kMaxLooked = std::size_t{1} << 20;

// The finite pixels of plane, every step-th one.
std::vector<float> FinitePixels(const CLumImage& image, int plane) {
  const std::size_t count = static_cast<std::size_t>(image.GetWidth()) * static_cast<std::size_t>(image.GetHeight());
  std::vector<float> values;
  if (count == 0 || image.GetVmImage() == nullptr || plane < 0 || plane >= image.GetPlanes()) return values;
  const std::size_t step = std::max<std::size_t>(1, count / kMaxLooked);
  values.reserve(std::min(count, kMaxLooked + 1));
  const std::size_t width = static_cast<std::size_t>(image.GetWidth());
  std::size_t next = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    const std::size_t rowStart = static_cast<std::size_t>(y) * width;
    if (next >= rowStart + width) continue;
    const float* row = image.GetImageAdr(0, y, plane, VM_ADR_READ);
    for (; next < rowStart + width; next += step)
      if (std::isfinite(row[next - rowStart])) values.push_back(row[next - rowStart]);
  }
  return values;
}

double At(std::vector<float>& values, double fraction) {
  const double f = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0);
  const std::size_t k = static_cast<std::size_t>(f * static_cast<double>(values.size() - 1) + 0.5);
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
  return values[k];
}
}  // namespace

void PercentileWindow(const CLumImage& image, int plane, double low, double high, double* min, double* max) {
  std::vector<float> values = FinitePixels(image, plane);
  if (values.empty()) {
    *min = *max = 0.0;
    return;
  }
  *min = At(values, low);
  *max = At(values, high);
}

LevelScale::LevelScale(double lo, double hi) : lo_(std::min(lo, hi)), hi_(std::max(lo, hi)) {
  if (!std::isfinite(lo_) || !std::isfinite(hi_)) lo_ = hi_ = 0.0;
}

LevelScale LevelScale::OfPlane(const CLumImage& image, int plane) {
  if (image.GetVmImage() == nullptr || plane < 0 || plane >= image.GetPlanes()) return {};
  float lo = INFINITY, hi = -INFINITY;
  for (int y = 0; y < image.GetHeight(); ++y) {
    const float* row = image.GetImageAdr(0, y, plane, VM_ADR_READ);
    for (int x = 0; x < image.GetWidth(); ++x)
      if (std::isfinite(row[x])) {
        lo = std::min(lo, row[x]);
        hi = std::max(hi, row[x]);
      }
  }
  return lo <= hi ? LevelScale(lo, hi) : LevelScale();
}

double LevelScale::ValueAt(int position) const {
  const double t = static_cast<double>(std::clamp(position, 0, kSteps)) / kSteps;
  return lo_ + (hi_ - lo_) * t * t;
}

int LevelScale::PositionOf(double value) const {
  if (!(hi_ > lo_) || std::isnan(value)) return 0;
  const double t = std::clamp((value - lo_) / (hi_ - lo_), 0.0, 1.0);
  return static_cast<int>(std::lround(std::sqrt(t) * kSteps));
}

}  // namespace orv
