#pragma once
// A display bitmap described as a device-independent bitmap for the drawing functions:
// the header and colour table laid out as a BITMAPINFO with 256 colours.
#include <cstddef>

#include "platform/gdi/GdiTypes.h"
#include "sibling/orvcim/Dib.h"

namespace orv::dib {

struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
  const BITMAPINFO* Get() const { return reinterpret_cast<const BITMAPINFO*>(this); }
};
static_assert(offsetof(DibInfo, colors) == offsetof(BITMAPINFO, bmiColors));

// dib's width and bit count, and at 8 bits its colour table, for bits of `rows` rows:
// positive when they are stored bottom-up, negative when top-down.
DibInfo DescribeBitmap(const CBaseDIB& dib, LONG rows);

}  // namespace orv::dib
