#pragma once
// Per-format row primitives. Drawing works on rows of 32-bit words: an Rgb32 pixel as it
// is, a monochrome pixel spread to 0 or 0xFFFFFFFF. Each format supplies how to get such a
// row from a surface and put it back, and each source layout how to read its rows as the
// words of a destination format. All of these are picked once per operation.
#include <cstddef>
#include <cstdint>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

namespace orv::gdi {

// The red, green and blue a colour stands for: PALETTEINDEX(n) is colour n of the default
// palette (entry 0 when n is past its end); any other colour is its low 24 bits.
COLORREF ResolveColor(COLORREF color);
// A colour as a word of the format: the Rgb32 pixel, or the nearer of black and white.
std::uint32_t ColorValue(PixelFormat format, COLORREF color);
inline constexpr std::uint32_t MonoNearest(COLORREF c) {
  return (GetRValue(c) + GetGValue(c) + GetBValue(c)) > 382 ? 0xFFFFFFFFu : 0u;
}

struct FormatOps {
  // n words of row y from column x: in place where the format allows, else loaded into buf.
  std::uint32_t* (*load)(Surface& s, int y, int x, int n, std::uint32_t* buf);
  // Puts back what load returned (nothing to do when it was in place).
  void (*store)(Surface& s, int y, int x, int n, const std::uint32_t* words);
  // Writes one word at (x, y).
  void (*plot)(Surface& s, int x, int y, std::uint32_t word);
};
const FormatOps& OpsFor(PixelFormat format);

enum class SourceLayout { Mono1, Rgb32, Pal1, Pal4, Pal8, Rgb555, Rgb24, Xrgb32 };

// Pixels to read from: a surface of a device context, or a device-independent bitmap.
struct SourceImage {
  SourceLayout layout = SourceLayout::Rgb32;
  const BYTE* top = nullptr;  // first byte of the top row
  std::ptrdiff_t step = 0;    // bytes from a row to the one below it (negative bottom-up)
  int width = 0;
  int height = 0;
  const RGBQUAD* palette = nullptr;  // Pal layouts; indexes past the end read as black
  int paletteSize = 0;
  COLORREF monoZero = RGB(0, 0, 0);        // a Mono1 source on Rgb32: colour of bit 0
  COLORREF monoOne = RGB(255, 255, 255);   // ... and of bit 1
  COLORREF background = RGB(255, 255, 255);  // an Rgb32 source on Mono1: this colour gives 1
};

SourceImage SourceOf(const Surface& surface);

class SourceReader {
public:
  SourceReader(const SourceImage& image, PixelFormat target);
  // Words for source pixels x .. x + n - 1 of row y (all inside the image). The result is
  // buf, or a pointer into the source when no conversion is needed.
  const std::uint32_t* Read(int x, int y, int n, std::uint32_t* buf) const;

private:
  using ReadFn = void (*)(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
  SourceImage image_;
  ReadFn read_ = nullptr;
  bool direct_ = false;           // Rgb32 read on Rgb32: no conversion
  std::uint32_t lut_[256] = {};   // palette index (or mono bit) -> word
  std::uint32_t background_ = 0;  // background pixel for Rgb32 -> Mono1
  bool toMono_ = false;

  template <int Bits> static void ReadIndexed(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
  static void ReadRgb32OnMono(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
  static void ReadRgb555(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
  static void ReadRgb24(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
  static void ReadXrgb32(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out);
};

}  // namespace orv::gdi
