#pragma once
// Device-independent bitmaps: reading their headers safely and turning them into surfaces.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/detail/PixelRows.h"

namespace orv::gdi {

struct DibLayout {
  DibLayout() = default;
  DibLayout(const DibLayout&) = delete;  // image.palette points into this object
  DibLayout& operator=(const DibLayout&) = delete;

  SourceImage image;              // rows as they are stored, addressed top-down
  std::vector<RGBQUAD> palette;   // the colour table, copied (image.palette points here)
  bool monochrome = false;        // 1 bit with a black-then-white palette
};

// Describes bits that follow a BITMAPINFOHEADER (its colour table at `colors`). Sizes of
// the colour table and the bits are checked when known (pass SIZE_MAX when the caller
// vouches for them). Uncompressed bits of 1, 4, 8, 16 (5-5-5), 24 and 32 bits only.
bool DescribeDib(const BITMAPINFOHEADER& header, const BYTE* colors, std::size_t colorsAvailable,
                 const BYTE* bits, std::size_t bitsAvailable, DibLayout* out, std::string* error);

// A whole .bmp file image (BITMAPFILEHEADER first) or a packed DIB (header first, as
// bitmap resources store it). Every offset and size is checked against `size`.
bool ParseBmp(const BYTE* data, std::size_t size, DibLayout* out, std::string* error);

// The bitmap the platform makes of a DIB: monochrome for a black-then-white 1-bit image,
// 32-bit for everything else.
bool SurfaceFromDib(const DibLayout& dib, Surface* out);

}  // namespace orv::gdi
