#include "platform/gdi/detail/Raster.h"

#include <algorithm>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "platform/gdi/detail/Rop.h"
#include "platform/gdi/detail/StretchMap.h"

namespace orv::gdi {

RECT ClipToSurface(const RECT& clip, const Surface& surface) {
  RECT r{std::max<LONG>(clip.left, 0), std::max<LONG>(clip.top, 0), std::min<LONG>(clip.right, surface.Width()),
         std::min<LONG>(clip.bottom, surface.Height())};
  if (r.right <= r.left || r.bottom <= r.top) r = RECT{0, 0, 0, 0};
  return r;
}

bool IntersectRects(const RECT& a, const RECT& b, RECT* out) {
  out->left = std::max(a.left, b.left);
  out->top = std::max(a.top, b.top);
  out->right = std::min(a.right, b.right);
  out->bottom = std::min(a.bottom, b.bottom);
  return out->left < out->right && out->top < out->bottom;
}

LONG ClampCoord(std::int64_t v) {
  constexpr std::int64_t limit = std::int64_t{1} << 30;
  return static_cast<LONG>(std::clamp(v, -limit, limit));
}

namespace {

// Horizontal stage of a stretch: one word per destination pixel from a source row whose
// first word is source pixel `base`.
using GatherFn = void (*)(const std::uint32_t* words, const int* first, const int* last, int base, int n,
                          std::uint32_t* out);

void GatherLast(const std::uint32_t* words, const int*, const int* last, int base, int n, std::uint32_t* out) {
  for (int k = 0; k < n; ++k) out[k] = words[last[k] - base];
}

// Enlarging by a whole factor F (2, 4 or 8): from its phase on, each source pixel fills F
// destination pixels in a row, so whole groups are written with vector stores.
template <int F>
void GatherRepeat(const std::uint32_t* words, const int*, const int* last, int base, int n, std::uint32_t* out) {
  int k = 0;
  for (; k < n && last[k] == last[0]; ++k) out[k] = words[last[k] - base];  // the first group may be cut
  const std::uint32_t* src = words + (k < n ? last[k] - base : 0);
  int groups = (n - k) / F;
#ifdef __SSE2__
  if constexpr (F == 2) {
    for (; groups >= 4; groups -= 4, src += 4, k += 8) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), _mm_unpacklo_epi32(v, v));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k + 4), _mm_unpackhi_epi32(v, v));
    }
  } else {
    for (; groups > 0; --groups, ++src, k += F) {
      const __m128i v = _mm_set1_epi32(static_cast<int>(*src));
      for (int i = 0; i < F; i += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k + i), v);
    }
  }
#endif
  for (; k < n; ++k) out[k] = words[last[k] - base];
}

// The whole factor F of an enlargement whose source pixels each cover F destination pixels
// (the first and last group may be cut), or 0.
int RepeatFactor(const AxisMap& m) {
  const int n = m.Count();
  if (n < 16) return 0;
  int lead = 1;  // pixels of the first, possibly cut, group
  while (lead < n && m.last[lead] == m.last[0]) ++lead;
  int f = 1;
  while (lead + f < n && m.last[lead + f] == m.last[lead]) ++f;
  if (f != 2 && f != 4 && f != 8) return 0;
  if (lead > f) return 0;
  for (int k = lead; k < n; ++k)
    if (m.last[k] != m.last[lead] + (k - lead) / f) return 0;
  return f;
}

template <bool And>
void GatherFold(const std::uint32_t* words, const int* first, const int* last, int base, int n, std::uint32_t* out) {
  for (int k = 0; k < n; ++k) {
    std::uint32_t v = words[first[k] - base];
    for (int i = first[k] + 1; i <= last[k]; ++i) v = And ? (v & words[i - base]) : (v | words[i - base]);
    out[k] = v;
  }
}

template <bool And>
void FoldInto(std::uint32_t* acc, const std::uint32_t* row, int n) {
  for (int k = 0; k < n; ++k) acc[k] = And ? (acc[k] & row[k]) : (acc[k] | row[k]);
}

}  // namespace

void RopRect(const RasterTarget& target, const RECT& rect, std::uint32_t pattern, std::uint8_t code) {
  if (target.surface == nullptr || RopUsesSource(code)) return;
  RECT r;
  if (!IntersectRects(rect, target.clip, &r)) return;
  Surface& s = *target.surface;
  const FormatOps& ops = OpsFor(s.Format());
  const RopRowFn rop = RopRow(code);
  const int n = r.right - r.left;
  std::vector<std::uint32_t> buf(static_cast<std::size_t>(n));
  for (int y = r.top; y < r.bottom; ++y) {
    std::uint32_t* d = ops.load(s, y, r.left, n, buf.data());
    rop(d, nullptr, pattern, n);
    ops.store(s, y, r.left, n, d);
  }
}

void Blit(const RasterTarget& target, const BlitRequest& request, const SourceImage& source, bool sameSurface) {
  if (target.surface == nullptr) return;
  Surface& s = *target.surface;
  if (request.width == 0 || request.height == 0 || request.srcWidth == 0 || request.srcHeight == 0) return;

  // Negative extents run the other way; opposite signs mirror. A negative destination
  // extent keeps pos as its first pixel (pos + len + 1 ... pos), as the platform draws it.
  auto span = [](std::int64_t pos, int len, std::int64_t* p, std::int64_t* l, bool destination) {
    *p = len < 0 ? pos + len + (destination ? 1 : 0) : pos;
    *l = len < 0 ? -static_cast<std::int64_t>(len) : len;
    return len < 0;
  };
  AxisRequest ax, ay;
  const bool fdx = span(request.x, request.width, &ax.dstPos, &ax.dstLen, true);
  const bool fsx = span(request.srcX, request.srcWidth, &ax.srcPos, &ax.srcLen, false);
  const bool fdy = span(request.y, request.height, &ay.dstPos, &ay.dstLen, true);
  const bool fsy = span(request.srcY, request.srcHeight, &ay.srcPos, &ay.srcLen, false);
  ax.visible0 = target.clip.left;
  ax.visible1 = target.clip.right;
  ax.srcLimit = source.width;
  ax.mirror = fdx != fsx;
  ay.visible0 = target.clip.top;
  ay.visible1 = target.clip.bottom;
  ay.srcLimit = source.height;
  ay.mirror = fdy != fsy;
  ay.fromFarEdge = true;
  AxisMap mx, my;
  if (!MapAxis(ax, &mx) || !MapAxis(ay, &my)) return;

  const SourceReader reader(source, s.Format());
  const int n = mx.Count();
  const int span0 = mx.srcMin;
  const int spanWidth = mx.srcMax - mx.srcMin + 1;

  // A source that is the target itself is read completely before anything is written.
  std::vector<std::uint32_t> snapshot;
  if (sameSurface) {
    const int rows = my.srcMax - my.srcMin + 1;
    snapshot.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(spanWidth));
    for (int r = 0; r < rows; ++r) {
      std::uint32_t* dst = snapshot.data() + static_cast<std::size_t>(r) * spanWidth;
      const std::uint32_t* words = reader.Read(span0, my.srcMin + r, spanWidth, dst);
      if (words != dst) std::copy(words, words + spanWidth, dst);
    }
  }
  std::vector<std::uint32_t> readBuf(sameSurface ? 0 : static_cast<std::size_t>(spanWidth));
  auto readRow = [&](int y) -> const std::uint32_t* {
    if (sameSurface) return snapshot.data() + static_cast<std::size_t>(y - my.srcMin) * spanWidth;
    return reader.Read(span0, y, spanWidth, readBuf.data());
  };

  // Groups of several pixels are combined by the stretch mode: AND keeps black on white,
  // OR keeps white on black; COLORONCOLOR (and HALFTONE) keep one pixel of each group.
  const bool fold = request.stretchMode == 1 || request.stretchMode == 2;
  const bool foldAnd = request.stretchMode == 1;
  const bool shrinkX = ax.srcLen > ax.dstLen;
  GatherFn gather = !(fold && shrinkX) ? &GatherLast : foldAnd ? &GatherFold<true> : &GatherFold<false>;
  if (!shrinkX) {
    switch (RepeatFactor(mx)) {
      case 2: gather = &GatherRepeat<2>; break;
      case 4: gather = &GatherRepeat<4>; break;
      case 8: gather = &GatherRepeat<8>; break;
      default: break;
    }
  }
  const auto foldRows = foldAnd ? &FoldInto<true> : &FoldInto<false>;

  const FormatOps& ops = OpsFor(s.Format());
  const RopRowFn rop = RopRow(request.code);
  std::vector<std::uint32_t> rowBuf(static_cast<std::size_t>(n)), accBuf(static_cast<std::size_t>(n)),
      dstBuf(static_cast<std::size_t>(n));

  auto stretchedRow = [&](int y, std::uint32_t* out) -> const std::uint32_t* {
    const std::uint32_t* words = readRow(y);
    if (mx.identity) return words;
    gather(words, mx.first.data(), mx.last.data(), span0, n, out);
    return out;
  };

  // A plain copy onto 32-bit pixels, the common way of showing a picture, takes shortcuts: the
  // stretched source row goes straight into the destination, and a destination row made from
  // the same source row as the row above it is a copy of that row.
  const bool plainCopy = request.code == 0xCC && s.Format() == PixelFormat::Rgb32;
  const std::size_t rowBytes = static_cast<std::size_t>(n) * sizeof(std::uint32_t);
  int previousSource = -1;
  for (int r = 0; r < my.Count(); ++r) {
    const int y = my.dst0 + r;
    if (plainCopy && !(fold && my.first[r] != my.last[r])) {
      std::uint32_t* d = s.Row32(y) + mx.dst0;
      if (my.last[r] == previousSource) {
        std::memcpy(d, s.Row32(y - 1) + mx.dst0, rowBytes);
        continue;
      }
      const std::uint32_t* words = readRow(my.last[r]);
      if (mx.identity) {
        std::memmove(d, words, rowBytes);
      } else {
        gather(words, mx.first.data(), mx.last.data(), span0, n, d);
      }
      previousSource = my.last[r];
      continue;
    }
    previousSource = -1;
    const std::uint32_t* src;
    if (fold && my.first[r] != my.last[r]) {
      const std::uint32_t* row = stretchedRow(my.first[r], accBuf.data());
      if (row != accBuf.data()) std::copy(row, row + n, accBuf.data());
      for (int sy = my.first[r] + 1; sy <= my.last[r]; ++sy) foldRows(accBuf.data(), stretchedRow(sy, rowBuf.data()), n);
      src = accBuf.data();
    } else {
      src = stretchedRow(my.last[r], rowBuf.data());
    }
    std::uint32_t* d = ops.load(s, y, mx.dst0, n, dstBuf.data());
    rop(d, src, request.pattern, n);
    ops.store(s, y, mx.dst0, n, d);
  }
}

namespace {

// Pixel k of a line lies k steps along the major axis and m(k) = floor((2k*minor + major - 1)
// / (2*major)) along the minor one: Bresenham's choice, ties going toward the start. The
// closed form lets a clipped line start anywhere with exactly the pixels of the whole line.
template <typename Plot>
void WalkLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, const RECT& bounds, Plot plot) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx == 0 && ady == 0) return;
  const bool xMajor = adx >= ady;
  const std::int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const int sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t a0 = xMajor ? x0 : y0, b0 = xMajor ? y0 : x0;
  const std::int64_t lo = xMajor ? bounds.left : bounds.top, hi = xMajor ? bounds.right : bounds.bottom;
  const std::int64_t mlo = xMajor ? bounds.top : bounds.left, mhi = xMajor ? bounds.bottom : bounds.right;
  std::int64_t k0 = sMaj > 0 ? lo - a0 : a0 - hi + 1;
  std::int64_t k1 = sMaj > 0 ? hi - a0 : a0 - lo + 1;
  k0 = std::max<std::int64_t>(k0, 0);
  k1 = std::min<std::int64_t>(k1, major);
  if (k0 >= k1) return;
  const std::int64_t twoMajor = 2 * major;
  const __int128 num = static_cast<__int128>(2 * k0) * minor + major - 1;
  std::int64_t m = static_cast<std::int64_t>(num / twoMajor), rem = static_cast<std::int64_t>(num % twoMajor);
  for (std::int64_t k = k0; k < k1; ++k) {
    const std::int64_t a = a0 + sMaj * k, b = b0 + sMin * m;
    if (b >= mlo && b < mhi) {
      if (xMajor) plot(static_cast<int>(a), static_cast<int>(b));
      else plot(static_cast<int>(b), static_cast<int>(a));
    }
    rem += 2 * minor;
    if (rem >= twoMajor) {
      rem -= twoMajor;
      ++m;
    }
  }
}

}  // namespace

void Line(const RasterTarget& target, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
          std::uint32_t word, int width) {
  if (target.surface == nullptr) return;
  const RECT& c = target.clip;
  if (c.right <= c.left || c.bottom <= c.top) return;
  Surface& s = *target.surface;
  if (width <= 1) {
    if (s.Format() == PixelFormat::Rgb32) {
      WalkLine(x0, y0, x1, y1, c, [&](int x, int y) { s.Row32(y)[x] = word; });
    } else {
      const auto plot = OpsFor(s.Format()).plot;
      WalkLine(x0, y0, x1, y1, c, [&](int x, int y) { plot(s, x, y, word); });
    }
    return;
  }
  // Wide pens: a width x width square on every point; points just outside the clip still
  // reach into it.
  const int before = (width - 1) / 2, after = width - before;
  const RECT wide{c.left - after, c.top - after, c.right + before, c.bottom + before};
  WalkLine(x0, y0, x1, y1, wide, [&](int x, int y) {
    RopRect(target, RECT{x - before, y - before, x + after, y + after}, word, 0xF0);
  });
}

void PaintMask(const RasterTarget& target, int x, int y, const AlphaMask& mask, COLORREF color) {
  if (target.surface == nullptr || mask.data == nullptr) return;
  RECT r;
  if (!IntersectRects(RECT{x, y, x + mask.width, y + mask.height}, target.clip, &r)) return;
  Surface& s = *target.surface;
  if (s.Format() == PixelFormat::Rgb32) {
    const std::uint32_t c = ColorToPixel(ResolveColor(color));
    const unsigned cr = (c >> 16) & 0xFF, cg = (c >> 8) & 0xFF, cb = c & 0xFF;
    for (int py = r.top; py < r.bottom; ++py) {
      const std::uint8_t* a = mask.data + static_cast<std::size_t>(py - y) * mask.width + (r.left - x);
      std::uint32_t* d = s.Row32(py) + r.left;
      for (int i = 0; i < r.right - r.left; ++i) {
        const unsigned al = a[i];
        if (al == 0) continue;
        const unsigned inv = 255 - al, p = d[i];
        const unsigned nr = (cr * al + ((p >> 16) & 0xFF) * inv + 127) / 255;
        const unsigned ng = (cg * al + ((p >> 8) & 0xFF) * inv + 127) / 255;
        const unsigned nb = (cb * al + (p & 0xFF) * inv + 127) / 255;
        d[i] = (nr << 16) | (ng << 8) | nb;
      }
    }
    return;
  }
  const std::uint32_t word = MonoNearest(color);
  const auto plot = OpsFor(s.Format()).plot;
  for (int py = r.top; py < r.bottom; ++py) {
    const std::uint8_t* a = mask.data + static_cast<std::size_t>(py - y) * mask.width + (r.left - x);
    for (int i = 0; i < r.right - r.left; ++i) {
      if (a[i] >= 128) plot(s, r.left + i, py, word);
    }
  }
}

}  // namespace orv::gdi
