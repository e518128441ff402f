#include "res/tools/BmpFile.h"

#include <stdexcept>

namespace orv::rc {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr int kMaxSide = 1 << 15;

std::uint32_t U16(std::span<const std::uint8_t> b, size_t at) { return b[at] | (b[at + 1] << 8); }
std::uint32_t U32(std::span<const std::uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
size_t RowBytes(int width, int bitCount) {
  return ((static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32) * 4;
}

std::optional<BmpImage> Fail(std::string* error, const char* why) {
  if (error) *error = why;
  return std::nullopt;
}

}  // namespace

std::optional<BmpImage> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize) return Fail(error, "too short for a bitmap file");
  if (bytes[0] != 'B' || bytes[1] != 'M') return Fail(error, "no 'BM' signature");
  std::uint32_t bitsOffset = U32(bytes, 10);
  std::uint32_t infoSize = U32(bytes, 14);
  if (infoSize < kInfoHeaderSize || kFileHeaderSize + infoSize > bytes.size())
    return Fail(error, "unsupported info header");
  std::int32_t width = static_cast<std::int32_t>(U32(bytes, 18));
  std::int32_t rawHeight = static_cast<std::int32_t>(U32(bytes, 22));
  std::uint32_t planes = U16(bytes, 26);
  int bitCount = static_cast<int>(U16(bytes, 28));
  std::uint32_t compression = U32(bytes, 30);
  std::uint32_t colorsUsed = U32(bytes, 46);
  if (planes != 1) return Fail(error, "planes must be 1");
  if (compression != 0) return Fail(error, "compressed bitmaps are not supported");
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32)
    return Fail(error, "unsupported bit count");
  bool topDown = rawHeight < 0;
  std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return Fail(error, "bad dimensions");

  BmpImage img;
  img.width = width;
  img.height = static_cast<int>(height);
  img.bitCount = bitCount;
  if (bitCount <= 8) {
    std::uint32_t count = colorsUsed == 0 ? (1u << bitCount) : colorsUsed;
    if (count > (1u << bitCount)) return Fail(error, "palette larger than the bit count allows");
    size_t at = kFileHeaderSize + infoSize;
    if (at + 4 * static_cast<size_t>(count) > bytes.size()) return Fail(error, "palette runs past the end");
    for (std::uint32_t i = 0; i < count; ++i, at += 4)
      img.palette.push_back(RGB(bytes[at + 2], bytes[at + 1], bytes[at]));
  }
  size_t row = RowBytes(width, bitCount);
  if (bitsOffset > bytes.size() || row * static_cast<size_t>(height) > bytes.size() - bitsOffset)
    return Fail(error, "pixel data runs past the end");
  img.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < img.height; ++y) {
    size_t fileRow = topDown ? static_cast<size_t>(y) : static_cast<size_t>(img.height - 1 - y);
    const std::uint8_t* p = bytes.data() + bitsOffset + fileRow * row;
    for (int x = 0; x < width; ++x) {
      COLORREF c;
      if (bitCount <= 8) {
        int perByte = 8 / bitCount;
        int shift = 8 - bitCount * (x % perByte + 1);
        unsigned index = (p[x / perByte] >> shift) & ((1u << bitCount) - 1);
        if (index >= img.palette.size()) return Fail(error, "pixel index outside the palette");
        c = img.palette[index];
      } else {
        const std::uint8_t* q = p + static_cast<size_t>(x) * static_cast<size_t>(bitCount / 8);
        c = RGB(q[2], q[1], q[0]);
      }
      img.pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = c;
    }
  }
  return img;
}

std::vector<std::uint8_t> EncodeBmp(int width, int height, int bitCount, const std::vector<COLORREF>& palette,
                                    const std::vector<std::uint8_t>& indices) {
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) throw std::invalid_argument("EncodeBmp: 1, 4 or 8 bits");
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
    throw std::invalid_argument("EncodeBmp: bad dimensions");
  if (palette.empty() || palette.size() > (1u << bitCount)) throw std::invalid_argument("EncodeBmp: bad palette");
  if (indices.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    throw std::invalid_argument("EncodeBmp: index count differs from the size");
  size_t row = RowBytes(width, bitCount);
  std::uint32_t bitsOffset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + 4 * palette.size());
  std::uint32_t imageSize = static_cast<std::uint32_t>(row * static_cast<size_t>(height));
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, bitsOffset + imageSize);
  Put32(out, 0);  // reserved
  Put32(out, bitsOffset);
  Put32(out, kInfoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitCount));
  Put32(out, 0);  // no compression
  Put32(out, imageSize);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(palette.size()));
  Put32(out, 0);
  for (COLORREF c : palette) {
    out.push_back(GetBValue(c));
    out.push_back(GetGValue(c));
    out.push_back(GetRValue(c));
    out.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> bytes(row, 0);
    int perByte = 8 / bitCount;
    for (int x = 0; x < width; ++x) {
      std::uint8_t index = indices[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      if (index >= palette.size()) throw std::invalid_argument("EncodeBmp: index outside the palette");
      int shift = 8 - bitCount * (x % perByte + 1);
      bytes[static_cast<size_t>(x / perByte)] |= static_cast<std::uint8_t>(index << shift);
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

}  // namespace orv::rc
