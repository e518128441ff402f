#include "sibling/orvcim/Image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/Exception.h"

CImage::CImage() : m_pHeader(std::make_unique<CHeader>()) {}

CImage::CImage(int bitsPixel, int width, int height, int planes, double bscale, double bzero,
               BOOL isSigned, CWnd* /*progress*/, LPCTSTR /*progressText*/)
    : m_nBitsPixel(bitsPixel),
      m_bSigned(isSigned),
      m_nDimension(planes > 1 ? 3 : 2),
      m_nWidth(width),
      m_nHeight(height),
      m_nPlanes(planes),
      m_dBscale(bscale),
      m_dBzero(bzero),
      m_pHeader(std::make_unique<CHeader>()) {
  if (width < 0 || height < 0 || planes < 0) AfxThrowInvalidArgException();
  m_dLevelMin.assign(static_cast<std::size_t>(planes), 0.0);
  m_dLevelMax.assign(static_cast<std::size_t>(planes), 0.0);
  m_dLevelRange.assign(static_cast<std::size_t>(planes), 0.0);
  Allocate(nullptr);
}

CImage::CImage(const CImage& other) : CObject(other) { CopyFrom(other); }

CImage& CImage::operator=(const CImage& other) {
  if (this != &other) CopyFrom(other);
  return *this;
}

CImage::~CImage() = default;

void CImage::Allocate(CVmManager* manager) {
  int bytesPixel = std::abs(m_nBitsPixel) / 8;
  m_pVmImage.reset();
  if (bytesPixel > 0 && m_nWidth > 0 && m_nHeight > 0 && m_nPlanes > 0)
    m_pVmImage = std::make_unique<CVmImage>(m_nWidth, m_nHeight, m_nPlanes, bytesPixel, manager);
}

void CImage::CopyFrom(const CImage& other) {
  // New storage first, so that a failed allocation leaves this image as it was.
  std::unique_ptr<CVmImage> storage;
  if (const CVmImage* src = other.m_pVmImage.get()) {
    storage = std::make_unique<CVmImage>(src->GetWidth(), src->GetHeight(), src->GetPlanes(),
                                         src->GetBytesPixel());
    for (int p = 0; p < src->GetPlanes(); ++p)
      for (int y = 0; y < src->GetHeight(); ++y)
        std::memcpy(storage->GetImageAdr(0, y, p, 0), src->GetImageAdr(0, y, p), src->GetRowBytes());
  }
  auto header = std::make_unique<CHeader>(other.m_pHeader ? *other.m_pHeader : CHeader());

  m_nBitsPixel = other.m_nBitsPixel;
  m_bSigned = other.m_bSigned;
  m_nDimension = other.m_nDimension;
  m_nWidth = other.m_nWidth;
  m_nHeight = other.m_nHeight;
  m_nPlanes = other.m_nPlanes;
  m_dBscale = other.m_dBscale;
  m_dBzero = other.m_dBzero;
  m_pVmImage = std::move(storage);
  m_dLevelMin = other.m_dLevelMin;
  m_dLevelMax = other.m_dLevelMax;
  m_dLevelRange = other.m_dLevelRange;
  m_bOwnLevel = other.m_bOwnLevel;
  m_bSaveableFormat = other.m_bSaveableFormat;
  m_bSaveableFile = other.m_bSaveableFile;
  m_strOrgFileName = other.m_strOrgFileName;
  m_strOrgFileFormat = other.m_strOrgFileFormat;
  m_nOrgBitsPixel = other.m_nOrgBitsPixel;
  m_nOrgPlanes = other.m_nOrgPlanes;
  m_bOrgBayerImage = other.m_bOrgBayerImage;
  m_bOrgHoneyCombImage = other.m_bOrgHoneyCombImage;
  m_bOrgDevelopmentImage = other.m_bOrgDevelopmentImage;
  m_nOrgWidth = other.m_nOrgWidth;
  m_nOrgHeight = other.m_nOrgHeight;
  m_bBayerImage = other.m_bBayerImage;
  m_bHoneyCombImage = other.m_bHoneyCombImage;
  m_nRawImageBits = other.m_nRawImageBits;
  m_bDevelopmentImage = other.m_bDevelopmentImage;
  m_bBottomUp = other.m_bBottomUp;
  m_pHeader = std::move(header);
}

BOOL CImage::CopyImage(const CImage* src) {
  if (src == nullptr || src->m_nBitsPixel != m_nBitsPixel) return FALSE;
  if (src == this) return TRUE;
  const CVmImage* from = src->m_pVmImage.get();
  CVmImage* to = m_pVmImage.get();
  if (from != nullptr && to != nullptr && from->GetBytesPixel() == to->GetBytesPixel()) {
    int width = std::min(from->GetWidth(), to->GetWidth());
    int height = std::min(from->GetHeight(), to->GetHeight());
    int planes = std::min(from->GetPlanes(), to->GetPlanes());
    std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(from->GetBytesPixel());
    for (int p = 0; p < planes; ++p)
      for (int y = 0; y < height; ++y)
        std::memcpy(to->GetImageAdr(0, y, p, 0), from->GetImageAdr(0, y, p), bytes);
  }
  std::size_t planes = std::min(src->m_dLevelMin.size(), m_dLevelMin.size());
  for (std::size_t p = 0; p < planes; ++p) {
    m_dLevelMin[p] = src->m_dLevelMin[p];
    m_dLevelMax[p] = src->m_dLevelMax[p];
    m_dLevelRange[p] = src->m_dLevelRange[p];
  }
  m_bOwnLevel = src->m_bOwnLevel;
  return TRUE;
}

void CImage::SetLevel(int plane, double minimum, double maximum) {
  if (plane < 0 || static_cast<std::size_t>(plane) >= m_dLevelMin.size()) return;
  std::size_t p = static_cast<std::size_t>(plane);
  m_dLevelMin[p] = minimum;
  m_dLevelMax[p] = maximum;
  m_dLevelRange[p] = maximum - minimum;
}

CLumImage::CLumImage(int /*bitsPixel*/, int width, int height, int planes, double bscale,
                     double bzero, BOOL isSigned, CWnd* progress, LPCTSTR progressText)
    : CImage(-32, width, height, planes, bscale, bzero, isSigned, progress, progressText) {}

CLumImage::~CLumImage() = default;
