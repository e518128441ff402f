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

// Indexed by format: 0 = 8, 1 = 16, 2 = 24, 3 = 32 bits.
struct RowKernels {
  GreyRowFn grey[4];
  ColorRowFn color[4];
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
