// Rendering rows with SSE2, the instruction set every x86-64 processor has. Levels are
// computed four pixels at a time exactly as the scalar rule does (see Levels); the last
// pixels of a row go through the scalar writers.
#include <emmintrin.h>

#include <cstring>

#include "image/detail/RenderKernels.h"

namespace orv::render {
namespace {

using level::FloatWindow;

// Far enough ahead that a line has arrived before the loop reaches it.
constexpr int kPrefetchBytes = 4096;

struct Window {
  __m128 fmin, fmax, scale;
  explicit Window(const FloatWindow& w)
      : fmin(_mm_set1_ps(w.fmin)), fmax(_mm_set1_ps(w.fmax)), scale(_mm_set1_ps(w.scale)) {}
};

// One call per 64-byte line (16 pixels of a plane). Sample lines go to the L2 cache; bitmap
// lines, which the 32-bit loops read and write back, all the way to L1.
inline void Prefetch(const void* p) { _mm_prefetch(static_cast<const char*>(p) + kPrefetchBytes, _MM_HINT_T1); }
inline void PrefetchDst(const void* p) { _mm_prefetch(static_cast<const char*>(p) + kPrefetchBytes, _MM_HINT_T0); }

// Four display levels (0 ... 255 in 32-bit lanes). max(t, 0) turns NaN and negative products
// into 0 (maxps returns its second operand when the first is NaN), min(., 255) catches
// infinity; then the window's ends, the lower end winning as in the scalar rule. In a Simple
// window the lower-end test is implied by the product (see render::IsSimpleWindow).
template <bool Simple>
inline __m128i Levels(const float* p, const Window& w) {
  __m128 v = _mm_loadu_ps(p);
  __m128 hi = _mm_cmpge_ps(v, w.fmax);
  __m128 t = _mm_mul_ps(_mm_sub_ps(v, w.fmin), w.scale);
  t = _mm_min_ps(_mm_max_ps(t, _mm_setzero_ps()), _mm_set1_ps(255.0f));
  if constexpr (Simple) {
    return _mm_cvttps_epi32(_mm_max_ps(t, _mm_and_ps(hi, _mm_set1_ps(255.0f))));
  } else {
    __m128 lo = _mm_cmple_ps(v, w.fmin);
    __m128i l = _mm_cvttps_epi32(t);
    l = _mm_or_si128(l, _mm_and_si128(_mm_castps_si128(hi), _mm_set1_epi32(255)));
    return _mm_andnot_si128(_mm_castps_si128(lo), l);
  }
}

template <bool S>
inline __m128i LevelBytes(const float* p, const Window& w) {
  __m128i a = _mm_packs_epi32(Levels<S>(p, w), Levels<S>(p + 4, w));
  __m128i b = _mm_packs_epi32(Levels<S>(p + 8, w), Levels<S>(p + 12, w));
  return _mm_packus_epi16(a, b);
}

// Eight levels as 16-bit lanes, dithered (dither holds 4 in the lanes of even x + y).
template <bool S>
inline __m128i DitheredWords(const float* p, const Window& w, __m128i dither) {
  __m128i l = _mm_packs_epi32(Levels<S>(p, w), Levels<S>(p + 4, w));
  return _mm_min_epi16(_mm_add_epi16(l, dither), _mm_set1_epi16(255));
}

inline __m128i DitherPattern(int x, int y) {
  return ((x + y) & 1) == 0 ? _mm_set_epi16(0, 4, 0, 4, 0, 4, 0, 4) : _mm_set_epi16(4, 0, 4, 0, 4, 0, 4, 0);
}

inline __m128i Pack555(__m128i r, __m128i g, __m128i b) {
  __m128i top = _mm_set1_epi16(0xF8);
  return _mm_or_si128(_mm_or_si128(_mm_slli_epi16(_mm_and_si128(r, top), 7), _mm_slli_epi16(_mm_and_si128(g, top), 2)),
                      _mm_srli_epi16(b, 3));
}

// The 5-5-5 word of a grey level: (l >> 3) in all three fields, one multiply.
inline __m128i PackGrey555(__m128i l) { return _mm_mullo_epi16(_mm_srli_epi16(l, 3), _mm_set1_epi16(0x0421)); }

// Four pixels with blue, green, red in the low three bytes of each 32-bit lane.
inline __m128i Bgr(__m128i r, __m128i g, __m128i b) {
  return _mm_or_si128(_mm_or_si128(b, _mm_slli_epi32(g, 8)), _mm_slli_epi32(r, 16));
}

// 32-bit pixels: the fourth byte of the pixel already in dst is kept.
inline void StoreBgrx(BYTE* dst, __m128i r, __m128i g, __m128i b) {
  __m128i keep = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(dst)), _mm_set1_epi32(int(0xFF000000u)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_or_si128(Bgr(r, g, b), keep));
}

// Four BGR0 pixels as 12 bytes of blue, green, red: each 64-bit half first closes the gap
// between its two pixels, then the upper half's six bytes move down next to the lower's.
inline void StoreBgr24(BYTE* dst, __m128i bgr) {
  const __m128i even = _mm_set_epi32(0, 0xFFFFFF, 0, 0xFFFFFF);
  __m128i six = _mm_or_si128(_mm_and_si128(bgr, even), _mm_srli_epi64(_mm_andnot_si128(even, bgr), 8));
  const __m128i lowHalf = _mm_set_epi32(0, 0, -1, -1);
  __m128i packed = _mm_or_si128(_mm_and_si128(six, lowHalf), _mm_srli_si128(_mm_andnot_si128(lowHalf, six), 2));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), packed);
  const int tail = _mm_cvtsi128_si32(_mm_srli_si128(packed, 8));
  std::memcpy(dst + 8, &tail, 4);
}

inline void Store(BYTE* dst, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), v); }

template <bool S>
void Grey8(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch(src + i);
    Store(dst + i, LevelBytes<S>(src + i, w));
  }
  GreyRowScalar(0, src + i, dst + i, count - i, x + i, y, fw);
}

template <bool S>
void Grey16(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  __m128i dither = DitherPattern(x, y);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch(src + i);
    Store(dst + 2 * i, PackGrey555(DitheredWords<S>(src + i, w, dither)));
    Store(dst + 2 * i + 16, PackGrey555(DitheredWords<S>(src + i + 8, w, dither)));
  }
  GreyRowScalar(1, src + i, dst + 2 * i, count - i, x + i, y, fw);
}

template <bool S>
void Grey24(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch(src + i);
    for (int k = 0; k < 16; k += 4) {
      __m128i l = Levels<S>(src + i + k, w);
      StoreBgr24(dst + 3 * (i + k), Bgr(l, l, l));
    }
  }
  GreyRowScalar(2, src + i, dst + 3 * i, count - i, x + i, y, fw);
}

template <bool S>
void Grey32(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch(src + i);
    PrefetchDst(dst + 4 * i);
    for (int k = 0; k < 16; k += 4) {
      __m128i l = Levels<S>(src + i + k, w);
      StoreBgrx(dst + 4 * (i + k), l, l, l);
    }
  }
  GreyRowScalar(3, src + i, dst + 4 * i, count - i, x + i, y, fw);
}

struct ColorWindows {
  Window r, g, b;
  explicit ColorWindows(const FloatWindow* w) : r(w[0]), g(w[1]), b(w[2]) {}
};

inline void Prefetch3(const float* r, const float* g, const float* b) {
  Prefetch(r);
  Prefetch(g);
  Prefetch(b);
}

template <bool S>
void Color8(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
            const FloatWindow* fw) {
  ColorWindows w(fw);
  int i = 0;
  __m128i maskB = _mm_set1_epi32(0xC0);
  __m128i maskG = _mm_set1_epi32(0x38);
  for (; i + 16 <= count; i += 16) {
    Prefetch3(r + i, g + i, b + i);
    __m128i idx[4];
    for (int k = 0; k < 4; ++k) {
      int j = i + 4 * k;
      __m128i lr = Levels<S>(r + j, w.r);
      __m128i lg = Levels<S>(g + j, w.g);
      __m128i lb = Levels<S>(b + j, w.b);
      idx[k] = _mm_or_si128(_mm_or_si128(_mm_and_si128(lb, maskB), _mm_and_si128(_mm_srli_epi32(lg, 2), maskG)),
                            _mm_srli_epi32(lr, 5));
    }
    Store(dst + i, _mm_packus_epi16(_mm_packs_epi32(idx[0], idx[1]), _mm_packs_epi32(idx[2], idx[3])));
  }
  ColorRowScalar(0, r + i, g + i, b + i, dst + i, count - i, x + i, y, fw);
}

template <bool S>
void Color16(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
             const FloatWindow* fw) {
  ColorWindows w(fw);
  __m128i dither = DitherPattern(x, y);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch3(r + i, g + i, b + i);
    for (int j = i; j < i + 16; j += 8) {
      Store(dst + 2 * j, Pack555(DitheredWords<S>(r + j, w.r, dither), DitheredWords<S>(g + j, w.g, dither),
                                 DitheredWords<S>(b + j, w.b, dither)));
    }
  }
  ColorRowScalar(1, r + i, g + i, b + i, dst + 2 * i, count - i, x + i, y, fw);
}

template <bool S>
void Color24(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
             const FloatWindow* fw) {
  ColorWindows w(fw);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch3(r + i, g + i, b + i);
    for (int j = i; j < i + 16; j += 4)
      StoreBgr24(dst + 3 * j, Bgr(Levels<S>(r + j, w.r), Levels<S>(g + j, w.g), Levels<S>(b + j, w.b)));
  }
  ColorRowScalar(2, r + i, g + i, b + i, dst + 3 * i, count - i, x + i, y, fw);
}

template <bool S>
void Color32(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
             const FloatWindow* fw) {
  ColorWindows w(fw);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch3(r + i, g + i, b + i);
    PrefetchDst(dst + 4 * i);
    for (int k = 0; k < 16; k += 4) {
      int j = i + k;
      StoreBgrx(dst + 4 * j, Levels<S>(r + j, w.r), Levels<S>(g + j, w.g), Levels<S>(b + j, w.b));
    }
  }
  ColorRowScalar(3, r + i, g + i, b + i, dst + 4 * i, count - i, x + i, y, fw);
}

const RowKernels kSse2 = {
    {{Grey8<false>, Grey16<false>, Grey24<false>, Grey32<false>}, {Grey8<true>, Grey16<true>, Grey24<true>, Grey32<true>}},
    {{Color8<false>, Color16<false>, Color24<false>, Color32<false>},
     {Color8<true>, Color16<true>, Color24<true>, Color32<true>}},
};

}  // namespace

const RowKernels& Sse2Kernels() { return kSse2; }

}  // namespace orv::render
