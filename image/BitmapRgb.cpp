#include "image/BitmapRgb.h"

namespace orv {
namespace {
// A 5-bit component spread over 0 ... 255.
BYTE Widen5(unsigned c) { return static_cast<BYTE>((c << 3) | (c >> 2)); }
}  // namespace

std::vector<BYTE> BitmapRowRgb(CMemoryDIB& dib, int y) {
  std::vector<BYTE> rgb;
  if (dib.IsReady() && y >= 0 && y < dib.GetHeight()) {
    rgb.resize(static_cast<std::size_t>(dib.GetWidth()) * 3);
    BitmapRowRgb(dib, y, rgb.data());
  }
  return rgb;
}

bool BitmapRowRgb(CMemoryDIB& dib, int y, BYTE* out) {
  if (!dib.IsReady() || y < 0 || y >= dib.GetHeight()) return false;
  const int width = dib.GetWidth();
  if (dib.GetBitCount() == 32) {  // the common case, without a switch per pixel
    const BYTE* p = dib.GetImageAdr32(0, y);
    for (int x = 0; x < width; ++x, out += 3, p += 4) {
      out[0] = p[2];
      out[1] = p[1];
      out[2] = p[0];
    }
    return true;
  }
  for (int x = 0; x < width; ++x, out += 3) {
    switch (dib.GetBitCount()) {
      case 8: {
        COLORREF c = dib.GetColorTable()[*dib.GetImageAdr8(x, y)];
        out[0] = GetRValue(c);
        out[1] = GetGValue(c);
        out[2] = GetBValue(c);
        break;
      }
      case 16: {
        const BYTE* p = dib.GetImageAdr16(x, y);
        unsigned w = p[0] | (p[1] << 8);
        out[0] = Widen5((w >> 10) & 0x1F);
        out[1] = Widen5((w >> 5) & 0x1F);
        out[2] = Widen5(w & 0x1F);
        break;
      }
      default: {
        const BYTE* p = dib.GetBitCount() == 24 ? dib.GetImageAdr24(x, y) : dib.GetImageAdr32(x, y);
        out[0] = p[2];
        out[1] = p[1];
        out[2] = p[0];
        break;
      }
    }
  }
  return true;
}

}  // namespace orv
