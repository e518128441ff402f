#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/Resources.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/detail/Dib.h"
#include "platform/gdi/detail/GdiObjectData.h"
#include "platform/gdi/detail/PixelRows.h"

using orv::gdi::BitmapData;
using orv::gdi::BrushData;
using orv::gdi::FontData;
using orv::gdi::GdiKind;
using orv::gdi::GdiObjectData;
using orv::gdi::PenData;
using orv::gdi::PixelFormat;

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

CGdiObject::CGdiObject() = default;

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject() {
  if (!m_data) return FALSE;
  if (m_data->stock) return TRUE;  // deleting a stock object is harmless and does nothing
  if (m_data->owner == this) m_data->owner = nullptr;
  m_data.reset();
  m_hObject = nullptr;
  return TRUE;
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) { return handle != nullptr ? handle->owner : nullptr; }

BOOL CGdiObject::Adopt(std::shared_ptr<GdiObjectData> data) {
  if (m_data || !data) return FALSE;
  data->owner = this;
  m_hObject = data.get();
  m_data = std::move(data);
  return TRUE;
}

// --- pens -------------------------------------------------------------------------------

CPen::CPen(int penStyle, int width, COLORREF color) { CreatePen(penStyle, width, color); }

BOOL CPen::CreatePen(int penStyle, int width, COLORREF color) {
  auto pen = std::make_shared<PenData>();
  pen->style = penStyle == PS_NULL ? PS_NULL : PS_SOLID;
  pen->width = std::max(width, 1);
  pen->color = orv::gdi::ResolveColor(color);
  return Adopt(std::move(pen));
}

CPen* CPen::FromHandle(HPEN handle) {
  return orv::gdi::DataAs<PenData>(handle, GdiKind::Pen) ? static_cast<CPen*>(handle->owner) : nullptr;
}

// --- brushes ----------------------------------------------------------------------------

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  auto brush = std::make_shared<BrushData>();
  brush->color = orv::gdi::ResolveColor(color);
  return Adopt(std::move(brush));
}

BOOL CBrush::CreateSysColorBrush(int index) {
  if (GetSysColorBrush(index) == nullptr) return FALSE;
  return CreateSolidBrush(GetSysColor(index));
}

CBrush* CBrush::FromHandle(HBRUSH handle) {
  return orv::gdi::DataAs<BrushData>(handle, GdiKind::Brush) ? static_cast<CBrush*>(handle->owner) : nullptr;
}

// --- fonts ------------------------------------------------------------------------------

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfStrikeOut = strikeOut;
  lf.lfCharSet = charSet;
  lf.lfOutPrecision = outPrecision;
  lf.lfClipPrecision = clipPrecision;
  lf.lfQuality = quality;
  lf.lfPitchAndFamily = pitchAndFamily;
  orv::gdi::SetFaceName(lf, faceName);  // longer names are cut, as the platform does
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
  if (logFont == nullptr) return FALSE;
  auto font = std::make_shared<FontData>();
  font->logFont = *logFont;
  font->logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
  return Adopt(std::move(font));
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc) {
  // Tenths of a point to pixels: a negative (character) height, rounded like MulDiv.
  const int dpi = dc != nullptr ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
  const long long scaled = static_cast<long long>(pointSize < 0 ? -pointSize : pointSize) * dpi;
  const int pixels = static_cast<int>((scaled + 360) / 720);
  return CreateFont(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, faceName);
}

int CFont::GetLogFont(LOGFONT* logFont) const {
  const FontData* font = orv::gdi::DataAs<FontData>(m_hObject, GdiKind::Font);
  if (font == nullptr || logFont == nullptr) return 0;
  *logFont = font->logFont;
  return static_cast<int>(sizeof(LOGFONT));
}

CFont* CFont::FromHandle(HFONT handle) {
  return orv::gdi::DataAs<FontData>(handle, GdiKind::Font) ? static_cast<CFont*>(handle->owner) : nullptr;
}

// --- bitmaps ----------------------------------------------------------------------------

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  if (dc == nullptr || width < 0 || height < 0) return FALSE;
  auto bitmap = std::make_shared<BitmapData>();
  const orv::gdi::Surface* target = dc->GetSurface();
  PixelFormat format = target != nullptr ? target->Format() : PixelFormat::Rgb32;
  if (width == 0 || height == 0) {
    width = height = 1;
    format = PixelFormat::Mono1;
  }
  if (!bitmap->surface.Create(width, height, format)) return FALSE;
  return Adopt(std::move(bitmap));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) || width <= 0 || height <= 0) return FALSE;
  auto bitmap = std::make_shared<BitmapData>();
  const PixelFormat format = bitsPerPixel == 1 ? PixelFormat::Mono1 : PixelFormat::Rgb32;
  if (!bitmap->surface.Create(width, height, format)) return FALSE;
  if (bits != nullptr) std::memcpy(bitmap->surface.Bits(), bits, bitmap->surface.SizeBytes());
  return Adopt(std::move(bitmap));
}

BOOL CBitmap::LoadBitmap(UINT resourceId) { return LoadBitmap(resourceId, nullptr); }

BOOL CBitmap::LoadBitmap(UINT resourceId, HINSTANCE module) {
  const std::vector<std::uint8_t>* data = orv::FindResourceBitmap(resourceId, module);
  if (data == nullptr) return FALSE;
  return LoadBitmapFromBmp(data->data(), data->size());
}

BOOL CBitmap::LoadBitmapFromBmp(const BYTE* data, std::size_t size) {
  if (m_hObject != nullptr) return FALSE;
  orv::gdi::DibLayout dib;
  std::string error;
  if (!orv::gdi::ParseBmp(data, size, &dib, &error)) return FALSE;
  auto bitmap = std::make_shared<BitmapData>();
  if (!orv::gdi::SurfaceFromDib(dib, &bitmap->surface)) return FALSE;
  return Adopt(std::move(bitmap));
}

int CBitmap::GetBitmap(BITMAP* info) const {
  const orv::gdi::Surface* s = GetSurface();
  if (s == nullptr || info == nullptr) return 0;
  info->bmType = 0;
  info->bmWidth = s->Width();
  info->bmHeight = s->Height();
  info->bmWidthBytes = s->Stride();
  info->bmPlanes = 1;
  info->bmBitsPixel = static_cast<WORD>(s->BitsPerPixel());
  info->bmBits = nullptr;
  return static_cast<int>(sizeof(BITMAP));
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits) {
  orv::gdi::Surface* s = GetSurface();
  if (s == nullptr || bits == nullptr) return 0;
  const std::size_t n = std::min<std::size_t>(count, s->SizeBytes());
  std::memcpy(s->Bits(), bits, n);
  return static_cast<DWORD>(n);
}

DWORD CBitmap::GetBitmapBits(DWORD count, void* bits) const {
  const orv::gdi::Surface* s = GetSurface();
  if (s == nullptr || bits == nullptr) return 0;
  const std::size_t n = std::min<std::size_t>(count, s->SizeBytes());
  std::memcpy(bits, s->Bits(), n);
  return static_cast<DWORD>(n);
}

orv::gdi::Surface* CBitmap::GetSurface() {
  BitmapData* b = orv::gdi::DataAs<BitmapData>(m_hObject, GdiKind::Bitmap);
  return b != nullptr ? &b->surface : nullptr;
}

const orv::gdi::Surface* CBitmap::GetSurface() const {
  const BitmapData* b = orv::gdi::DataAs<BitmapData>(m_hObject, GdiKind::Bitmap);
  return b != nullptr ? &b->surface : nullptr;
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) {
  return orv::gdi::DataAs<BitmapData>(handle, GdiKind::Bitmap) ? static_cast<CBitmap*>(handle->owner) : nullptr;
}
