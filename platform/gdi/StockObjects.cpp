// Stock objects, the default bitmap of memory contexts, and the system colours with their
// brushes. All of them live for the whole process and are never released.
#include <array>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/detail/GdiObjectData.h"
#include "platform/gdi/detail/StockObjects.h"

namespace orv::gdi {
namespace {

template <typename Wrapper>
struct Stock final : Wrapper {
  explicit Stock(std::shared_ptr<GdiObjectData> data) {
    data->stock = true;
    this->Adopt(std::move(data));
  }
};

CGdiObject* StockBrush(COLORREF color, bool hollow = false) {
  auto b = std::make_shared<BrushData>();
  b->color = color;
  b->hollow = hollow;
  return new Stock<CBrush>(std::move(b));
}

CGdiObject* StockPen(COLORREF color, int style = PS_SOLID) {
  auto p = std::make_shared<PenData>();
  p->color = color;
  p->style = style;
  return new Stock<CPen>(std::move(p));
}

CGdiObject* StockFont(LONG height, LPCWSTR face) {
  auto f = std::make_shared<FontData>();
  f->logFont.lfHeight = height;
  f->logFont.lfWeight = FW_NORMAL;
  f->logFont.lfCharSet = SHIFTJIS_CHARSET;
  SetFaceName(f->logFont, face);
  return new Stock<CFont>(std::move(f));
}

// The classic scheme's colours, by index (25 has none).
constexpr std::array<COLORREF, 31> kSysColors = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(49, 106, 197),
    RGB(236, 233, 216)};
constexpr int kNoSysColor = 25;

}  // namespace

CGdiObject* StockObject(int index) {
  // Japanese system fonts resolve through the project's font aliases.
  static const std::array<CGdiObject*, 18> table = [] {
    std::array<CGdiObject*, 18> t{};
    t[WHITE_BRUSH] = StockBrush(RGB(255, 255, 255));
    t[LTGRAY_BRUSH] = StockBrush(RGB(192, 192, 192));
    t[GRAY_BRUSH] = StockBrush(RGB(128, 128, 128));
    t[DKGRAY_BRUSH] = StockBrush(RGB(64, 64, 64));
    t[BLACK_BRUSH] = StockBrush(RGB(0, 0, 0));
    t[NULL_BRUSH] = StockBrush(RGB(0, 0, 0), true);
    t[WHITE_PEN] = StockPen(RGB(255, 255, 255));
    t[BLACK_PEN] = StockPen(RGB(0, 0, 0));
    t[NULL_PEN] = StockPen(RGB(0, 0, 0), PS_NULL);
    t[10] = StockFont(16, L"MS Gothic");     // OEM_FIXED_FONT
    t[11] = StockFont(16, L"MS Gothic");     // ANSI_FIXED_FONT
    t[12] = StockFont(16, L"MS UI Gothic");  // ANSI_VAR_FONT
    t[SYSTEM_FONT] = StockFont(16, L"MS UI Gothic");
    t[14] = StockFont(16, L"MS UI Gothic");  // DEVICE_DEFAULT_FONT
    t[16] = StockFont(16, L"MS Gothic");     // SYSTEM_FIXED_FONT
    t[DEFAULT_GUI_FONT] = StockFont(-12, L"MS UI Gothic");
    return t;
  }();
  return index >= 0 && index < static_cast<int>(table.size()) ? table[static_cast<std::size_t>(index)] : nullptr;
}

CBitmap* DefaultBitmap() {
  static CBitmap* const bitmap = [] {
    auto b = std::make_shared<BitmapData>();
    b->surface.Create(1, 1, PixelFormat::Mono1);
    return new Stock<CBitmap>(std::move(b));
  }();
  return bitmap;
}

}  // namespace orv::gdi

HGDIOBJ GetStockObject(int index) {
  CGdiObject* o = orv::gdi::StockObject(index);
  return o != nullptr ? o->m_hObject : nullptr;
}

COLORREF GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(orv::gdi::kSysColors.size())) return 0;
  return orv::gdi::kSysColors[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
  using orv::gdi::kSysColors;
  static const std::array<CGdiObject*, kSysColors.size()> brushes = [] {
    std::array<CGdiObject*, kSysColors.size()> b{};
    for (std::size_t i = 0; i < b.size(); ++i) {
      if (static_cast<int>(i) != orv::gdi::kNoSysColor) b[i] = orv::gdi::StockBrush(kSysColors[i]);
    }
    return b;
  }();
  if (index < 0 || index >= static_cast<int>(brushes.size()) || brushes[static_cast<std::size_t>(index)] == nullptr)
    return nullptr;
  return brushes[static_cast<std::size_t>(index)]->m_hObject;
}
