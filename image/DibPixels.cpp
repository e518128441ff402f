// Pixel writers and address functions of the display bitmaps.
#include "image/PixelPacking.h"
#include "sibling/orvcim/Dib.h"

namespace px = orv::pixel;

int CBaseDIB::GetBitCount() const { return m_nBitCount; }
int CBaseDIB::GetBytesPerRow() const { return m_nBytesPerRow; }
int CBaseDIB::GetWidth() const { return m_nWidth; }
int CBaseDIB::GetHeight() const { return m_nHeight; }

namespace {
// Rows are stored bottom-up: row y (0 = top) starts (height - y - 1) rows into the bits.
BYTE* RowAddress(BYTE* bits, int height, int bytesPerRow, int y) {
  return bits + static_cast<std::ptrdiff_t>(height - y - 1) * bytesPerRow;
}
}  // namespace

BYTE* CMemoryDIB::GetImageAdr8(int x, int y) { return RowAddress(GetBits(), m_nHeight, m_nBytesPerRow, y) + x; }
BYTE* CMemoryDIB::GetImageAdr16(int x, int y) {
  return RowAddress(GetBits(), m_nHeight, m_nBytesPerRow, y) + static_cast<std::ptrdiff_t>(x) * 2;
}
BYTE* CMemoryDIB::GetImageAdr24(int x, int y) {
  return RowAddress(GetBits(), m_nHeight, m_nBytesPerRow, y) + static_cast<std::ptrdiff_t>(x) * 3;
}
BYTE* CMemoryDIB::GetImageAdr32(int x, int y) {
  return RowAddress(GetBits(), m_nHeight, m_nBytesPerRow, y) + static_cast<std::ptrdiff_t>(x) * 4;
}

void CMemoryDIB::SetPixel8(int x, int y, COLORREF color) { SetPixel8(GetImageAdr8(x, y), color); }
void CMemoryDIB::SetPixel8(BYTE* p, COLORREF color) { *p = GetRValue(color); }
void CMemoryDIB::SetPixel16(int x, int y, COLORREF color) { SetPixel16(GetImageAdr16(x, y), color); }

void CMemoryDIB::SetPixel16(BYTE* p, COLORREF color) {
  px::StoreWord(p, px::Pack555(GetRValue(color), GetGValue(color), GetBValue(color)));
}

void CMemoryDIB::SetPixel16(BYTE* p, BYTE r, BYTE g, BYTE b) { px::StoreWord(p, px::Pack555(r, g, b)); }

void CMemoryDIB::SetPixel16(BYTE* p, int x, int y, BYTE r, BYTE g, BYTE b) {
  px::StoreWord(p, px::PackDithered555(x, y, r, g, b));
}

void CMemoryDIB::SetPixel24(int x, int y, COLORREF color) { SetPixel24(GetImageAdr24(x, y), color); }
void CMemoryDIB::SetPixel32(int x, int y, COLORREF color) { SetPixel32(GetImageAdr32(x, y), color); }

void CMemoryDIB::SetPixel24(BYTE* p, COLORREF color) {
  px::StoreBgr(p, GetRValue(color), GetGValue(color), GetBValue(color));
}

void CMemoryDIB::SetPixel32(BYTE* p, COLORREF color) {
  // The fourth byte is left as it is.
  px::StoreBgr(p, GetRValue(color), GetGValue(color), GetBValue(color));
}

BYTE* CVmDIB::GetImageAdr(int x, int y, int plane, int flag) const {
  if (m_pVmImage == nullptr) return nullptr;
  return m_pVmImage->GetImageAdr(x, y, plane, flag, 0, nullptr);
}

void CVmDIB::SetPixel16(BYTE* p, int x, int y, BYTE r, BYTE g, BYTE b) {
  px::StoreWord(p, px::PackDithered555(x, y, r, g, b));
}
