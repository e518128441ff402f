// The reference rendering: one pixel at a time, exactly the level rule and pixel formats.
#include "image/PixelPacking.h"
#include "image/detail/RenderKernels.h"

namespace orv::render {
namespace {

using level::FloatRule;
using level::FloatWindow;
namespace px = orv::pixel;

template <int Format>
void GreyRow(const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& w) {
  for (int i = 0; i < count; ++i) {
    unsigned l = FloatRule(src[i], w);
    if constexpr (Format == 0) {
      dst[i] = static_cast<BYTE>(l);
    } else if constexpr (Format == 1) {
      px::StoreWord(dst + 2 * i, px::PackDithered555(x + i, y, l, l, l));
    } else if constexpr (Format == 2) {
      px::StoreBgr(dst + 3 * i, l, l, l);
    } else {
      px::StoreBgr(dst + 4 * i, l, l, l);
    }
  }
}

template <int Format>
void ColorRow(const float* r, const float* g, const float* b, BYTE* dst, int count, int x, int y,
              const FloatWindow* w) {
  for (int i = 0; i < count; ++i) {
    unsigned lr = FloatRule(r[i], w[0]);
    unsigned lg = FloatRule(g[i], w[1]);
    unsigned lb = FloatRule(b[i], w[2]);
    if constexpr (Format == 0) {
      dst[i] = px::Index332(lr, lg, lb);
    } else if constexpr (Format == 1) {
      px::StoreWord(dst + 2 * i, px::PackDithered555(x + i, y, lr, lg, lb));
    } else if constexpr (Format == 2) {
      px::StoreBgr(dst + 3 * i, lr, lg, lb);
    } else {
      px::StoreBgr(dst + 4 * i, lr, lg, lb);
    }
  }
}

constexpr RowKernels kScalar = {
    {{GreyRow<0>, GreyRow<1>, GreyRow<2>, GreyRow<3>}, {GreyRow<0>, GreyRow<1>, GreyRow<2>, GreyRow<3>}},
    {{ColorRow<0>, ColorRow<1>, ColorRow<2>, ColorRow<3>}, {ColorRow<0>, ColorRow<1>, ColorRow<2>, ColorRow<3>}},
};

}  // namespace

const RowKernels& ScalarKernels() { return kScalar; }

void GreyRowScalar(int format, const float* src, BYTE* dst, int count, int x, int y, const FloatWindow& w) {
  kScalar.grey[0][format](src, dst, count, x, y, w);
}

void ColorRowScalar(int format, const float* r, const float* g, const float* b, BYTE* dst, int count, int x,
                    int y, const FloatWindow* w) {
  kScalar.color[0][format](r, g, b, dst, count, x, y, w);
}

}  // namespace orv::render
