// The rendering loop: clip, compute each plane's level constants once, then hand each row
// to the kernel of the chosen instruction set and output format.
#include "image/DisplayRender.h"

#include <algorithm>

#include "image/detail/RenderKernels.h"

namespace orv {
namespace {

using level::FloatWindow;

const render::RowKernels& KernelsFor(RenderPath path) {
  if (!IsRenderPathSupported(path)) path = BestRenderPath();
  switch (path) {
    case RenderPath::Scalar: return render::ScalarKernels();
    case RenderPath::Sse2: return render::Sse2Kernels();
    case RenderPath::Avx2: return render::Avx2Kernels();
  }
  return render::ScalarKernels();
}

int FormatIndex(int bitCount) {
  switch (bitCount) {
    case 8: return 0;
    case 16: return 1;
    case 24: return 2;
    case 32: return 3;
    default: return -1;
  }
}

// Columns x0 ... x1 - 1 and rows y0 ... y1 - 1 to write.
struct Span {
  int x0, x1, y0, y1;
  bool Empty() const { return x1 <= x0 || y1 <= y0; }
};

Span Clip(int width, int height, const CRect* area) {
  if (area == nullptr) return {0, width, 0, height};
  return {std::min(std::max<int>(area->left, 0), width - 1), std::min(std::max<int>(area->right, 0), width),
          std::min(std::max<int>(area->top, 0), height - 1), std::min(std::max<int>(area->bottom, 0), height)};
}

// The row kernels prefetch a fixed distance ahead along their row, which runs on into the
// next row where rows follow each other in memory. Where they do not (an area narrower than
// the image, bitmap rows stored bottom-up), the start of the next row is asked for here, one
// row early.
constexpr std::size_t kRowLeadBytes = 2048;

void PrefetchRowStart(const void* next, const void* current, std::size_t rowBytes) {
  if (static_cast<const char*>(next) == static_cast<const char*>(current) + rowBytes) return;
  const std::size_t bytes = std::min(rowBytes, kRowLeadBytes);
  for (std::size_t offset = 0; offset < bytes; offset += 64) __builtin_prefetch(static_cast<const char*>(next) + offset);
}

// Walks the rows: pixelAddress(x, y) gives the bitmap address of pixel (x, y). Returns the
// rectangle of bitmap pixels written (empty when none).
template <typename PixelAddress>
CRect Render(const CLumImage& sample, int dibWidth, int dibHeight, int bitCount, const CRect* area,
             RenderPath path, PixelAddress pixelAddress) {
  const int format = FormatIndex(bitCount);
  if (format < 0 || sample.GetVmImage() == nullptr) return {};
  // Only what bitmap and sample share.
  const int width = std::min(dibWidth, sample.GetWidth());
  const int height = std::min(dibHeight, sample.GetHeight());
  if (width <= 0 || height <= 0) return {};
  const Span s = Clip(width, height, area);
  if (s.Empty()) return {};

  const render::RowKernels& kernels = KernelsFor(path);
  const bool color = sample.GetDimension() > 2 && sample.GetPlanes() >= 3;
  FloatWindow w[3] = {};
  bool simple = true;
  for (int p = 0; p < (color ? 3 : 1); ++p) {
    w[p] = level::MakeFloatWindow(sample.GetLevelMin(p), sample.GetLevelMax(p), sample.GetLevelRange(p));
    simple = simple && render::IsSimpleWindow(w[p]);
  }
  const render::GreyRowFn grey = kernels.grey[simple][format];
  const render::ColorRowFn colorRow = kernels.color[simple][format];

  const int count = s.x1 - s.x0;
  const int planes = color ? 3 : 1;
  const std::size_t srcRowBytes = static_cast<std::size_t>(count) * sizeof(float);
  const std::size_t dstRowBytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(bitCount / 8);
  // Only the 32-bit kernels read the bitmap (to keep each pixel's fourth byte); the others
  // only write it, and a prefetch there costs more than it saves.
  const bool readsDst = bitCount == 32;
  for (int y = s.y0; y < s.y1; ++y) {
    BYTE* dst = pixelAddress(s.x0, y);
    const float* src[3] = {};
    for (int p = 0; p < planes; ++p) src[p] = sample.GetImageAdr(s.x0, y, p, VM_ADR_READ);
    if (y + 1 < s.y1) {
      if (readsDst) PrefetchRowStart(pixelAddress(s.x0, y + 1), dst, dstRowBytes);
      for (int p = 0; p < planes; ++p)
        PrefetchRowStart(sample.GetImageAdr(s.x0, y + 1, p, VM_ADR_READ), src[p], srcRowBytes);
    }
    if (color) {
      colorRow(src[0], src[1], src[2], dst, count, s.x0, y, w);
    } else {
      grey(src[0], dst, count, s.x0, y, w[0]);
    }
  }
  return CRect(s.x0, s.y0, s.x1, s.y1);
}

}  // namespace

RenderPath BestRenderPath() {
  static const RenderPath best = __builtin_cpu_supports("avx2") ? RenderPath::Avx2 : RenderPath::Sse2;
  return best;
}

bool IsRenderPathSupported(RenderPath path) {
  return path != RenderPath::Avx2 || BestRenderPath() == RenderPath::Avx2;
}

void RenderSample(const CLumImage& sample, CMemoryDIB* dib, const CRect* area, RenderPath path) {
  if (dib == nullptr || !dib->IsReady()) return;
  const int bytesPixel = dib->GetBitCount() / 8;
  BYTE* bits = dib->GetBits();
  const int height = dib->GetHeight();
  const std::ptrdiff_t rowBytes = dib->GetBytesPerRow();
  const CRect done = Render(sample, dib->GetWidth(), height, dib->GetBitCount(), area, path, [&](int x, int y) {
    return bits + (height - y - 1) * rowBytes + static_cast<std::ptrdiff_t>(x) * bytesPixel;
  });
  // Below 32 bits the bitmap's device context shows a copy of the bits.
  if (!done.IsRectEmpty()) dib->RefreshDC(&done);
}

void RenderSample(const CLumImage& sample, CVmDIB* dib, const CRect* area, RenderPath path) {
  if (dib == nullptr || !dib->IsReady()) return;
  Render(sample, dib->GetWidth(), dib->GetHeight(), dib->GetBitCount(), area, path,
         [&](int x, int y) { return dib->GetImageAdr(x, y, 0, 0); });
}

void RenderSample(const CLumImage& sample, CMemoryDIB* dib, const CRect* area) {
  RenderSample(sample, dib, area, BestRenderPath());
}

void RenderSample(const CLumImage& sample, CVmDIB* dib, const CRect* area) {
  RenderSample(sample, dib, area, BestRenderPath());
}

}  // namespace orv
