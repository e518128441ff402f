#include "sibling/orvcim/Dib.h"

#include <limits>
#include <new>

#include "platform/base/Exception.h"

CBaseDIB::~CBaseDIB() = default;

BOOL CBaseDIB::SetGeometry(int width, int height, int bitCount, int bytesPerRow) {
  if (width <= 0 || height <= 0 || bytesPerRow <= 0) return FALSE;
  if (bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32) return FALSE;
  m_nBitCount = bitCount;
  m_nBytesPerRow = bytesPerRow;
  m_nWidth = width;
  m_nHeight = height;
  SetPaletteKind(FALSE);
  return TRUE;
}

void CBaseDIB::SetPaletteKind(BOOL color) {
  m_bColorPalette = color ? TRUE : FALSE;
  for (int i = 0; i < 256; ++i) {
    if (color) {
      // Index BBGGGRRR: each field spread over 0 ... 255.
      int r = (i & 0x07) * 255 / 7;
      int g = ((i >> 3) & 0x07) * 255 / 7;
      int b = ((i >> 6) & 0x03) * 255 / 3;
      m_colorTable[i] = RGB(r, g, b);
    } else {
      m_colorTable[i] = RGB(i, i, i);
    }
  }
}

BOOL CMemoryDIB::Create(int width, int height, int bitCount) {
  Destroy();
  if (width <= 0 || height <= 0) return FALSE;
  // Rows padded to whole 32-bit words.
  long long rowBytes = (static_cast<long long>(width) * bitCount + 31) / 32 * 4;
  if (rowBytes > std::numeric_limits<int>::max()) return FALSE;
  if (!SetGeometry(width, height, bitCount, static_cast<int>(rowBytes))) return FALSE;
  try {
    m_bits.assign(static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    Destroy();
    return FALSE;
  } catch (const std::length_error&) {
    Destroy();
    return FALSE;
  }
  AttachCanvas();
  return TRUE;
}

void CMemoryDIB::Destroy() {
  std::vector<BYTE>().swap(m_bits);
  m_nBitCount = m_nBytesPerRow = m_nWidth = m_nHeight = 0;
  AttachCanvas();
}

CVmDIB::~CVmDIB() = default;

BOOL CVmDIB::Create(CWnd* /*wnd*/, int width, int height, int bitCount, CVmManager* manager) {
  Destroy();
  if (bitCount == 0) bitCount = 32;
  if (width <= 0 || height <= 0) return FALSE;
  long long rowBytes = static_cast<long long>(width) * (bitCount / 8);
  if (rowBytes > std::numeric_limits<int>::max()) return FALSE;
  if (!SetGeometry(width, height, bitCount, static_cast<int>(rowBytes))) return FALSE;
  try {
    m_pVmImage = std::make_unique<CVmImage>(width, height, 1, bitCount / 8, manager);
  } catch (CException* e) {
    e->Delete();
    Destroy();
    return FALSE;
  }
  return TRUE;
}

void CVmDIB::Destroy() {
  m_pVmImage.reset();
  m_nBitCount = m_nBytesPerRow = m_nWidth = m_nHeight = 0;
}
