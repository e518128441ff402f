#pragma once
// A display bitmap's pixels as plain 8-bit red, green, blue, for writing image files:
// palette indexes through the colour table, 5-5-5 words widened to 8 bits per component.
#include <vector>

#include "platform/base/Export.h"
#include "sibling/orvcim/Dib.h"

namespace orv {

// Row y (0 = top) of dib as width x 3 bytes red, green, blue; empty for a bitmap that is
// not allocated or a row outside it.
ORV_API std::vector<BYTE> BitmapRowRgb(CMemoryDIB& dib, int y);
// The same into out (width x 3 bytes); false, writing nothing, where the above is empty.
ORV_API bool BitmapRowRgb(CMemoryDIB& dib, int y, BYTE* out);

}  // namespace orv
