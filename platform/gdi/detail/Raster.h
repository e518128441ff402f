#pragma once
// The rasteriser behind the device contexts: raster operations over rectangles, block
// transfers and stretches, lines, and alpha masks. Every entry point picks the format's
// primitives once and then runs tight loops over rows.
#include <cstdint>

#include "platform/base/Geometry.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/detail/PixelRows.h"

namespace orv::gdi {

struct RasterTarget {
  Surface* surface = nullptr;
  RECT clip{0, 0, 0, 0};  // device coordinates, inside the surface
};

// Where a clip rectangle and the surface overlap (empty when none).
RECT ClipToSurface(const RECT& clip, const Surface& surface);
// Intersection of two rectangles; false when it is empty.
bool IntersectRects(const RECT& a, const RECT& b, RECT* out);
// Coordinates far outside any surface are pulled in to where they cannot overflow; a
// surface is at most 2^28 pixels wide, so what lies inside one is unchanged.
LONG ClampCoord(std::int64_t v);

// Raster operation `code` with pattern word `pattern` over the rectangle (device coordinates,
// right and bottom exclusive; empty or inverted rectangles draw nothing).
void RopRect(const RasterTarget& target, const RECT& rect, std::uint32_t pattern, std::uint8_t code);

struct BlitRequest {
  std::int64_t x = 0, y = 0;                               // destination (device coordinates)
  int width = 0, height = 0;
  std::int64_t srcX = 0, srcY = 0;                         // source pixels
  int srcWidth = 0, srcHeight = 0;
  std::uint8_t code = 0xCC;
  std::uint32_t pattern = 0;
  int stretchMode = 1;  // BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE
};

// Block transfer with stretching: negative extents mirror, a zero extent draws nothing,
// source pixels outside the source image are not used. `sameSurface` says that the source
// is the target surface itself (overlapping copies then read the source before writing).
void Blit(const RasterTarget& target, const BlitRequest& request, const SourceImage& source, bool sameSurface);

// A line of `word` from (x0, y0) to (x1, y1), the end point excluded; width > 1 stamps a
// square of that size centred on each point.
void Line(const RasterTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
          std::uint32_t word, int width);

// An 8-bit coverage mask (0 transparent ... 255 solid) placed with its top-left corner at
// (x, y), painted in `color`; Rgb32 blends, Mono1 sets pixels where coverage >= 128.
struct AlphaMask {
  int width = 0, height = 0;
  const std::uint8_t* data = nullptr;  // width * height bytes, rows top-down
};
void PaintMask(const RasterTarget& target, int x, int y, const AlphaMask& mask, COLORREF color);

}  // namespace orv::gdi
