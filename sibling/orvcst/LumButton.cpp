#include "sibling/orvcst/LumButton.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/OwnerDraw.h"

IMPLEMENT_DYNAMIC(CLumButton, CButton)

namespace {
COLORREF Darker(COLORREF c) { return RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4); }
COLORREF Between(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}
}  // namespace

CLumButton::CLumButton()
    : m_crText(GetSysColor(COLOR_BTNTEXT)), m_crFace(GetSysColor(COLOR_BTNFACE)), m_crFrame(GetSysColor(COLOR_3DSHADOW)) {}

CLumButton::~CLumButton() = default;

BOOL CLumButton::Attach(UINT id, CWnd* parent, DWORD, COLORREF textColor, COLORREF faceColor, COLORREF frameColor,
                        UINT frameWidth) {
  SetColors(textColor, faceColor, frameColor, frameWidth);
  return Attach(id, parent);
}

BOOL CLumButton::Attach(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent)) return FALSE;
  if ((GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW) ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
  Invalidate();
  return TRUE;
}

void CLumButton::SetColors(COLORREF textColor, COLORREF faceColor, COLORREF frameColor, UINT frameWidth) {
  m_crText = textColor & 0xFFFFFF;
  m_crFace = faceColor & 0xFFFFFF;
  m_crFrame = frameColor & 0xFFFFFF;
  m_nFrameWidth = frameWidth;
  if (m_hWnd != nullptr) Invalidate();
}

void CLumButton::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  if (drawItem == nullptr || drawItem->pDC == nullptr) return;
  CDC& dc = *drawItem->pDC;
  CRect r(drawItem->rcItem);
  bool pressed = (drawItem->itemState & ODS_SELECTED) != 0;
  bool disabled = (drawItem->itemState & ODS_DISABLED) != 0;
  COLORREF face = pressed ? Darker(m_crFace) : m_crFace;
  COLORREF keepBk = dc.GetBkColor();
  dc.FillSolidRect(&r, face);
  for (UINT i = 0; i < m_nFrameWidth && !r.IsRectEmpty(); ++i) {
    dc.Draw3dRect(&r, m_crFrame, m_crFrame);
    r.DeflateRect(1, 1);
  }
  CString text;
  GetWindowText(text);
  CRect textRect(drawItem->rcItem);
  if (pressed) textRect.OffsetRect(1, 1);
  int keepMode = dc.SetBkMode(TRANSPARENT);
  COLORREF keepText = dc.SetTextColor(disabled ? Between(m_crText, face) : m_crText);
  dc.DrawText(orv::ui::TextWithoutMnemonics(text), &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  dc.SetTextColor(keepText);
  dc.SetBkMode(keepMode);
  if ((drawItem->itemState & ODS_FOCUS) != 0) {
    CRect f = r;
    f.DeflateRect(2, 2);
    orv::ui::DrawFocusDots(dc, f, m_crText);
  }
  dc.SetBkColor(keepBk);
}
