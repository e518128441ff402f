#include "sibling/orvcst/LumControls.h"

#include "platform/ui/Appearance.h"
#include "sibling/orvcst/LumDialogBase.h"

IMPLEMENT_DYNAMIC(CLumEdit, CEdit)
IMPLEMENT_DYNAMIC(CLumStatic, CStatic)
IMPLEMENT_DYNAMIC(CLumTreeCtrl, CTreeCtrl)
IMPLEMENT_DYNAMIC(CLumSpinButton, CSpinButtonCtrl)
IMPLEMENT_DYNAMIC(CLumScrollBar, CScrollBar)

void orv::cst::ApplyScheme(CWnd& control, CWnd* dialog, COLORREF field) {
  auto* base = dynamic_cast<CLumDialogBase*>(dialog);
  if (base == nullptr || base->m_nColorScheme != 0) return;
  orv::ui::SetControlColors(control.m_hWnd, CLumDialogBase::kNightText, field);
}

namespace {
template <typename Control>
BOOL AttachStyled(Control& control, UINT id, CWnd* parent, COLORREF field) {
  if (!control.SubclassDlgItem(id, parent)) return FALSE;
  orv::cst::ApplyScheme(control, parent, field);
  return TRUE;
}
}  // namespace

BOOL CLumEdit::Attach(UINT id, CWnd* parent) { return AttachStyled(*this, id, parent, CLumDialogBase::kNightField); }
BOOL CLumStatic::Attach(UINT id, CWnd* parent) { return AttachStyled(*this, id, parent, CLR_INVALID); }
BOOL CLumTreeCtrl::Attach(UINT id, CWnd* parent) { return AttachStyled(*this, id, parent, CLumDialogBase::kNightField); }
BOOL CLumSpinButton::Attach(UINT id, CWnd* parent) { return AttachStyled(*this, id, parent, CLR_INVALID); }
BOOL CLumScrollBar::Attach(UINT id, CWnd* parent) { return AttachStyled(*this, id, parent, CLR_INVALID); }
