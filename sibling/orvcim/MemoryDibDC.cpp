// The device context of a memory bitmap: on the bits themselves at 32 bits, on a 32-bit copy
// of them at 8, 16 and 24 bits (contexts draw on 32-bit pixels only).
#include "platform/gdi/DC.h"
#include "platform/gdi/Surface.h"
#include "sibling/orvcim/Dib.h"
#include "sibling/orvcim/detail/DibInfo.h"

namespace orv::dib {

// The contexts come after the surface they draw on, so they go first.
struct Canvas {
  orv::gdi::Surface surface;  // the bits themselves, or the 32-bit copy
  CDC dc;
  // Fills the copy from the bits: a context of its own, so that the caller's viewport origin
  // on dc does not move what it copies.
  CDC loader;
};

}  // namespace orv::dib

CMemoryDIB::CMemoryDIB() = default;

CMemoryDIB::~CMemoryDIB() = default;

CDC* CMemoryDIB::GetDC() {
  if (!m_pCanvas) {
    m_pCanvas = std::make_unique<orv::dib::Canvas>();
    AttachCanvas();
  }
  return &m_pCanvas->dc;
}

void CMemoryDIB::AttachCanvas() {
  if (!m_pCanvas) return;
  orv::gdi::Surface& surface = m_pCanvas->surface;
  bool ready = false;
  if (IsReady() && m_nBitCount == 32) {
    // Bottom-up rows: the top row is the last one in memory.
    BYTE* top = GetBits() + static_cast<std::ptrdiff_t>(m_nHeight - 1) * m_nBytesPerRow;
    ready = surface.Wrap(top, -static_cast<std::ptrdiff_t>(m_nBytesPerRow), m_nWidth, m_nHeight);
  } else if (IsReady()) {
    ready = surface.Create(m_nWidth, m_nHeight, orv::gdi::PixelFormat::Rgb32);
  } else {
    surface.Clear();
  }
  const RECT all{0, 0, m_nWidth, m_nHeight};
  m_pCanvas->dc.AttachSurface(ready ? &surface : nullptr, POINT{0, 0}, all);
  m_pCanvas->loader.AttachSurface(ready ? &surface : nullptr, POINT{0, 0}, all);
  if (ready) RefreshDC(nullptr);
}

void CMemoryDIB::RefreshDC(const RECT* area) {
  if (!m_pCanvas || !IsReady() || m_nBitCount == 32) return;
  if (m_pCanvas->surface.IsEmpty()) return;
  CRect r(0, 0, m_nWidth, m_nHeight);
  if (area != nullptr && !r.IntersectRect(r, *area)) return;
  const orv::dib::DibInfo info = orv::dib::DescribeBitmap(*this, m_nHeight);
  // Bottom-up bits: the source y counts from the bottom row.
  m_pCanvas->loader.SetDIBitsToDevice(r.left, r.top, static_cast<DWORD>(r.Width()), static_cast<DWORD>(r.Height()),
                                      r.left, m_nHeight - r.bottom, 0, static_cast<UINT>(m_nHeight), GetBits(),
                                      info.Get(), DIB_RGB_COLORS);
}
