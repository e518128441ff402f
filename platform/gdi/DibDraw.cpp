// Device-independent bitmaps drawn straight onto a context.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/gdi/DC.h"
#include "platform/gdi/detail/DcState.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/Rop.h"

using orv::gdi::DcState;

namespace {

// The caller vouches for the sizes of the colour table and bits, as the platform's callers do.
constexpr std::size_t kUnchecked = SIZE_MAX;

bool Describe(const BITMAPINFO* info, const void* bits, UINT colorUse, LONG height, orv::gdi::DibLayout* dib) {
  if (info == nullptr || bits == nullptr || colorUse != DIB_RGB_COLORS) return false;
  BITMAPINFOHEADER header = info->bmiHeader;
  header.biHeight = height;
  return orv::gdi::DescribeDib(header, reinterpret_cast<const BYTE*>(info->bmiColors), kUnchecked,
                               static_cast<const BYTE*>(bits), kUnchecked, dib, nullptr);
}

int Lines(int height) { return height == INT_MIN ? INT_MAX : height < 0 ? -height : height; }

}  // namespace

int CDC::StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                       int srcHeight, const void* bits, const BITMAPINFO* info, UINT colorUse, DWORD rop) {
  DcState& st = *m_state;
  if (st.surface == nullptr || info == nullptr) return 0;
  orv::gdi::DibLayout dib;
  if (!Describe(info, bits, colorUse, info->bmiHeader.biHeight, &dib)) return 0;
  const std::uint8_t code = orv::gdi::RopCode(rop);
  orv::gdi::BlitRequest q;
  q.x = std::int64_t{xDest} + st.OffsetX();
  q.y = std::int64_t{yDest} + st.OffsetY();
  q.width = destWidth;
  q.height = destHeight;
  q.srcX = xSrc;
  q.srcWidth = srcWidth;
  q.srcHeight = srcHeight;
  if (info->bmiHeader.biHeight > 0) {
    // Rows counted from the bottom: the span [ySrc, ySrc + srcHeight) seen from the top.
    const std::int64_t bottomUpEnd = std::int64_t{ySrc} + std::max(srcHeight, 0);
    const std::int64_t topDownTop = std::int64_t{dib.image.height} - bottomUpEnd;
    q.srcY = srcHeight >= 0 ? topDownTop : topDownTop - std::int64_t{srcHeight};
  } else {
    q.srcY = ySrc;
  }
  q.code = code;
  q.pattern = st.brush->hollow ? 0u : orv::gdi::ColorValue(st.surface->Format(), st.brush->color);
  q.stretchMode = st.stretchMode;
  if (!orv::gdi::RopUsesSource(code)) return PatBlt(xDest, yDest, destWidth, destHeight, rop) ? Lines(srcHeight) : 0;
  orv::gdi::Blit(st.Target(), q, dib.image, false);
  return Lines(srcHeight);
}

int CDC::SetDIBitsToDevice(int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                           UINT scanLines, const void* bits, const BITMAPINFO* info, UINT colorUse) {
  DcState& st = *m_state;
  if (st.surface == nullptr || info == nullptr) return 0;
  const LONG fullHeight = info->bmiHeader.biHeight;
  if (fullHeight == 0 || fullHeight == INT_MIN) return 0;
  const std::int64_t rows = fullHeight < 0 ? -std::int64_t{fullHeight} : fullHeight;
  if (startScan >= rows || scanLines == 0) return 0;
  const std::int64_t band = std::min<std::int64_t>(scanLines, rows - startScan);
  orv::gdi::DibLayout dib;
  if (!Describe(info, bits, colorUse, static_cast<LONG>(fullHeight < 0 ? -band : band), &dib)) return 0;

  // Top row of the band and of the source rectangle, both counted from the image's top.
  const std::int64_t w = std::min<std::int64_t>(width, INT_MAX), h = std::min<std::int64_t>(height, INT_MAX);
  std::int64_t bandTop, srcTop;
  if (fullHeight > 0) {
    bandTop = rows - startScan - band;
    srcTop = rows - ySrc - h;
  } else {
    bandTop = startScan;
    srcTop = ySrc;
  }
  orv::gdi::BlitRequest q;
  q.x = std::int64_t{xDest} + st.OffsetX();
  q.y = std::int64_t{yDest} + st.OffsetY();
  q.width = q.srcWidth = static_cast<int>(w);
  q.height = q.srcHeight = static_cast<int>(h);
  q.srcX = xSrc;
  q.srcY = srcTop - bandTop;
  q.code = orv::gdi::RopCode(SRCCOPY);
  orv::gdi::Blit(st.Target(), q, dib.image, false);
  return static_cast<int>(band);
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                      UINT scanLines, const void* bits, const BITMAPINFO* info, UINT colorUse) {
  return dc != nullptr ? dc->SetDIBitsToDevice(xDest, yDest, width, height, xSrc, ySrc, startScan, scanLines, bits,
                                               info, colorUse)
                       : 0;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT colorUse, DWORD rop) {
  return dc != nullptr ? dc->StretchDIBits(xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth, srcHeight,
                                           bits, info, colorUse, rop)
                       : 0;
}
