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

// The row kernels prefetch a fixed distance ahead along their row; the start of the next
// row (elsewhere in memory: bitmap rows may run bottom-up) is asked for here, one row early.
constexpr std::size_t kRowLeadBytes = 2048;

void PrefetchRowStart(const void* p, std::size_t rowBytes) {
  const std::size_t bytes = std::min(rowBytes, kRowLeadBytes);
  for (std::size_t offset = 0; offset < bytes; offset += 64) __builtin_prefetch(static_cast<const char*>(p) + offset);
}

// Walks the rows: pixelAddress(x, y) gives the bitmap address of pixel (x, y).
template <typename PixelAddress>
void Render(const CLumImage& sample, int dibWidth, int dibHeight, int bitCount, const CRect* area,
            RenderPath path, PixelAddress pixelAddress) {
  const int format = FormatIndex(bitCount);
  if (format < 0 || sample.GetVmImage() == nullptr) return;
  // Only what bitmap and sample share.
  const int width = std::min(dibWidth, sample.GetWidth());
  const int height = std::min(dibHeight, sample.GetHeight());
  if (width <= 0 || height <= 0) return;
  const Span s = Clip(width, height, area);
  if (s.Empty()) return;

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
  for (int y = s.y0; y < s.y1; ++y) {
    if (y + 1 < s.y1) {
      PrefetchRowStart(pixelAddress(s.x0, y + 1), dstRowBytes);
      for (int p = 0; p < planes; ++p) PrefetchRowStart(sample.GetImageAdr(s.x0, y + 1, p, VM_ADR_READ), srcRowBytes);
    }
    BYTE* dst = pixelAddress(s.x0, y);
    if (color) {
      colorRow(sample.GetImageAdr(s.x0, y, 0, VM_ADR_READ), sample.GetImageAdr(s.x0, y, 1, VM_ADR_READ),
                            sample.GetImageAdr(s.x0, y, 2, VM_ADR_READ), dst, count, s.x0, y, w);
    } else {
      grey(sample.GetImageAdr(s.x0, y, 0, VM_ADR_READ), dst, count, s.x0, y, w[0]);
    }
  }
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
  Render(sample, dib->GetWidth(), height, dib->GetBitCount(), area, path, [&](int x, int y) {
    return bits + (height - y - 1) * rowBytes + static_cast<std::ptrdiff_t>(x) * bytesPixel;
  });
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
