// Rendering rows with AVX2, eight pixels per step. Chosen at run time only on processors
// that have AVX2. Everything below the target pragma has internal linkage, so no AVX2 code
// can stand in for a function that other files share.
#include <immintrin.h>

#include "image/detail/RenderKernels.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace orv::render {
namespace {

using level::FloatWindow;

// Far enough ahead that a line has arrived before the loop reaches it.
constexpr int kPrefetchBytes = 4096;

struct Window {
  __m256 fmin, fmax, scale;
  explicit Window(const FloatWindow& w)
      : fmin(_mm256_set1_ps(w.fmin)), fmax(_mm256_set1_ps(w.fmax)), scale(_mm256_set1_ps(w.scale)) {}
};

// One call per 64-byte line. Sample lines go to the L2 cache; bitmap lines, which the 32-bit
// loops read and write back, all the way to L1.
inline void Prefetch(const void* p) { _mm_prefetch(static_cast<const char*>(p) + kPrefetchBytes, _MM_HINT_T1); }
inline void PrefetchDst(const void* p) { _mm_prefetch(static_cast<const char*>(p) + kPrefetchBytes, _MM_HINT_T0); }

// Eight display levels (0 ... 255 in 32-bit lanes), as the scalar rule gives them: the
// ordered compares are false for NaN, max(t, 0) returns 0 for a NaN or negative product,
// min(., 255) limits infinity; the lower end of the window wins over the upper. In a Simple
// window the lower-end test is implied by the product (see render::IsSimpleWindow).
template <bool Simple>
inline __m256i Levels(const float* p, const Window& w) {
  __m256 v = _mm256_loadu_ps(p);
  __m256 hi = _mm256_cmp_ps(v, w.fmax, _CMP_GE_OQ);
  __m256 t = _mm256_mul_ps(_mm256_sub_ps(v, w.fmin), w.scale);
  t = _mm256_min_ps(_mm256_max_ps(t, _mm256_setzero_ps()), _mm256_set1_ps(255.0f));
  if constexpr (Simple) {
    return _mm256_cvttps_epi32(_mm256_max_ps(t, _mm256_and_ps(hi, _mm256_set1_ps(255.0f))));
  } else {
    __m256 lo = _mm256_cmp_ps(v, w.fmin, _CMP_LE_OQ);
    __m256i l = _mm256_cvttps_epi32(t);
    l = _mm256_or_si256(l, _mm256_and_si256(_mm256_castps_si256(hi), _mm256_set1_epi32(255)));
    return _mm256_andnot_si256(_mm256_castps_si256(lo), l);
  }
}

// 32 bytes from four vectors of 32-bit levels, in pixel order.
inline __m256i PackBytes(__m256i a, __m256i b, __m256i c, __m256i d) {
  __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(a, b), _mm256_packs_epi32(c, d));
  return _mm256_permutevar8x32_epi32(bytes, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

template <bool S>
inline __m256i LevelBytes(const float* p, const Window& w) {
  return PackBytes(Levels<S>(p, w), Levels<S>(p + 8, w), Levels<S>(p + 16, w), Levels<S>(p + 24, w));
}

// Sixteen levels as 16-bit lanes in pixel order, dithered.
template <bool S>
inline __m256i DitheredWords(const float* p, const Window& w, __m256i dither) {
  __m256i l = _mm256_permute4x64_epi64(_mm256_packs_epi32(Levels<S>(p, w), Levels<S>(p + 8, w)), 0xD8);
  return _mm256_min_epi16(_mm256_add_epi16(l, dither), _mm256_set1_epi16(255));
}

inline __m256i DitherPattern(int x, int y) {
  return ((x + y) & 1) == 0 ? _mm256_set1_epi32(4) : _mm256_set1_epi32(4 << 16);
}

inline __m256i Pack555(__m256i r, __m256i g, __m256i b) {
  __m256i top = _mm256_set1_epi16(0xF8);
  return _mm256_or_si256(
      _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(r, top), 7), _mm256_slli_epi16(_mm256_and_si256(g, top), 2)),
      _mm256_srli_epi16(b, 3));
}

// The 5-5-5 word of a grey level: (l >> 3) in all three fields, one multiply.
inline __m256i PackGrey555(__m256i l) { return _mm256_mullo_epi16(_mm256_srli_epi16(l, 3), _mm256_set1_epi16(0x0421)); }

inline __m256i Bgr(__m256i r, __m256i g, __m256i b) {
  return _mm256_or_si256(_mm256_or_si256(b, _mm256_slli_epi32(g, 8)), _mm256_slli_epi32(r, 16));
}

// 32-bit pixels: the fourth byte already in dst is kept.
inline void StoreBgrx(BYTE* dst, __m256i bgr) {
  __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
  __m256i keep = _mm256_and_si256(old, _mm256_set1_epi32(int(0xFF000000u)));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_or_si256(bgr, keep));
}

inline void Store(BYTE* dst, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), v); }

// 16 bytes, each repeated three times: 48 bytes.
inline void StoreTriples(BYTE* dst, __m128i l) {
  const __m128i s0 = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
  const __m128i s1 = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
  const __m128i s2 = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_shuffle_epi8(l, s0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16), _mm_shuffle_epi8(l, s1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 32), _mm_shuffle_epi8(l, s2));
}

// Eight 32-bit BGR0 pixels as 24 bytes of blue, green, red.
inline void StoreBgr24(BYTE* dst, __m256i bgr) {
  const __m256i squeeze = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,
                                           0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  __m256i packed = _mm256_shuffle_epi8(bgr, squeeze);
  __m128i lo = _mm256_castsi256_si128(packed);
  __m128i hi = _mm256_extracti128_si256(packed, 1);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), lo);
  int tail = _mm_cvtsi128_si32(_mm_srli_si128(lo, 8));
  __builtin_memcpy(dst + 8, &tail, 4);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + 12), hi);
  tail = _mm_cvtsi128_si32(_mm_srli_si128(hi, 8));
  __builtin_memcpy(dst + 20, &tail, 4);
}

template <bool S>
void Grey8(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  int i = 0;
  for (; i + 32 <= count; i += 32) {
    Prefetch(src + i);
    Prefetch(src + i + 16);
    Store(dst + i, LevelBytes<S>(src + i, w));
  }
  GreyRowScalar(0, src + i, dst + i, count - i, x + i, y, fw);
}

template <bool S>
void Grey16(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  __m256i dither = DitherPattern(x, y);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch(src + i);
    __m256i l = DitheredWords<S>(src + i, w, dither);
    Store(dst + 2 * i, PackGrey555(l));
  }
  GreyRowScalar(1, src + i, dst + 2 * i, count - i, x + i, y, fw);
}

template <bool S>
void Grey24(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& fw) {
  Window w(fw);
  int i = 0;
  for (; i + 32 <= count; i += 32) {
    Prefetch(src + i);
    Prefetch(src + i + 16);
    __m256i l = LevelBytes<S>(src + i, w);
    StoreTriples(dst + 3 * i, _mm256_castsi256_si128(l));
    StoreTriples(dst + 3 * i + 48, _mm256_extracti128_si256(l, 1));
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
    __m256i a = Levels<S>(src + i, w);
    __m256i b = Levels<S>(src + i + 8, w);
    StoreBgrx(dst + 4 * i, Bgr(a, a, a));
    StoreBgrx(dst + 4 * i + 32, Bgr(b, b, b));
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
inline __m256i Index332(const float* r, const float* g, const float* b, const ColorWindows& w) {
  __m256i lr = Levels<S>(r, w.r);
  __m256i lg = Levels<S>(g, w.g);
  __m256i lb = Levels<S>(b, w.b);
  return _mm256_or_si256(_mm256_or_si256(_mm256_and_si256(lb, _mm256_set1_epi32(0xC0)),
                                         _mm256_and_si256(_mm256_srli_epi32(lg, 2), _mm256_set1_epi32(0x38))),
                         _mm256_srli_epi32(lr, 5));
}

template <bool S>
void Color8(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
            const FloatWindow* fw) {
  ColorWindows w(fw);
  int i = 0;
  for (; i + 32 <= count; i += 32) {
    Prefetch3(r + i, g + i, b + i);
    Prefetch3(r + i + 16, g + i + 16, b + i + 16);
    Store(dst + i, PackBytes(Index332<S>(r + i, g + i, b + i, w), Index332<S>(r + i + 8, g + i + 8, b + i + 8, w),
                             Index332<S>(r + i + 16, g + i + 16, b + i + 16, w),
                             Index332<S>(r + i + 24, g + i + 24, b + i + 24, w)));
  }
  ColorRowScalar(0, r + i, g + i, b + i, dst + i, count - i, x + i, y, fw);
}

template <bool S>
void Color16(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
             const FloatWindow* fw) {
  ColorWindows w(fw);
  __m256i dither = DitherPattern(x, y);
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    Prefetch3(r + i, g + i, b + i);
    Store(dst + 2 * i, Pack555(DitheredWords<S>(r + i, w.r, dither), DitheredWords<S>(g + i, w.g, dither),
                               DitheredWords<S>(b + i, w.b, dither)));
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
    StoreBgr24(dst + 3 * i, Bgr(Levels<S>(r + i, w.r), Levels<S>(g + i, w.g), Levels<S>(b + i, w.b)));
    int j = i + 8;
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
    StoreBgrx(dst + 4 * i, Bgr(Levels<S>(r + i, w.r), Levels<S>(g + i, w.g), Levels<S>(b + i, w.b)));
    int j = i + 8;
    StoreBgrx(dst + 4 * j, Bgr(Levels<S>(r + j, w.r), Levels<S>(g + j, w.g), Levels<S>(b + j, w.b)));
  }
  ColorRowScalar(3, r + i, g + i, b + i, dst + 4 * i, count - i, x + i, y, fw);
}

const RowKernels kAvx2 = {
    {{Grey8<false>, Grey16<false>, Grey24<false>, Grey32<false>}, {Grey8<true>, Grey16<true>, Grey24<true>, Grey32<true>}},
    {{Color8<false>, Color16<false>, Color24<false>, Color32<false>},
     {Color8<true>, Color16<true>, Color24<true>, Color32<true>}},
};

}  // namespace
}  // namespace orv::render

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

const orv::render::RowKernels& orv::render::Avx2Kernels() { return kAvx2; }
