#pragma once
// Reading and writing the uncompressed Windows bitmap files that hold the mark bitmaps.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace orv::rc {

struct BmpImage {
  int width = 0;
  int height = 0;
  int bitCount = 0;                // 1, 4, 8, 24 or 32
  std::vector<COLORREF> palette;   // empty above 8 bits
  std::vector<COLORREF> pixels;    // width * height, rows from the top
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
};

// Decodes a file of 1, 4, 8, 24 or 32 bits per pixel without compression, bottom-up or
// top-down. Anything else, or a file whose sizes do not add up, gives nullopt and the
// reason in *error.
std::optional<BmpImage> DecodeBmp(std::span<const std::uint8_t> bytes, std::string* error);

// Encodes a palettised image (1, 4 or 8 bits): `indices` holds width * height palette
// indices, rows from the top. The file is written bottom-up, as the platform writes them.
std::vector<std::uint8_t> EncodeBmp(int width, int height, int bitCount, const std::vector<COLORREF>& palette,
                                    const std::vector<std::uint8_t>& indices);

}  // namespace orv::rc
