#include "platform/gdi/detail/Raster.h"

#include <algorithm>
#include <vector>

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

void Blit(const RasterTarget& target, const BlitRequest& q, const SourceImage& source, bool sameSurface) {
  if (target.surface == nullptr) return;
  Surface& s = *target.surface;
  if (q.width == 0 || q.height == 0 || q.srcWidth == 0 || q.srcHeight == 0) return;

  // Negative extents run the other way; opposite signs mirror. A negative destination
  // extent keeps pos as its first pixel (pos + len + 1 ... pos), as the platform draws it.
  auto span = [](std::int64_t pos, int len, std::int64_t* p, std::int64_t* l, bool destination) {
    *p = len < 0 ? pos + len + (destination ? 1 : 0) : pos;
    *l = len < 0 ? -static_cast<std::int64_t>(len) : len;
    return len < 0;
  };
  AxisRequest ax, ay;
  const bool fdx = span(q.x, q.width, &ax.dstPos, &ax.dstLen, true);
  const bool fsx = span(q.srcX, q.srcWidth, &ax.srcPos, &ax.srcLen, false);
  const bool fdy = span(q.y, q.height, &ay.dstPos, &ay.dstLen, true);
  const bool fsy = span(q.srcY, q.srcHeight, &ay.srcPos, &ay.srcLen, false);
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
  const bool fold = q.stretchMode == 1 || q.stretchMode == 2;
  const bool foldAnd = q.stretchMode == 1;
  const bool shrinkX = ax.srcLen > ax.dstLen;
  const GatherFn gather = !(fold && shrinkX) ? &GatherLast : foldAnd ? &GatherFold<true> : &GatherFold<false>;
  const auto foldRows = foldAnd ? &FoldInto<true> : &FoldInto<false>;

  const FormatOps& ops = OpsFor(s.Format());
  const RopRowFn rop = RopRow(q.code);
  std::vector<std::uint32_t> rowBuf(static_cast<std::size_t>(n)), accBuf(static_cast<std::size_t>(n)),
      dstBuf(static_cast<std::size_t>(n));

  auto stretchedRow = [&](int y, std::uint32_t* out) -> const std::uint32_t* {
    const std::uint32_t* words = readRow(y);
    if (mx.identity) return words;
    gather(words, mx.first.data(), mx.last.data(), span0, n, out);
    return out;
  };

  for (int r = 0; r < my.Count(); ++r) {
    const int y = my.dst0 + r;
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
    rop(d, src, q.pattern, n);
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
