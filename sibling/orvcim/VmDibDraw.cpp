// Copying and stretching a paged display bitmap onto a device context.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/DC.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/detail/DibInfo.h"

namespace {

// right - left, held to the range of an int (rectangles from callers may span anything).
int Extent(LONG left, LONG right) {
  return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{right} - left, INT_MIN, INT_MAX));
}

// The part lo ... hi - 1 of 0 ... limit - 1 that pos ... pos + len covers (len < 0 runs the
// other way); false when it covers none.
bool Cover(LONG pos, int len, int limit, LONG* lo, LONG* hi) {
  const std::int64_t a = pos, b = std::int64_t{pos} + len;
  *lo = static_cast<LONG>(std::clamp<std::int64_t>(std::min(a, b), 0, limit));
  *hi = static_cast<LONG>(std::clamp<std::int64_t>(std::max(a, b), 0, limit));
  return *lo < *hi;
}

}  // namespace

BOOL CVmDIB::BitBlt(CWnd* wnd, CDC* dc, const CRect& dest, const CPoint& src, DWORD rop) {
  return StretchBlt(wnd, dc, dest, src, CSize(Extent(dest.left, dest.right), Extent(dest.top, dest.bottom)), rop);
}

BOOL CVmDIB::StretchBlt(CWnd* /*wnd*/, CDC* dc, const CRect& dest, const CPoint& src, const CSize& srcSize,
                        DWORD rop) {
  if (dc == nullptr || !IsReady()) return FALSE;
  const int width = Extent(dest.left, dest.right), height = Extent(dest.top, dest.bottom);
  LONG x0, x1, y0, y1;
  if (width == 0 || height == 0 || !Cover(src.x, srcSize.cx, m_nWidth, &x0, &x1) ||
      !Cover(src.y, srcSize.cy, m_nHeight, &y0, &y1))
    return FALSE;

  const std::size_t rowBytes = m_pVmImage->GetRowBytes();
  const BYTE* bits = GetImageAdr(0, 0, 0, VM_ADR_READ);
  LONG rows = m_nHeight;
  LONG ySrc = src.y;
  std::vector<BYTE> padded;
  if (rowBytes % 4 != 0) {
    // The storage's rows are not padded to 4 bytes as a device-independent bitmap's are:
    // the rows that the source rectangle covers are copied into rows that are.
    const std::size_t stride = (rowBytes + 3) / 4 * 4;
    padded.assign(stride * static_cast<std::size_t>(y1 - y0), 0);
    for (LONG y = y0; y < y1; ++y)
      std::memcpy(padded.data() + stride * static_cast<std::size_t>(y - y0), GetImageAdr(0, y, 0, VM_ADR_READ), rowBytes);
    bits = padded.data();
    rows = y1 - y0;
    ySrc = src.y - y0;
  }
  // Top-down rows (a negative height): the source y counts from the top, as the storage's do.
  const orv::dib::DibInfo info = orv::dib::DescribeBitmap(*this, -rows);
  return dc->StretchDIBits(dest.left, dest.top, width, height, src.x, ySrc, srcSize.cx, srcSize.cy, bits, info.Get(),
                           DIB_RGB_COLORS, rop) != 0
             ? TRUE
             : FALSE;
}
