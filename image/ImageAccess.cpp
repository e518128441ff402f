// CImage's header accessors, geometry, pixel addresses and physical values, and the
// CLumImage members that only copy or address.
#include <cstdlib>
#include <cstring>

#include "sibling/orvcim/Image.h"

int CImage::GetBitsPixel() const { return m_nBitsPixel; }
void CImage::SetBitsPixel(int bits) { m_nBitsPixel = bits; }
BOOL CImage::IsSigned() const { return m_bSigned; }
void CImage::SetSigned(BOOL isSigned) { m_bSigned = isSigned; }
int CImage::GetDimension() const { return m_nDimension; }
int CImage::GetWidth() const { return m_nWidth; }
void CImage::SetWidth(int width) { m_nWidth = width; }
int CImage::GetHeight() const { return m_nHeight; }
void CImage::SetHeight(int height) { m_nHeight = height; }
int CImage::GetPlanes() const { return m_nPlanes; }

void CImage::SetPlanes(int planes) {
  m_nPlanes = planes;
  m_nDimension = planes > 1 ? 3 : 2;
  // Keep one level window per plane, so that a plane index below planes stays valid.
  if (planes > 0 && static_cast<std::size_t>(planes) > m_dLevelMin.size()) {
    m_dLevelMin.resize(static_cast<std::size_t>(planes), 0.0);
    m_dLevelMax.resize(static_cast<std::size_t>(planes), 0.0);
    m_dLevelRange.resize(static_cast<std::size_t>(planes), 0.0);
  }
}

double CImage::GetBscale() const { return m_dBscale; }
void CImage::SetBscale(double bscale) { m_dBscale = bscale; }
double CImage::GetBzero() const { return m_dBzero; }
void CImage::SetBzero(double bzero) { m_dBzero = bzero; }
double CImage::GetLevelMin(int plane) const { return m_dLevelMin[static_cast<std::size_t>(plane)]; }
double CImage::GetLevelMax(int plane) const { return m_dLevelMax[static_cast<std::size_t>(plane)]; }
double CImage::GetLevelRange(int plane) const { return m_dLevelRange[static_cast<std::size_t>(plane)]; }
BOOL CImage::HasOwnLevel() const { return m_bOwnLevel; }
void CImage::SetOwnLevel(BOOL own) { m_bOwnLevel = own; }
BOOL CImage::IsSaveableFormat() const { return m_bSaveableFormat; }
void CImage::SetSaveableFormat(BOOL saveable) { m_bSaveableFormat = saveable; }
BOOL CImage::IsSaveableFile() const { return m_bSaveableFile; }
void CImage::SetSaveableFile(BOOL saveable) { m_bSaveableFile = saveable; }
LPCTSTR CImage::GetOrgFileName() const { return m_strOrgFileName; }
void CImage::SetOrgFileName(LPCTSTR name) { m_strOrgFileName = name; }
LPCTSTR CImage::GetOrgFileFormat() const { return m_strOrgFileFormat; }
void CImage::SetOrgFileFormat(LPCTSTR format) { m_strOrgFileFormat = format; }
int CImage::GetOrgBitsPixel() const { return m_nOrgBitsPixel; }
void CImage::SetOrgBitsPixel(int bits) { m_nOrgBitsPixel = bits; }
int CImage::GetOrgPlanes() const { return m_nOrgPlanes; }
void CImage::SetOrgPlanes(int planes) { m_nOrgPlanes = planes; }
BOOL CImage::IsOrgBayerImage() const { return m_bOrgBayerImage; }
void CImage::SetOrgBayerImage(BOOL bayer) { m_bOrgBayerImage = bayer; }
BOOL CImage::IsOrgHoneyCombImage() const { return m_bOrgHoneyCombImage; }
void CImage::SetOrgHoneyCombImage(BOOL honeyComb) { m_bOrgHoneyCombImage = honeyComb; }
BOOL CImage::IsOrgDevelopmentImage() const { return m_bOrgDevelopmentImage; }
void CImage::SetOrgDevelopmentImage(BOOL development) { m_bOrgDevelopmentImage = development; }
int CImage::GetOrgWidth() const { return m_nOrgWidth; }
void CImage::SetOrgWidth(int width) { m_nOrgWidth = width; }
int CImage::GetOrgHeight() const { return m_nOrgHeight; }
void CImage::SetOrgHeight(int height) { m_nOrgHeight = height; }
BOOL CImage::IsBayerImage() const { return m_bBayerImage; }
void CImage::SetBayerImage(BOOL bayer) { m_bBayerImage = bayer; }
BOOL CImage::IsHoneyCombImage() const { return m_bHoneyCombImage; }
void CImage::SetHoneyCombImage(BOOL honeyComb) { m_bHoneyCombImage = honeyComb; }
int CImage::GetRawImageBits() const { return m_nRawImageBits; }
void CImage::SetRawImageBits(int bits) { m_nRawImageBits = bits; }
BOOL CImage::IsDevelopmentImage() const { return m_bDevelopmentImage; }
void CImage::SetDevelopmentImage(BOOL development) { m_bDevelopmentImage = development; }

int CImage::GetBytesPixel() const { return std::abs(m_nBitsPixel) / 8; }

DWORD CImage::GetPixelCount() const {
  return static_cast<DWORD>(m_nWidth) * static_cast<DWORD>(m_nHeight) * static_cast<DWORD>(m_nPlanes);
}

DWORD CImage::GetImageSize() const { return GetPixelCount() * static_cast<DWORD>(GetBytesPixel()); }

BOOL CImage::IsColor() const { return m_nDimension > 2; }

BOOL CImage::IsCcd() const {
  // An image without a camera model comes from a CCD camera.
  return m_pHeader == nullptr || m_pHeader->GetCameraModel()[0] == L'\0';
}

BOOL CImage::IsOnMemory() const {
  if (m_pVmImage == nullptr) return TRUE;
  return m_pVmImage->IsOnMemory() ? TRUE : FALSE;
}

BYTE* CImage::GetImageAdr(int x, int y, int plane, UINT flags, int* lock) const {
  if (m_pVmImage == nullptr) return nullptr;
  return m_pVmImage->GetImageAdr(x, y, plane, (flags & 0x1) != 0 ? 1 : 0, (flags & 0x2) != 0 ? 2 : 0, lock);
}

BYTE* CImage::GetNextAdr(BYTE* p) const { return p + GetBytesPixel(); }
BYTE* CImage::GetPrevAdr(BYTE* p) const { return p - GetBytesPixel(); }

BOOL CImage::Unlock(const void* p) const {
  return m_pVmImage != nullptr ? m_pVmImage->Unlock(p) : FALSE;
}

void CImage::UnlockAll() const {
  if (m_pVmImage != nullptr) m_pVmImage->UnlockAll();
}

namespace {
template <typename T>
T Load(const BYTE* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
}  // namespace

double CImage::GetPixel(const BYTE* p) const {
  double v = 0.0;
  switch (m_nBitsPixel) {
    case 8: v = Load<std::uint8_t>(p); break;
    case 16: v = m_bSigned ? double(Load<std::int16_t>(p)) : double(Load<std::uint16_t>(p)); break;
    case 32: v = m_bSigned ? double(Load<std::int32_t>(p)) : double(Load<std::uint32_t>(p)); break;
    case -32: v = Load<float>(p); break;
    case -64: v = Load<double>(p); break;
    default: return 0.0;
  }
  return m_dBscale * v + m_dBzero;
}

double CImage::GetPixel(int x, int y, int plane) const {
  const BYTE* p = GetImageAdr(x, y, plane, VM_ADR_READ);
  return p != nullptr ? GetPixel(p) : 0.0;
}

float CImage::GetPixelGrayRaw(const float* q) const { return *q; }

CLumImage::CLumImage(const CLumImage& other) : CImage(other) {
  m_fPoints[0] = other.m_fPoints[0];
  m_fPoints[1] = other.m_fPoints[1];
  m_fPoint = other.m_fPoint;
}

CLumImage& CLumImage::operator=(const CLumImage& other) {
  CImage::operator=(other);
  m_fPoints[0] = other.m_fPoints[0];
  m_fPoints[1] = other.m_fPoints[1];
  m_fPoint = other.m_fPoint;
  return *this;
}

float* CLumImage::GetImageAdr(int x, int y, int plane, UINT flags, int* lock) const {
  return reinterpret_cast<float*>(CImage::GetImageAdr(x, y, plane, flags, lock));
}
