#pragma once
// The styled controls: each binds to a dialog's control of a given id (Attach), behaves as
// its framework counterpart, and takes the look of its dialog's colour scheme (light text
// on dark fields for the night scheme 0 of a CLumDialogBase dialog).
#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"

class ORV_API CLumEdit : public CEdit {
  DECLARE_DYNAMIC(CLumEdit)
public:
  // FALSE when the dialog has no such control or it has an object already.
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;
};

class ORV_API CLumStatic : public CStatic {
  DECLARE_DYNAMIC(CLumStatic)
public:
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;
};

class ORV_API CLumTreeCtrl : public CTreeCtrl {
  DECLARE_DYNAMIC(CLumTreeCtrl)
public:
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;
};

class ORV_API CLumSpinButton : public CSpinButtonCtrl {
  DECLARE_DYNAMIC(CLumSpinButton)
public:
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;
};

class ORV_API CLumScrollBar : public CScrollBar {
  DECLARE_DYNAMIC(CLumScrollBar)
public:
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;
};

namespace orv::cst {
// Gives a control the look of its dialog's colour scheme: for the night scheme, light text
// on `field` (CLR_INVALID: the dialog's background shows through).
ORV_API void ApplyScheme(CWnd& control, CWnd* dialog, COLORREF field);
}  // namespace orv::cst
