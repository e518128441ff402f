#include "platform/gdi/Surface.h"

#include <climits>
#include <new>

namespace orv::gdi {

bool Surface::Create(int width, int height, PixelFormat format) {
  Clear();
  if (width < 0 || height < 0) return false;
  if (static_cast<std::int64_t>(width) * height > kMaxPixels) return false;
  const int stride = format == PixelFormat::Rgb32 ? width * 4 : ((width + 15) / 16) * 2;
  try {
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    words_.assign((bytes + 3) / 4, 0u);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  stride_ = stride;
  format_ = format;
  return true;
}

bool Surface::Wrap(BYTE* top, std::ptrdiff_t step, int width, int height) {
  Clear();
  if (top == nullptr || width <= 0 || height <= 0) return false;
  if (static_cast<std::int64_t>(width) * height > kMaxPixels) return false;
  const std::int64_t rowBytes = step < 0 ? -static_cast<std::int64_t>(step) : step;
  if (rowBytes < std::int64_t{4} * width || rowBytes > INT_MAX || step % 4 != 0) return false;
  if (reinterpret_cast<std::uintptr_t>(top) % alignof(std::uint32_t) != 0) return false;
  external_ = top;
  width_ = width;
  height_ = height;
  stride_ = static_cast<int>(step);
  format_ = PixelFormat::Rgb32;
  return true;
}

void Surface::Clear() {
  std::vector<std::uint32_t>().swap(words_);
  external_ = nullptr;
  width_ = height_ = stride_ = 0;
  format_ = PixelFormat::Rgb32;
}

std::uint32_t Surface::RawPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const BYTE* row = Row(y);
  if (format_ == PixelFormat::Mono1) return (row[x >> 3] >> (7 - (x & 7))) & 1u;
  return Row32(y)[x];
}

COLORREF Surface::PixelColor(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
  const std::uint32_t raw = RawPixel(x, y);
  if (format_ == PixelFormat::Mono1) return raw != 0 ? RGB(255, 255, 255) : RGB(0, 0, 0);
  return PixelToColor(raw & 0xFFFFFFu);
}

}  // namespace orv::gdi
