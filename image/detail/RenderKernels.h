#pragma once
// Row kernels of the display-buffer rendering: one table per instruction set, one entry per
// output format, so the rendering loop picks a kernel once and then only walks rows.
#include "image/LevelRule.h"
#include "platform/base/WinTypes.h"

namespace orv::render {

// Writes count display pixels to dst from count floats at src; x, y is the first pixel's
// position (for the 16-bit dither).
using GreyRowFn = void (*)(const float* src, BYTE* dst, int count, int x, int y,
                           const level::FloatWindow& w);
using ColorRowFn = void (*)(const float* r, const float* g, const float* b, BYTE* dst, int count,
                            int x, int y, const level::FloatWindow* w);

// A window in which every value at or below fmin already gives a product of 0 or NaN, so the
// vector loops may leave out that test: fmin < fmax and a scale that is not negative (nor NaN).
inline bool IsSimpleWindow(const level::FloatWindow& w) { return w.fmin < w.fmax && w.scale >= 0.0f; }

// Indexed by [simple window][format], format 0 = 8, 1 = 16, 2 = 24, 3 = 32 bits.
struct RowKernels {
  GreyRowFn grey[2][4];
  ColorRowFn color[2][4];
};

const RowKernels& ScalarKernels();
const RowKernels& Sse2Kernels();
const RowKernels& Avx2Kernels();

// Scalar row writers for the last pixels of a row after the vector part.
void GreyRowScalar(int format, const float* src, BYTE* dst, int count, int x, int y,
                   const level::FloatWindow& w);
void ColorRowScalar(int format, const float* r, const float* g, const float* b, BYTE* dst, int count,
                    int x, int y, const level::FloatWindow* w);

}  // namespace orv::render
