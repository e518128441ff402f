#include "sibling/orvcst/LumDialogBase.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"

CLumDialogBase::CLumDialogBase() = default;

CLumDialogBase::CLumDialogBase(CCorLum* corLum) : m_pCorLum(corLum) {}

CLumDialogBase::CLumDialogBase(CCorLum* corLum, CCorLum* secondCorLum)
    : m_pCorLum(corLum != nullptr ? corLum : secondCorLum), m_pCorLumSecond(secondCorLum) {}

CLumDialogBase::~CLumDialogBase() = default;

void CLumDialogBase::DrawBackground(CDC* dc, CRect* rect, int flags) {
  if (dc == nullptr || rect == nullptr) return;
  COLORREF keep = dc->GetBkColor();
  dc->FillSolidRect(rect, m_nColorScheme == 0 ? kNightBackground : GetSysColor(COLOR_3DFACE));
  if ((flags & kPanelEdge) != 0) {
    COLORREF edge = m_nColorScheme == 0 ? kNightEdge : GetSysColor(COLOR_3DSHADOW);
    dc->Draw3dRect(rect, edge, edge);
  }
  dc->SetBkColor(keep);
}
