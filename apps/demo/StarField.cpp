#include "apps/demo/StarField.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace orv::demo {

namespace {
constexpr double kSky = 1200.0;         // background counts
constexpr double kSaturation = 65535.0;
constexpr double kZeroPoint = 5e7;      // total counts of a magnitude-0 star (before saturation)
constexpr double kSeeing = 1.3;         // Gaussian sigma of a star image, pixels

// A blob of brightness amplitude with sigmas sx, sy, turned by angle, added to the plane.
void AddGaussian(std::vector<double>& px, int width, int height, double cx, double cy, double sx, double sy,
                 double angle, double amplitude) {
  const double reach = 4.0 * std::max(sx, sy);
  const int x0 = std::max(0, static_cast<int>(cx - reach)), x1 = std::min(width - 1, static_cast<int>(cx + reach));
  const int y0 = std::max(0, static_cast<int>(cy - reach)), y1 = std::min(height - 1, static_cast<int>(cy + reach));
  const double c = std::cos(angle), s = std::sin(angle);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double dx = x - cx, dy = y - cy;
      const double u = (c * dx + s * dy) / sx, v = (-s * dx + c * dy) / sy;
      px[static_cast<std::size_t>(y) * width + x] += amplitude * std::exp(-0.5 * (u * u + v * v));
    }
}
}  // namespace

std::unique_ptr<CLumImage> MakeStarField(int width, int height, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  std::vector<double> px(static_cast<std::size_t>(width) * height, 0.0);

  // The nebula: a chain of soft, elongated clouds across the middle, with a few knots.
  for (int i = 0; i < 14; ++i) {
    const double t = i / 13.0;
    const double cx = width * (0.3 + 0.4 * t + 0.05 * std::sin(9.0 * t));
    const double cy = height * (0.62 - 0.25 * t + 0.06 * std::cos(7.0 * t));
    AddGaussian(px, width, height, cx, cy, width * (0.05 + 0.05 * uniform(rng)), height * (0.03 + 0.03 * uniform(rng)),
                uniform(rng) * 3.14159, 1500.0 + 1500.0 * uniform(rng));
  }
  for (int i = 0; i < 40; ++i)
    AddGaussian(px, width, height, width * (0.3 + 0.4 * uniform(rng)), height * (0.35 + 0.3 * uniform(rng)),
                3.0 + 8.0 * uniform(rng), 3.0 + 8.0 * uniform(rng), 0.0, 300.0 * uniform(rng));

  // Stars: counts rise steeply toward faint magnitudes, as on the sky.
  const int stars = std::max(50, width * height / 700);
  for (int i = 0; i < stars; ++i) {
    const double magnitude = 13.0 - 9.0 * std::pow(uniform(rng), 3.0);
    const double flux = kZeroPoint * std::pow(10.0, -0.4 * magnitude);
    const double peak = flux / (2.0 * 3.14159265 * kSeeing * kSeeing);
    AddGaussian(px, width, height, uniform(rng) * width, uniform(rng) * height, kSeeing, kSeeing, 0.0, peak);
  }

  auto image = std::make_unique<CLumImage>(-32, width, height, 1);
  std::normal_distribution<double> unit(0.0, 1.0);
  float lo = INFINITY, hi = -INFINITY;
  for (int y = 0; y < height; ++y) {
    float* row = image->GetImageAdr(0, y, 0, 0);
    for (int x = 0; x < width; ++x) {
      const double signal = kSky * (1.0 + 0.15 * y / height) + px[static_cast<std::size_t>(y) * width + x];
      // Photon noise (the square root of the counts, for a gain of 1) and read noise.
      const double counts = signal + std::sqrt(signal) * unit(rng) + 8.0 * unit(rng);
      const float v = static_cast<float>(std::clamp(std::round(counts), 0.0, kSaturation));
      row[x] = v;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  image->SetLevel(0, lo, hi);
  image->SetBottomUp(TRUE);
  return image;
}

}  // namespace orv::demo
