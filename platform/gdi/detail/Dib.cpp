#include "platform/gdi/detail/Dib.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

namespace orv::gdi {
namespace {

constexpr DWORD kBiBitfields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint16_t U16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t U32(const BYTE* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool Fail(std::string* error, const char* text) {
  if (error != nullptr) *error = text;
  return false;
}

// Bit fields are accepted when they describe the layout that plain bits have anyway.
bool StandardMasks(WORD bitCount, const BYTE* masks) {
  const std::uint32_t r = U32(masks), g = U32(masks + 4), b = U32(masks + 8);
  if (bitCount == 16) return r == 0x7C00 && g == 0x03E0 && b == 0x001F;
  if (bitCount == 32) return r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF;
  return false;
}

}  // namespace

bool DescribeDib(const BITMAPINFOHEADER& header, const BYTE* colors, std::size_t colorsAvailable, const BYTE* bits,
                 std::size_t bitsAvailable, DibLayout* out, std::string* error) {
  if (bits == nullptr) return Fail(error, "no pixel data");
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT_MIN) return Fail(error, "bad bitmap size");
  if (header.biPlanes != 1) return Fail(error, "bad plane count");
  const std::int64_t width = header.biWidth;
  const std::int64_t height = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight) : header.biHeight;
  if (width * height > Surface::kMaxPixels) return Fail(error, "bitmap too large");

  SourceImage& img = out->image;
  img = SourceImage{};
  out->palette.clear();
  switch (header.biBitCount) {
    case 1: img.layout = SourceLayout::Pal1; break;
    case 4: img.layout = SourceLayout::Pal4; break;
    case 8: img.layout = SourceLayout::Pal8; break;
    case 16: img.layout = SourceLayout::Rgb555; break;
    case 24: img.layout = SourceLayout::Rgb24; break;
    case 32: img.layout = SourceLayout::Xrgb32; break;
    default: return Fail(error, "unsupported bit count");
  }
  std::size_t paletteBytes = 0;
  if (header.biCompression == kBiBitfields) {
    if ((header.biBitCount != 16 && header.biBitCount != 32) || colors == nullptr || colorsAvailable < 12)
      return Fail(error, "bad bit fields");
    if (!StandardMasks(header.biBitCount, colors)) return Fail(error, "unsupported bit fields");
  } else if (header.biCompression != BI_RGB) {
    return Fail(error, "compressed bitmaps are not supported");
  }
  if (header.biBitCount <= 8) {
    const std::size_t maxEntries = std::size_t{1} << header.biBitCount;
    std::size_t entries = header.biClrUsed == 0 ? maxEntries : header.biClrUsed;
    if (entries > maxEntries) entries = maxEntries;
    paletteBytes = entries * sizeof(RGBQUAD);
    if (colors == nullptr || paletteBytes > colorsAvailable) return Fail(error, "colour table cut short");
    out->palette.resize(entries);
    std::memcpy(out->palette.data(), colors, paletteBytes);
    img.palette = out->palette.data();
    img.paletteSize = static_cast<int>(entries);
  }

  const std::size_t stride = static_cast<std::size_t>(((width * header.biBitCount + 31) / 32) * 4);
  if (stride * static_cast<std::size_t>(height) > bitsAvailable) return Fail(error, "pixel data cut short");
  img.width = static_cast<int>(width);
  img.height = static_cast<int>(height);
  if (header.biHeight > 0) {  // bottom-up: the top row is stored last
    img.top = bits + stride * static_cast<std::size_t>(height - 1);
    img.step = -static_cast<std::ptrdiff_t>(stride);
  } else {
    img.top = bits;
    img.step = static_cast<std::ptrdiff_t>(stride);
  }
  out->monochrome = false;
  if (header.biBitCount == 1 && img.paletteSize == 2) {
    const RGBQUAD& c0 = img.palette[0];
    const RGBQUAD& c1 = img.palette[1];
    out->monochrome = c0.rgbRed == 0 && c0.rgbGreen == 0 && c0.rgbBlue == 0 && c1.rgbRed == 255 &&
                      c1.rgbGreen == 255 && c1.rgbBlue == 255;
  }
  return true;
}

bool ParseBmp(const BYTE* data, std::size_t size, DibLayout* out, std::string* error) {
  if (data == nullptr) return Fail(error, "no data");
  std::size_t headerAt = 0;
  std::size_t bitsAt = 0;  // 0: right after the colour table
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
    if (size < kFileHeaderSize) return Fail(error, "file header cut short");
    headerAt = kFileHeaderSize;
    bitsAt = U32(data + 10);
  }
  if (size < headerAt + 4) return Fail(error, "bitmap header cut short");
  const std::size_t headerSize = U32(data + headerAt);
  if (headerSize > size - headerAt) return Fail(error, "bitmap header cut short");

  BITMAPINFOHEADER h{};
  std::vector<BYTE> coreColors;  // the old core format stores 3-byte colours
  const BYTE* colors = data + headerAt + headerSize;
  std::size_t colorsAvailable = size - headerAt - headerSize;
  if (headerSize == kCoreHeaderSize) {
    const BYTE* p = data + headerAt;
    h.biWidth = U16(p + 4);
    h.biHeight = U16(p + 6);
    h.biPlanes = U16(p + 8);
    h.biBitCount = U16(p + 10);
    h.biCompression = BI_RGB;
    if (h.biBitCount <= 8) {
      const std::size_t entries = std::size_t{1} << h.biBitCount;
      if (entries * 3 > colorsAvailable) return Fail(error, "colour table cut short");
      coreColors.resize(entries * 4);
      for (std::size_t i = 0; i < entries; ++i) {
        std::memcpy(&coreColors[i * 4], colors + i * 3, 3);
        coreColors[i * 4 + 3] = 0;
      }
      if (bitsAt == 0) bitsAt = headerAt + headerSize + entries * 3;
      colors = coreColors.data();
      colorsAvailable = coreColors.size();
    }
  } else if (headerSize >= kInfoHeaderSize) {
    const BYTE* p = data + headerAt;
    h.biSize = static_cast<DWORD>(headerSize);
    h.biWidth = static_cast<LONG>(U32(p + 4));
    h.biHeight = static_cast<LONG>(U32(p + 8));
    h.biPlanes = U16(p + 12);
    h.biBitCount = U16(p + 14);
    h.biCompression = U32(p + 16);
    h.biClrUsed = U32(p + 32);
    if (h.biCompression == kBiBitfields && headerSize == kInfoHeaderSize) {
      // The three masks follow a plain info header; later headers hold them inside.
      colorsAvailable = size - headerAt - headerSize;
    } else if (h.biCompression == kBiBitfields) {
      colors = p + 40;
      colorsAvailable = 12;
    }
  } else {
    return Fail(error, "unknown bitmap header");
  }

  if (bitsAt == 0) {
    std::size_t tableBytes = 0;
    if (h.biBitCount <= 8 && headerSize != kCoreHeaderSize) {
      const std::size_t maxEntries = std::size_t{1} << h.biBitCount;
      const std::size_t entries = h.biClrUsed == 0 || h.biClrUsed > maxEntries ? maxEntries : h.biClrUsed;
      tableBytes = entries * 4;
    } else if (h.biCompression == kBiBitfields && headerSize == kInfoHeaderSize) {
      tableBytes = 12;
    }
    bitsAt = headerAt + headerSize + tableBytes;
  }
  if (bitsAt > size) return Fail(error, "pixel data offset past the end");
  return DescribeDib(h, colors, colorsAvailable, data + bitsAt, size - bitsAt, out, error);
}

bool SurfaceFromDib(const DibLayout& dib, Surface* out) {
  const PixelFormat format = dib.monochrome ? PixelFormat::Mono1 : PixelFormat::Rgb32;
  if (!out->Create(dib.image.width, dib.image.height, format)) return false;
  const SourceReader reader(dib.image, format);
  const FormatOps& ops = OpsFor(format);
  std::vector<std::uint32_t> buf(static_cast<std::size_t>(dib.image.width));
  for (int y = 0; y < dib.image.height; ++y) {
    const std::uint32_t* words = reader.Read(0, y, dib.image.width, buf.data());
    if (format == PixelFormat::Rgb32) {
      std::memcpy(out->Row32(y), words, buf.size() * sizeof(std::uint32_t));
    } else {
      ops.store(*out, y, 0, dib.image.width, words);
    }
  }
  return true;
}

}  // namespace orv::gdi
