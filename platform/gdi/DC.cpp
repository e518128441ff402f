#include "platform/gdi/DC.h"

#include <algorithm>

#include "platform/gdi/detail/DcState.h"
#include "platform/gdi/detail/Rop.h"
#include "platform/gdi/detail/StockObjects.h"

using orv::gdi::BitmapData;
using orv::gdi::BrushData;
using orv::gdi::DcKind;
using orv::gdi::DcState;
using orv::gdi::FontData;
using orv::gdi::PenData;

IMPLEMENT_DYNAMIC(CDC, CObject)

namespace {

using orv::gdi::ClampCoord;

RECT DeviceRect(const DcState& st, std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return RECT{ClampCoord(l + st.OffsetX()), ClampCoord(t + st.OffsetY()), ClampCoord(r + st.OffsetX()), ClampCoord(b + st.OffsetY())};
}

RECT DeviceRect(const DcState& st, const RECT& r) { return DeviceRect(st, r.left, r.top, r.right, r.bottom); }

template <typename T>
std::shared_ptr<T> Shared(CGdiObject* o) {
  return o != nullptr && o->m_hObject != nullptr ? std::static_pointer_cast<T>(o->m_hObject->shared_from_this())
                                                 : nullptr;
}

template <typename W, typename T>
W* OwnerOf(const std::shared_ptr<T>& data) {
  return data ? static_cast<W*>(data->owner) : nullptr;
}

void ResetState(DcState& st) {
  st = DcState{};
  st.pen = Shared<PenData>(orv::gdi::StockObject(BLACK_PEN));
  st.brush = Shared<BrushData>(orv::gdi::StockObject(WHITE_BRUSH));
  st.font = Shared<FontData>(orv::gdi::StockObject(SYSTEM_FONT));
}

void ReleaseBitmap(DcState& st, const CDC* dc) {
  if (st.bitmap && st.bitmap->selectedInto == dc) st.bitmap->selectedInto = nullptr;
  st.bitmap.reset();
}

std::uint32_t Word(const DcState& st, COLORREF color) { return orv::gdi::ColorValue(st.surface->Format(), color); }

}  // namespace

CDC::CDC() : m_state(std::make_unique<DcState>()) { ResetState(*m_state); }

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC*) {
  if (m_hDC != nullptr) return FALSE;
  ResetState(*m_state);
  DcState& st = *m_state;
  st.kind = DcKind::Memory;
  CBitmap* initial = orv::gdi::DefaultBitmap();
  st.bitmap = Shared<BitmapData>(initial);
  st.surface = initial->GetSurface();
  st.clip = RECT{0, 0, st.surface->Width(), st.surface->Height()};
  m_hDC = this;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  m_saved.clear();
  ReleaseBitmap(*m_state, this);
  ResetState(*m_state);
  m_hDC = nullptr;
  return TRUE;
}

void CDC::AttachSurface(orv::gdi::Surface* surface, POINT origin, const RECT& clip) {
  m_saved.clear();
  ReleaseBitmap(*m_state, this);
  ResetState(*m_state);
  DcState& st = *m_state;
  st.kind = DcKind::Window;
  m_hDC = this;
  if (surface == nullptr) return;
  st.surface = surface;
  st.base = origin;
  st.clip = orv::gdi::ClipToSurface(DeviceRect(st, clip), *surface);
}

void CDC::AttachCanvas(const orv::gdi::WindowCanvas& canvas) { AttachSurface(canvas.surface, canvas.origin, canvas.clip); }

orv::gdi::Surface* CDC::GetSurface() const { return m_state->surface; }

int CDC::SaveDC() {
  if (m_hDC == nullptr) return 0;
  m_saved.push_back(*m_state);
  return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int savedDC) {
  const int levels = static_cast<int>(m_saved.size());
  const int level = savedDC < 0 ? levels + 1 + savedDC : savedDC;
  if (level < 1 || level > levels) return FALSE;
  DcState restored = std::move(m_saved[static_cast<std::size_t>(level - 1)]);
  m_saved.resize(static_cast<std::size_t>(level - 1));
  // The saved bitmap comes back only if no other context has taken it meanwhile.
  DcState& st = *m_state;
  if (restored.bitmap != st.bitmap) {
    BitmapData* saved = restored.bitmap.get();
    if (saved != nullptr && !saved->stock && saved->selectedInto != nullptr && saved->selectedInto != this) {
      restored.bitmap = st.bitmap;
      restored.surface = st.surface;
      restored.clip = st.clip;
    } else {
      ReleaseBitmap(st, this);
      if (saved != nullptr && !saved->stock) saved->selectedInto = this;
    }
  }
  st = std::move(restored);
  return TRUE;
}

// --- selection --------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen) {
  auto data = Shared<PenData>(pen);
  if (!data) return nullptr;
  std::swap(m_state->pen, data);
  return OwnerOf<CPen>(data);
}

CBrush* CDC::SelectObject(CBrush* brush) {
  auto data = Shared<BrushData>(brush);
  if (!data) return nullptr;
  std::swap(m_state->brush, data);
  return OwnerOf<CBrush>(data);
}

CFont* CDC::SelectObject(CFont* font) {
  auto data = Shared<FontData>(font);
  if (!data) return nullptr;
  std::swap(m_state->font, data);
  return OwnerOf<CFont>(data);
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  DcState& st = *m_state;
  auto data = Shared<BitmapData>(bitmap);
  if (!data || st.kind != DcKind::Memory) return nullptr;
  if (!data->stock && data->selectedInto != nullptr && data->selectedInto != this) return nullptr;
  std::shared_ptr<BitmapData> previous = std::move(st.bitmap);
  if (previous && previous->selectedInto == this) previous->selectedInto = nullptr;
  if (!data->stock) data->selectedInto = this;
  st.surface = &data->surface;
  st.clip = RECT{0, 0, data->surface.Width(), data->surface.Height()};
  st.bitmap = std::move(data);
  return OwnerOf<CBitmap>(previous);
}

CGdiObject* CDC::SelectStockObject(int index) {
  CGdiObject* stock = orv::gdi::StockObject(index);
  if (stock == nullptr) return nullptr;
  switch (stock->m_hObject->kind) {
    case orv::gdi::GdiKind::Pen: return SelectObject(static_cast<CPen*>(stock));
    case orv::gdi::GdiKind::Brush: return SelectObject(static_cast<CBrush*>(stock));
    case orv::gdi::GdiKind::Font: return SelectObject(static_cast<CFont*>(stock));
    case orv::gdi::GdiKind::Bitmap: return nullptr;
  }
  return nullptr;
}

CPen* CDC::GetCurrentPen() const { return OwnerOf<CPen>(m_state->pen); }
CBrush* CDC::GetCurrentBrush() const { return OwnerOf<CBrush>(m_state->brush); }
CFont* CDC::GetCurrentFont() const { return OwnerOf<CFont>(m_state->font); }
CBitmap* CDC::GetCurrentBitmap() const { return OwnerOf<CBitmap>(m_state->bitmap); }

// --- attributes -------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(m_state->textColor, color); }
COLORREF CDC::GetTextColor() const { return m_state->textColor; }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(m_state->bkColor, color); }
COLORREF CDC::GetBkColor() const { return m_state->bkColor; }

int CDC::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(m_state->bkMode, mode);
}
int CDC::GetBkMode() const { return m_state->bkMode; }

int CDC::SetStretchBltMode(int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return std::exchange(m_state->stretchMode, mode);
}
int CDC::GetStretchBltMode() const { return m_state->stretchMode; }

CPoint CDC::SetViewportOrg(int x, int y) { return CPoint(std::exchange(m_state->viewport, POINT{x, y})); }
CPoint CDC::GetViewportOrg() const { return CPoint(m_state->viewport); }

int CDC::GetDeviceCaps(int index) const {
  const orv::gdi::Surface* s = m_state->surface;
  switch (index) {
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case HORZRES: return s != nullptr ? s->Width() : 0;
    case VERTRES: return s != nullptr ? s->Height() : 0;
    default: return 0;
  }
}

int CDC::GetClipBox(LPRECT rect) const {
  if (rect == nullptr) return 0;
  const DcState& st = *m_state;
  const RECT& c = st.clip;
  if (c.right <= c.left || c.bottom <= c.top) {
    *rect = RECT{0, 0, 0, 0};
    return 1;  // NULLREGION
  }
  *rect = RECT{c.left - st.OffsetX(), c.top - st.OffsetY(), c.right - st.OffsetX(), c.bottom - st.OffsetY()};
  return 2;  // SIMPLEREGION
}

// --- lines ------------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) { return CPoint(std::exchange(m_state->position, POINT{x, y})); }

BOOL CDC::LineTo(int x, int y) {
  DcState& st = *m_state;
  const POINT from = std::exchange(st.position, POINT{x, y});
  if (st.surface == nullptr) return FALSE;
  if (st.pen->style == PS_NULL) return TRUE;
  orv::gdi::Line(st.Target(), std::int64_t{from.x} + st.OffsetX(), std::int64_t{from.y} + st.OffsetY(),
                 std::int64_t{x} + st.OffsetX(), std::int64_t{y} + st.OffsetY(), Word(st, st.pen->color), st.pen->width);
  return TRUE;
}

CPoint CDC::GetCurrentPosition() const { return CPoint(m_state->position); }

// --- fills ------------------------------------------------------------------------------

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
  DcState& st = *m_state;
  st.bkColor = color;
  if (rect == nullptr || st.surface == nullptr) return;
  orv::gdi::RopRect(st.Target(), DeviceRect(st, *rect), Word(st, color), 0xF0);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  DcState& st = *m_state;
  st.bkColor = color;
  if (st.surface == nullptr) return;
  orv::gdi::RopRect(st.Target(), DeviceRect(st, x, y, std::int64_t{x} + cx, std::int64_t{y} + cy), Word(st, color), 0xF0);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
  DcState& st = *m_state;
  const BrushData* b = brush != nullptr ? orv::gdi::DataAs<BrushData>(brush->m_hObject, orv::gdi::GdiKind::Brush) : nullptr;
  if (rect == nullptr || b == nullptr || b->hollow || st.surface == nullptr) return;
  orv::gdi::RopRect(st.Target(), DeviceRect(st, *rect), Word(st, b->color), 0xF0);
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
  if (rect == nullptr || rect->right <= rect->left || rect->bottom <= rect->top) return;
  const RECT& r = *rect;
  const RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                         {r.left, r.bottom - 1, r.right, r.bottom},
                         {r.left, r.top, r.left + 1, r.bottom},
                         {r.right - 1, r.top, r.right, r.bottom}};
  for (const RECT& e : edges) FillRect(&e, brush);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
  if (rect == nullptr) return;
  Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  // The framework's own recipe, so the background colour ends as bottomRight as it does there.
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  DcState& st = *m_state;
  if (st.surface == nullptr) return FALSE;
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  const orv::gdi::RasterTarget target = st.Target();
  if (st.pen->style == PS_NULL) {
    // Without an outline the interior reaches one pixel short of right and bottom.
    if (!st.brush->hollow)
      orv::gdi::RopRect(target, DeviceRect(st, left, top, std::int64_t{right} - 1, std::int64_t{bottom} - 1),
                        Word(st, st.brush->color), 0xF0);
    return TRUE;
  }
  const std::int64_t w = st.pen->width;
  if (!st.brush->hollow)
    orv::gdi::RopRect(target, DeviceRect(st, left + w, top + w, right - w, bottom - w), Word(st, st.brush->color), 0xF0);
  // The outline lies inside the rectangle, pen-width thick.
  const std::uint32_t pen = Word(st, st.pen->color);
  const std::int64_t l = left, t = top, r = right, b = bottom;
  if (r - l <= 0 || b - t <= 0) return TRUE;
  orv::gdi::RopRect(target, DeviceRect(st, l, t, r, std::min(t + w, b)), pen, 0xF0);
  orv::gdi::RopRect(target, DeviceRect(st, l, std::max(b - w, t), r, b), pen, 0xF0);
  orv::gdi::RopRect(target, DeviceRect(st, l, t, std::min(l + w, r), b), pen, 0xF0);
  orv::gdi::RopRect(target, DeviceRect(st, std::max(r - w, l), t, r, b), pen, 0xF0);
  return TRUE;
}

BOOL CDC::Rectangle(LPCRECT rect) {
  return rect != nullptr && Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
  DcState& st = *m_state;
  if (st.surface == nullptr) return CLR_INVALID;
  const POINT p{ClampCoord(std::int64_t{x} + st.OffsetX()), ClampCoord(std::int64_t{y} + st.OffsetY())};
  if (!CRect(st.clip).PtInRect(p)) return CLR_INVALID;
  orv::gdi::OpsFor(st.surface->Format()).plot(*st.surface, p.x, p.y, Word(st, color));
  return st.surface->PixelColor(p.x, p.y);
}

COLORREF CDC::GetPixel(int x, int y) const {
  const DcState& st = *m_state;
  if (st.surface == nullptr) return CLR_INVALID;
  const POINT p{ClampCoord(std::int64_t{x} + st.OffsetX()), ClampCoord(std::int64_t{y} + st.OffsetY())};
  if (!CRect(st.clip).PtInRect(p)) return CLR_INVALID;
  return st.surface->PixelColor(p.x, p.y);
}

// --- raster operations ------------------------------------------------------------------

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
  DcState& st = *m_state;
  const std::uint8_t code = orv::gdi::RopCode(rop);
  if (st.surface == nullptr || orv::gdi::RopUsesSource(code)) return FALSE;
  if (orv::gdi::RopUsesPattern(code) && st.brush->hollow) return TRUE;  // a hollow brush paints nothing
  orv::gdi::RopRect(st.Target(), DeviceRect(st, x, y, std::int64_t{x} + width, std::int64_t{y} + height),
                    Word(st, st.brush->color), code);
  return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
  return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop) {
  DcState& st = *m_state;
  const std::uint8_t code = orv::gdi::RopCode(rop);
  if (!orv::gdi::RopUsesSource(code)) return PatBlt(x, y, width, height, rop);
  if (st.surface == nullptr || src == nullptr || src->m_state->surface == nullptr) return FALSE;
  const DcState& ss = *src->m_state;
  orv::gdi::SourceImage image = orv::gdi::SourceOf(*ss.surface);
  image.monoZero = st.textColor;   // a monochrome source takes the target's colours
  image.monoOne = st.bkColor;
  image.background = ss.bkColor;   // a colour source on a monochrome target: the source's
  orv::gdi::BlitRequest q;
  q.x = std::int64_t{x} + st.OffsetX();
  q.y = std::int64_t{y} + st.OffsetY();
  q.width = width;
  q.height = height;
  q.srcX = std::int64_t{xSrc} + ss.OffsetX();
  q.srcY = std::int64_t{ySrc} + ss.OffsetY();
  q.srcWidth = srcWidth;
  q.srcHeight = srcHeight;
  q.code = code;
  q.pattern = st.brush->hollow ? 0u : Word(st, st.brush->color);
  q.stretchMode = st.stretchMode;
  orv::gdi::Blit(st.Target(), q, image, ss.surface == st.surface);
  return TRUE;
}
