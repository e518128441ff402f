#include "platform/gdi/detail/PixelRows.h"

#include <cstring>

namespace orv::gdi {

COLORREF ResolveColor(COLORREF color) {
  // The twenty static colours of the default palette, in its order.
  static constexpr COLORREF kDefaultPalette[20] = {
      RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),   RGB(0, 0, 128),
      RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192), RGB(192, 220, 192), RGB(166, 202, 240),
      RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),
      RGB(255, 255, 0),   RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
  if ((color >> 24) == 0x01) {
    const WORD index = static_cast<WORD>(color & 0xFFFF);
    return kDefaultPalette[index < 20 ? index : 0];
  }
  return color & 0xFFFFFFu;
}

std::uint32_t ColorValue(PixelFormat format, COLORREF color) {
  const COLORREF rgb = ResolveColor(color);
  return format == PixelFormat::Rgb32 ? ColorToPixel(rgb) : MonoNearest(rgb);
}

namespace {

// Rgb32: rows are words already; work happens in place.
std::uint32_t* LoadRgb32(Surface& s, int y, int x, int, std::uint32_t*) { return s.Row32(y) + x; }
void StoreRgb32(Surface&, int, int, int, const std::uint32_t*) {}
void PlotRgb32(Surface& s, int x, int y, std::uint32_t w) { s.Row32(y)[x] = w; }

// Mono1: bits are spread to words on load and gathered back on store.
std::uint32_t* LoadMono(Surface& s, int y, int x, int n, std::uint32_t* buf) {
  const BYTE* row = s.Row(y);
  for (int i = 0; i < n; ++i) {
    const int xi = x + i;
    buf[i] = 0u - static_cast<std::uint32_t>((row[xi >> 3] >> (7 - (xi & 7))) & 1u);
  }
  return buf;
}
void StoreMono(Surface& s, int y, int x, int n, const std::uint32_t* words) {
  BYTE* row = s.Row(y);
  for (int i = 0; i < n; ++i) {
    const int xi = x + i;
    const BYTE mask = static_cast<BYTE>(0x80u >> (xi & 7));
    const BYTE bit = static_cast<BYTE>(0u - (words[i] & 1u));
    row[xi >> 3] = static_cast<BYTE>((row[xi >> 3] & ~mask) | (bit & mask));
  }
}
void PlotMono(Surface& s, int x, int y, std::uint32_t w) { StoreMono(s, y, x, 1, &w); }

constexpr FormatOps kRgb32Ops{&LoadRgb32, &StoreRgb32, &PlotRgb32};
constexpr FormatOps kMonoOps{&LoadMono, &StoreMono, &PlotMono};

inline std::uint32_t Load32(const BYTE* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

const FormatOps& OpsFor(PixelFormat format) {
  return format == PixelFormat::Rgb32 ? kRgb32Ops : kMonoOps;
}

SourceImage SourceOf(const Surface& surface) {
  SourceImage img;
  img.layout = surface.Format() == PixelFormat::Rgb32 ? SourceLayout::Rgb32 : SourceLayout::Mono1;
  img.top = surface.Bits();
  img.step = surface.Stride();
  img.width = surface.Width();
  img.height = surface.Height();
  return img;
}

template <int Bits>
void SourceReader::ReadIndexed(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out) {
  constexpr int perByte = 8 / Bits;
  constexpr unsigned mask = (1u << Bits) - 1u;
  for (int i = 0; i < n; ++i) {
    const int xi = x + i;
    const int shift = (perByte - 1 - xi % perByte) * Bits;
    out[i] = r.lut_[(row[xi / perByte] >> shift) & mask];
  }
}

void SourceReader::ReadRgb32OnMono(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out) {
  const BYTE* p = row + static_cast<std::size_t>(x) * 4;
  for (int i = 0; i < n; ++i) out[i] = ((Load32(p + 4 * i) & 0xFFFFFFu) == r.background_) ? 0xFFFFFFFFu : 0u;
}

// Direct-colour layouts go to Rgb32 first; on a monochrome target they then take the
// nearer of black and white, as colours of a device-independent bitmap do.
static void ToMonoInPlace(std::uint32_t* out, int n) {
  for (int i = 0; i < n; ++i) out[i] = MonoNearest(PixelToColor(out[i]));
}

void SourceReader::ReadRgb555(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out) {
  const BYTE* p = row + static_cast<std::size_t>(x) * 2;
  for (int i = 0; i < n; ++i) {
    const unsigned w = p[2 * i] | (static_cast<unsigned>(p[2 * i + 1]) << 8);
    const unsigned r5 = (w >> 10) & 31u, g5 = (w >> 5) & 31u, b5 = w & 31u;
    out[i] = (((r5 << 3) | (r5 >> 2)) << 16) | (((g5 << 3) | (g5 >> 2)) << 8) | ((b5 << 3) | (b5 >> 2));
  }
  if (r.toMono_) ToMonoInPlace(out, n);
}

void SourceReader::ReadRgb24(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out) {
  const BYTE* p = row + static_cast<std::size_t>(x) * 3;
  for (int i = 0; i < n; ++i, p += 3) out[i] = p[0] | (static_cast<std::uint32_t>(p[1]) << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
  if (r.toMono_) ToMonoInPlace(out, n);
}

void SourceReader::ReadXrgb32(const SourceReader& r, const BYTE* row, int x, int n, std::uint32_t* out) {
  const BYTE* p = row + static_cast<std::size_t>(x) * 4;
  for (int i = 0; i < n; ++i) out[i] = Load32(p + 4 * i) & 0xFFFFFFu;
  if (r.toMono_) ToMonoInPlace(out, n);
}

SourceReader::SourceReader(const SourceImage& image, PixelFormat target) : image_(image) {
  toMono_ = target == PixelFormat::Mono1;
  switch (image.layout) {
    case SourceLayout::Mono1:
      // A monochrome bitmap on a colour target takes the target's text and background
      // colours; on a monochrome target its bits stay as they are.
      lut_[0] = toMono_ ? 0u : ColorToPixel(ResolveColor(image.monoZero));
      lut_[1] = toMono_ ? 0xFFFFFFFFu : ColorToPixel(ResolveColor(image.monoOne));
      read_ = &ReadIndexed<1>;
      break;
    case SourceLayout::Rgb32:
      direct_ = !toMono_;
      background_ = ColorToPixel(ResolveColor(image.background));
      read_ = &ReadRgb32OnMono;
      break;
    case SourceLayout::Pal1:
    case SourceLayout::Pal4:
    case SourceLayout::Pal8: {
      const int entries = image.palette != nullptr ? (image.paletteSize < 256 ? image.paletteSize : 256) : 0;
      for (int i = 0; i < entries; ++i) {
        const RGBQUAD& q = image.palette[i];
        lut_[i] = ColorValue(target, RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
      }
      for (int i = entries; i < 256; ++i) lut_[i] = ColorValue(target, RGB(0, 0, 0));
      read_ = image.layout == SourceLayout::Pal1 ? &ReadIndexed<1>
               : image.layout == SourceLayout::Pal4 ? &ReadIndexed<4>
                                                    : &ReadIndexed<8>;
      break;
    }
    case SourceLayout::Rgb555: read_ = &ReadRgb555; break;
    case SourceLayout::Rgb24: read_ = &ReadRgb24; break;
    case SourceLayout::Xrgb32: read_ = &ReadXrgb32; break;
  }
}

const std::uint32_t* SourceReader::Read(int x, int y, int n, std::uint32_t* buf) const {
  const BYTE* row = image_.top + static_cast<std::ptrdiff_t>(y) * image_.step;
  if (direct_) {
    return reinterpret_cast<const std::uint32_t*>(row) + x;
  }
  read_(*this, row, x, n, buf);
  return buf;
}

}  // namespace orv::gdi
