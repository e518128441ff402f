#pragma once
// Display pixel formats shared by the pixel writers and the rendering loops.
#include "platform/base/WinTypes.h"

namespace orv::pixel {

// 5-5-5 word: bit 15 zero, red in bits 14-10, green 9-5, blue 4-0.
inline WORD Pack555(unsigned r, unsigned g, unsigned b) {
  return static_cast<WORD>(((r & 0xF8u) << 7) | ((g & 0xF8u) << 2) | ((b & 0xFFu) >> 3));
}

// Half a 5-bit step up on the even squares of a checkerboard (x + y even), at most 255.
inline unsigned Dither(unsigned c, int x, int y) {
  if (((x + y) & 1) != 0) return c;
  return c + 4 > 255 ? 255 : c + 4;
}

inline WORD PackDithered555(int x, int y, unsigned r, unsigned g, unsigned b) {
  return Pack555(Dither(r, x, y), Dither(g, x, y), Dither(b, x, y));
}

// 8-bit colour index BBGGGRRR from the top bits of each level.
inline BYTE Index332(unsigned r, unsigned g, unsigned b) {
  return static_cast<BYTE>((b & 0xC0u) | ((g & 0xE0u) >> 2) | ((r & 0xFFu) >> 5));
}

inline void StoreWord(BYTE* p, WORD w) {
  p[0] = static_cast<BYTE>(w & 0xFF);
  p[1] = static_cast<BYTE>(w >> 8);
}

// Blue, green, red: the first three bytes of a 24- or 32-bit pixel.
inline void StoreBgr(BYTE* p, unsigned r, unsigned g, unsigned b) {
  p[0] = static_cast<BYTE>(b);
  p[1] = static_cast<BYTE>(g);
  p[2] = static_cast<BYTE>(r);
}

}  // namespace orv::pixel
