#include "sibling/orvcim/detail/DibInfo.h"

namespace orv::dib {

DibInfo DescribeBitmap(const CBaseDIB& dib, LONG rows) {
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = dib.GetWidth();
  info.header.biHeight = rows;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(dib.GetBitCount());
  info.header.biCompression = BI_RGB;
  if (dib.GetBitCount() == 8) {
    info.header.biClrUsed = 256;
    const COLORREF* table = dib.GetColorTable();
    for (int i = 0; i < 256; ++i)
      info.colors[i] = RGBQUAD{GetBValue(table[i]), GetGValue(table[i]), GetRValue(table[i]), 0};
  }
  return info;
}

}  // namespace orv::dib
