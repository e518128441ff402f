#pragma once
// Rendering a float sample image into a display bitmap through each plane's level window:
// what the sample dialog does before each paint.
//
// Display pixel (x, y) comes from sample pixel (x, y). area, when given, limits the work to
// a rectangle of bitmap pixels (cut to the bitmap); null means the whole bitmap. Only the
// part that bitmap and sample share is written, so a bitmap larger than the sample is safe.
// A single-plane sample renders as grey from plane 0, a colour sample (three planes) from
// planes 0, 1, 2 as red, green, blue. A bitmap that is not allocated is left alone. A memory
// bitmap's device context shows the rendered pixels afterwards (CMemoryDIB::GetDC).
//
// Per pixel and plane the level is the float rule of CLumImage::GetPixelGray256 with
// fmin, fmax and scale: 0 at or below fmin, 255 at or above fmax, else (v - fmin) x scale
// truncated; NaN gives 0. Every code path gives the same bytes.
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/Image.h"

namespace orv {

// The instruction sets the rendering loops come in. The best one the processor has is
// chosen once per process; the others stay available for comparison.
enum class RenderPath { Scalar, Sse2, Avx2 };

ORV_API RenderPath BestRenderPath();
ORV_API bool IsRenderPathSupported(RenderPath path);

ORV_API void RenderSample(const CLumImage& sample, CMemoryDIB* dib, const CRect* area);
ORV_API void RenderSample(const CLumImage& sample, CVmDIB* dib, const CRect* area);
// The same through a chosen path; a path the processor lacks falls back to the best one.
ORV_API void RenderSample(const CLumImage& sample, CMemoryDIB* dib, const CRect* area, RenderPath path);
ORV_API void RenderSample(const CLumImage& sample, CVmDIB* dib, const CRect* area, RenderPath path);

}  // namespace orv
