#include "platform/ui/ColorDialog.h"

#include <algorithm>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/ColorSpace.h"
#include "platform/ui/TemplateBuilder.h"
#include "platform/ui/DataExchange.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

BEGIN_MESSAGE_MAP(CColorDialog, CDialog)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_DRAWITEM()
  ON_CONTROL_RANGE(BN_CLICKED, CColorDialog::kBasicFirst, CColorDialog::kBasicFirst + 47, &CColorDialog::OnSwatch)
  ON_CONTROL_RANGE(BN_CLICKED, CColorDialog::kCustomFirst, CColorDialog::kCustomFirst + 15, &CColorDialog::OnSwatch)
  ON_CONTROL_RANGE(EN_CHANGE, CColorDialog::kHueEdit, CColorDialog::kBlueEdit, &CColorDialog::OnValueEdited)
  ON_BN_CLICKED(CColorDialog::kAddCustom, &CColorDialog::OnAddCustom)
END_MESSAGE_MAP()

const COLORREF CColorDialog::kBasicColors[48] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),   RGB(128, 255, 255),
    RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255), RGB(255, 0, 0),     RGB(255, 255, 0),
    RGB(128, 255, 0),   RGB(0, 255, 64),    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192),
    RGB(255, 0, 255),   RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),   RGB(128, 0, 0),
    RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),    RGB(0, 0, 255),     RGB(0, 0, 160),
    RGB(128, 0, 128),   RGB(128, 0, 255),   RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),
    RGB(0, 64, 64),     RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128), RGB(64, 128, 128),
    RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255)};

using orv::ui::DialogItem;

namespace {

constexpr int kHelpButton = 1038;
constexpr UINT kStatic = 0xFFFF;
// The chooser's drawn areas, in dialog units.
constexpr RECT kSpectrumUnits{152, 4, 270, 120};
constexpr RECT kLumBarUnits{276, 4, 284, 120};
constexpr RECT kSampleUnits{152, 124, 190, 150};

std::unique_ptr<orv::DialogTemplate> ChooserTemplate(bool help) {
  auto t = std::make_unique<orv::DialogTemplate>(orv::ui::DialogFrame(
      L"Color", 296, 186, DS_MODALFRAME | DS_CONTEXTHELP | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER));
  auto& items = t->items;
  items.push_back(DialogItem(kStatic, L"STATIC", L"&Basic colors:", 4, 4, 140, 9, SS_LEFT));
  for (int i = 0; i < 48; ++i)
    items.push_back(DialogItem(static_cast<UINT>(CColorDialog::kBasicFirst + i), L"BUTTON", L"", 6 + (i % 8) * 18,
                         15 + (i / 8) * 14, 14, 11, BS_OWNERDRAW | (i == 0 ? WS_TABSTOP | WS_GROUP : 0)));
  items.push_back(DialogItem(kStatic, L"STATIC", L"&Custom colors:", 4, 100, 140, 9, SS_LEFT));
  for (int i = 0; i < 16; ++i)
    items.push_back(DialogItem(static_cast<UINT>(CColorDialog::kCustomFirst + i), L"BUTTON", L"", 6 + (i % 8) * 18,
                         111 + (i / 8) * 14, 14, 11, BS_OWNERDRAW | (i == 0 ? WS_TABSTOP | WS_GROUP : 0)));
  struct Field {
    int id;
    const wchar_t* label;
    int x, y;
  } fields[] = {{CColorDialog::kHueEdit, L"Hu&e:", 194, 124},  {CColorDialog::kSatEdit, L"&Sat:", 194, 138},
                {CColorDialog::kLumEdit, L"&Lum:", 194, 152},  {CColorDialog::kRedEdit, L"&Red:", 240, 124},
                {CColorDialog::kGreenEdit, L"&Green:", 240, 138}, {CColorDialog::kBlueEdit, L"Bl&ue:", 240, 152}};
  for (const Field& f : fields) {
    items.push_back(DialogItem(kStatic, L"STATIC", f.label, f.x, f.y + 2, 24, 9, SS_RIGHT));
    orv::DialogItemTemplate edit =
        DialogItem(static_cast<UINT>(f.id), L"EDIT", L"", f.x + 26, f.y, 18, 12, ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP);
    edit.exStyle = WS_EX_CLIENTEDGE;
    items.push_back(edit);
  }
  items.push_back(DialogItem(kStatic, L"STATIC", L"Color|Solid", 142, 152, 58, 9, SS_CENTER | SS_NOPREFIX));
  items.push_back(DialogItem(CColorDialog::kAddCustom, L"BUTTON", L"&Add to Custom Colors", 152, 168, 136, 14, WS_TABSTOP));
  items.push_back(DialogItem(IDOK, L"BUTTON", L"OK", 4, 168, 44, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP));
  items.push_back(DialogItem(IDCANCEL, L"BUTTON", L"Cancel", 52, 168, 44, 14, WS_TABSTOP));
  if (help) items.push_back(DialogItem(kHelpButton, L"BUTTON", L"&Help", 100, 168, 44, 14, WS_TABSTOP));
  return t;
}

}  // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : CDialog(0, parent) {
  std::fill(std::begin(m_ownCustom), std::end(m_ownCustom), RGB(255, 255, 255));
  m_cc = CHOOSECOLOR{};
  m_cc.lStructSize = sizeof(CHOOSECOLOR);
  m_cc.rgbResult = initial;
  m_cc.lpCustColors = m_ownCustom;
  m_cc.Flags = flags | CC_ENABLEHOOK;
}

CColorDialog::~CColorDialog() = default;

INT_PTR CColorDialog::DoModal() {
  m_template = ChooserTemplate((m_cc.Flags & CC_SHOWHELP) != 0);
  InitModalIndirect(m_template.get());
  m_cc.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr;
  return CDialog::DoModal();
}

BOOL CColorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int i = 0; i < 16; ++i) m_working[i] = m_cc.lpCustColors != nullptr ? m_cc.lpCustColors[i] : RGB(255, 255, 255);
  m_spectrum = kSpectrumUnits;
  m_lumBar = kLumBarUnits;
  m_sample = kSampleUnits;
  MapDialogRect(&m_spectrum);
  MapDialogRect(&m_lumBar);
  MapDialogRect(&m_sample);
  // The field of hues (left to right) and saturations (top to bottom) at middle luminance.
  int w = std::max(1, m_spectrum.Width()), h = std::max(1, m_spectrum.Height());
  m_spectrumBitmap = std::make_unique<CBitmap>();
  if (m_spectrumBitmap->CreateBitmap(w, h, 1, 32, nullptr) && m_spectrumBitmap->GetSurface() != nullptr) {
    orv::gdi::Surface& s = *m_spectrumBitmap->GetSurface();
    for (int y = 0; y < h; ++y) {
      auto sat = static_cast<WORD>(240 - (h > 1 ? y * 240 / (h - 1) : 0));
      for (int x = 0; x < w; ++x) {
        auto hue = static_cast<WORD>(w > 1 ? x * 239 / (w - 1) : 0);
        s.Row32(y)[x] = orv::gdi::ColorToPixel(ColorHLSToRGB(hue, 120, sat));
      }
    }
  }
  COLORREF start = (m_cc.Flags & CC_RGBINIT) != 0 ? m_cc.rgbResult : RGB(0, 0, 0);
  for (int i = 0; i < 48; ++i)
    if (kBasicColors[i] == start) m_selectedSwatch = kBasicFirst + i;
  Pick(start & 0xFFFFFF, 0);
  return TRUE;
}

void CColorDialog::SetCurrentColor(COLORREF color) {
  m_cc.rgbResult = color & 0xFFFFFF;
  if (m_hWnd != nullptr) Pick(color & 0xFFFFFF, 0);
}

BOOL CColorDialog::OnColorOK() { return FALSE; }

void CColorDialog::OnOK() {
  // The confirmed custom colours reach the caller's array before OnColorOK is asked, so a
  // derived chooser can keep them from there, as the platform's chooser has them in place.
  m_cc.rgbResult = m_current;
  if (m_cc.lpCustColors != nullptr) std::copy(std::begin(m_working), std::end(m_working), m_cc.lpCustColors);
  if (OnColorOK()) return;
  EndDialog(IDOK);
}

void CColorDialog::Pick(COLORREF color, int editedId) {
  m_current = color;
  WORD h = 0, l = 0, s = 0;
  ColorRGBToHLS(color, &h, &l, &s);
  m_hue = h;
  m_lum = l;
  m_sat = s;
  ShowValues(editedId);
}

void CColorDialog::PickHls(int hue, int luminance, int saturation, int editedId) {
  m_hue = std::clamp(hue, 0, 239);
  m_lum = std::clamp(luminance, 0, 240);
  m_sat = std::clamp(saturation, 0, 240);
  m_current = ColorHLSToRGB(static_cast<WORD>(m_hue), static_cast<WORD>(m_lum), static_cast<WORD>(m_sat));
  ShowValues(editedId);
}

void CColorDialog::ShowValues(int editedId) {
  // The edit being typed into keeps the user's text; the others follow the colour.
  m_showingValues = true;
  const int values[] = {m_hue, m_sat, m_lum, GetRValue(m_current), GetGValue(m_current), GetBValue(m_current)};
  for (int id = kHueEdit; id <= kBlueEdit; ++id) {
    if (id == editedId) continue;
    CString text;
    text.Format(L"%d", values[id - kHueEdit]);
    AfxSetWindowText(::GetDlgItem(m_hWnd, id), text);
  }
  m_showingValues = false;
  CRect area = m_spectrum;
  area.left = std::min(area.left, m_sample.left);
  area.right = std::max(m_lumBar.right + 8, m_sample.right);
  area.bottom = std::max(area.bottom, m_sample.bottom) + 2;
  area.InflateRect(4, 4);
  InvalidateRect(&area, TRUE);
}

void CColorDialog::OnSwatch(UINT id) {
  int index = static_cast<int>(id);
  if (index >= kCustomFirst) {
    m_customSlot = index - kCustomFirst;
    Pick(m_working[m_customSlot], 0);
  } else {
    Pick(kBasicColors[index - kBasicFirst], 0);
  }
  int old = m_selectedSwatch;
  m_selectedSwatch = index;
  if (CWnd* w = GetDlgItem(old)) w->Invalidate();
  if (CWnd* w = GetDlgItem(index)) w->Invalidate();
}

void CColorDialog::OnValueEdited(UINT id) {
  if (m_showingValues) return;
  BOOL ok = FALSE;
  int value = static_cast<int>(GetDlgItemInt(static_cast<int>(id), &ok, FALSE));
  if (!ok) return;  // nothing usable typed yet
  int edited = static_cast<int>(id);
  if (edited >= kRedEdit) {
    int r = GetRValue(m_current), g = GetGValue(m_current), b = GetBValue(m_current);
    value = std::clamp(value, 0, 255);
    (edited == kRedEdit ? r : edited == kGreenEdit ? g : b) = value;
    Pick(RGB(r, g, b), edited);
  } else {
    int h = m_hue, s = m_sat, l = m_lum;
    (edited == kHueEdit ? h : edited == kSatEdit ? s : l) = value;
    PickHls(h, l, s, edited);
  }
}

void CColorDialog::OnAddCustom() {
  m_working[m_customSlot] = m_current;
  if (CWnd* w = GetDlgItem(kCustomFirst + m_customSlot)) w->Invalidate();
  m_customSlot = (m_customSlot + 1) % 16;
}

void CColorDialog::PickAt(CPoint point) {
  if (m_spectrum.PtInRect(point)) {
    int w = std::max(2, m_spectrum.Width()), h = std::max(2, m_spectrum.Height());
    PickHls((point.x - m_spectrum.left) * 239 / (w - 1), m_lum, 240 - (point.y - m_spectrum.top) * 240 / (h - 1), 0);
  } else if (m_lumBar.PtInRect(point)) {
    int h = std::max(2, m_lumBar.Height());
    PickHls(m_hue, 240 - (point.y - m_lumBar.top) * 240 / (h - 1), m_sat, 0);
  }
}

void CColorDialog::OnLButtonDown(UINT, CPoint point) { PickAt(point); }

void CColorDialog::OnMouseMove(UINT flags, CPoint point) {
  if ((flags & MK_LBUTTON) != 0) PickAt(point);
}

void CColorDialog::DrawSwatch(CDC& dc, const RECT& rect, COLORREF color, bool selected) {
  CRect r(rect);
  dc.FillSolidRect(&r, GetSysColor(COLOR_3DFACE));
  if (selected) dc.Draw3dRect(&r, RGB(0, 0, 0), RGB(0, 0, 0));
  r.DeflateRect(2, 2);
  dc.Draw3dRect(&r, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
  r.DeflateRect(1, 1);
  dc.FillSolidRect(&r, color);
}

void CColorDialog::OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem) {
  if (drawItem == nullptr || drawItem->pDC == nullptr) return;
  bool selected = id == m_selectedSwatch;
  if (id >= kBasicFirst && id < kBasicFirst + 48) {
    DrawSwatch(*drawItem->pDC, drawItem->rcItem, kBasicColors[id - kBasicFirst], selected);
  } else if (id >= kCustomFirst && id < kCustomFirst + 16) {
    DrawSwatch(*drawItem->pDC, drawItem->rcItem, m_working[id - kCustomFirst], selected);
  } else {
    CDialog::OnDrawItem(id, drawItem);
  }
}

void CColorDialog::OnPaint() {
  CPaintDC dc(this);
  COLORREF keep = dc.GetBkColor();
  if (m_spectrumBitmap && m_spectrumBitmap->GetSafeHandle() != nullptr) {
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(m_spectrumBitmap.get());
    dc.BitBlt(m_spectrum.left, m_spectrum.top, m_spectrum.Width(), m_spectrum.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  CRect frame = m_spectrum;
  frame.InflateRect(1, 1);
  dc.Draw3dRect(&frame, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
  // The cross marks the current hue and saturation.
  int w = std::max(2, m_spectrum.Width()), h = std::max(2, m_spectrum.Height());
  int cx = m_spectrum.left + m_hue * (w - 1) / 239;
  int cy = m_spectrum.top + (240 - m_sat) * (h - 1) / 240;
  dc.FillSolidRect(cx - 5, cy, 4, 1, RGB(0, 0, 0));
  dc.FillSolidRect(cx + 2, cy, 4, 1, RGB(0, 0, 0));
  dc.FillSolidRect(cx, cy - 5, 1, 4, RGB(0, 0, 0));
  dc.FillSolidRect(cx, cy + 2, 1, 4, RGB(0, 0, 0));
  // The luminance bar for this hue and saturation, with its arrow.
  int barHeight = std::max(2, m_lumBar.Height());
  for (int y = 0; y < m_lumBar.Height(); ++y) {
    auto lum = static_cast<WORD>(240 - y * 240 / (barHeight - 1));
    dc.FillSolidRect(m_lumBar.left, m_lumBar.top + y, m_lumBar.Width(), 1,
                     ColorHLSToRGB(static_cast<WORD>(m_hue), lum, static_cast<WORD>(m_sat)));
  }
  int ay = m_lumBar.top + (240 - m_lum) * (barHeight - 1) / 240;
  for (int i = 0; i < 4; ++i) dc.FillSolidRect(m_lumBar.right + 2 + i, ay - i, 1, 2 * i + 1, RGB(0, 0, 0));
  CRect sample = m_sample;
  dc.FillSolidRect(&sample, m_current);
  sample.InflateRect(1, 1);
  dc.Draw3dRect(&sample, GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DHILIGHT));
  dc.SetBkColor(keep);
}
