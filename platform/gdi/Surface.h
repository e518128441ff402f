#pragma once
// Pixel storage behind bitmaps and windows.
//
// Two formats exist, as device-dependent bitmaps on a true-colour display have them:
//   Rgb32 - one 32-bit word per pixel, 0x00RRGGBB in native (little-endian) order, so the
//           bytes in memory are B, G, R, X as in a 32-bit DIB. Rows are top-down and
//           Stride() = 4 * width (a wrapped surface, below, may have other row steps).
//           Raster operations carry the top byte along like the others;
//           fills, lines and text write it as 0. A window layer can show the pixels directly
//           as a 32-bit RGB image without copying.
//   Mono1 - one bit per pixel, the leftmost pixel in the most significant bit of each byte,
//           rows top-down and padded to 16 bits as a monochrome device-dependent bitmap's
//           bits are (so GetBitmapBits/SetBitmapBits copy rows as they are). Bit 1 is white
//           (the background colour when expanded), bit 0 black.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

namespace orv::gdi {

enum class PixelFormat { Rgb32, Mono1 };

class ORV_API Surface {
public:
  // Largest pixel count a surface may hold (a 16384 x 16384 true-colour bitmap); larger
  // requests fail like an allocation that the system refuses.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  Surface() = default;
  // A surface of width x height pixels, all zero (black). Returns false and leaves the
  // surface empty for a negative or too large size, or when memory runs out.
  bool Create(int width, int height, PixelFormat format);
  // An Rgb32 surface over pixels that someone else owns, such as a device-independent
  // bitmap's bits: top is the first byte of the top row, step the bytes from one row to the
  // next one down (negative for rows stored bottom-up). top and step must be multiples of 4
  // and |step| at least 4 * width. The pixels must outlive every use of the surface. Returns
  // false and leaves the surface empty for a bad size or layout.
  bool Wrap(BYTE* top, std::ptrdiff_t step, int width, int height);
  void Clear();

  int Width() const { return width_; }
  int Height() const { return height_; }
  PixelFormat Format() const { return format_; }
  int BitsPerPixel() const { return format_ == PixelFormat::Rgb32 ? 32 : 1; }
  // Bytes from a row to the one below it; negative for a wrapped bottom-up surface.
  int Stride() const { return stride_; }
  bool IsEmpty() const { return width_ <= 0 || height_ <= 0; }

  // The first byte of the top row. An owned surface's bytes run from there for SizeBytes().
  BYTE* Bits() { return external_ != nullptr ? external_ : reinterpret_cast<BYTE*>(words_.data()); }
  const BYTE* Bits() const {
    return external_ != nullptr ? external_ : reinterpret_cast<const BYTE*>(words_.data());
  }
  BYTE* Row(int y) { return Bits() + static_cast<std::ptrdiff_t>(y) * stride_; }
  const BYTE* Row(int y) const { return Bits() + static_cast<std::ptrdiff_t>(y) * stride_; }
  // Row y of an Rgb32 surface as pixels.
  std::uint32_t* Row32(int y) { return reinterpret_cast<std::uint32_t*>(Row(y)); }
  const std::uint32_t* Row32(int y) const { return reinterpret_cast<const std::uint32_t*>(Row(y)); }
  std::size_t SizeBytes() const {
    return static_cast<std::size_t>(stride_ < 0 ? -std::int64_t{stride_} : stride_) * height_;
  }

  // Raw pixel value at (x, y): the 32-bit word, or 0/1 for Mono1. 0 outside the surface.
  std::uint32_t RawPixel(int x, int y) const;
  // Pixel colour as a COLORREF (0x00BBGGRR); Mono1 gives black or white. CLR_INVALID outside.
  COLORREF PixelColor(int x, int y) const;

private:
  std::vector<std::uint32_t> words_;  // word storage keeps Rgb32 rows aligned
  BYTE* external_ = nullptr;          // top row of wrapped pixels (words_ then empty)
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  PixelFormat format_ = PixelFormat::Rgb32;
};

// Conversions between COLORREF (red in the low byte) and an Rgb32 pixel (blue in the low byte).
inline constexpr std::uint32_t ColorToPixel(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
inline constexpr COLORREF PixelToColor(std::uint32_t p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

}  // namespace orv::gdi
