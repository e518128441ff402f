#pragma once
// CLumDialog: the styled dialog the library's dialogs derive from.
//
//   - Colour scheme 0 (CLumDialogBase) paints the night background when the dialog erases
//     and gives its labels, check boxes and group boxes light text; derived dialogs paint
//     over it as they like (DrawBackground draws the same background).
//   - AttachControls, which a derived dialog calls after OnInitDialog and may extend, binds
//     OK, Cancel and Help (when the template has them) to styled buttons.
//   - With a registry key set (m_strRegKey), the window comes back where it was: its
//     position is read when the dialog opens and stored when its window is destroyed, as
//     the value "WindowPos" under that key.
#include "platform/ui/Dialog.h"
#include "sibling/orvcst/LumButton.h"
#include "sibling/orvcst/LumDialogBase.h"

class ORV_API CLumDialog : public CDialog, public CLumDialogBase {
  DECLARE_DYNAMIC(CLumDialog)
public:
  // The colours of the buttons AttachControls binds, in the night scheme.
  static constexpr COLORREF kNightButtonText = RGB(196, 196, 196);
  static constexpr COLORREF kNightButtonFace = RGB(107, 107, 107);

  explicit CLumDialog(UINT templateId, CWnd* parent = nullptr);
  CLumDialog(CCorLum* corLum, UINT templateId, CWnd* parent = nullptr);
  CLumDialog(CCorLum* corLum, CCorLum* secondCorLum, UINT templateId, CWnd* parent = nullptr);
  ~CLumDialog() override;

  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  virtual void AttachControls();

protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnEraseBkgnd(CDC* dc);
  void OnDestroy();

  CLumButton m_btnOK;
  CLumButton m_btnCancel;
  CLumButton m_btnHelp;

  DECLARE_MESSAGE_MAP()
};
