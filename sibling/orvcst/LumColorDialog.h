#pragma once
// CLumColorDialog: the application's colour picker, the framework's colour chooser whose
// sixteen custom colours survive from one use to the next.
//
//   - Construction reads the custom colours from the registry (key "Color", values
//     "CustomColor" + a letter; white when missing) and sets CC_RGBINIT, so the chooser
//     opens on m_cc.rgbResult (the initial colour unless the caller changes it).
//   - Before DoModal the caller may set m_strTitle (the window title; empty keeps the
//     chooser's own) and the chooser's fields.
//   - Opening drops the title bar's help button.
//   - OK stores all sixteen custom colours; Cancel stores nothing.
//
// It lives beside the styled dialogs so that both the colour and font dialog and the
// common dialogs reach it without one part of the library including another.
#include "platform/ui/ColorDialog.h"

class ORV_API CLumColorDialog : public CColorDialog {
  DECLARE_DYNAMIC(CLumColorDialog)
public:
  static constexpr int kCustomCount = 16;

  explicit CLumColorDialog(COLORREF initialColor = 0, DWORD flags = 0, CWnd* parent = nullptr);
  ~CLumColorDialog() override;

  // The registry value of custom colour i (0 to 15). Stored settings rely on the letter
  // order "ABCDEFGHIJKLNMOP": colour 12 is kept under N and colour 13 under M.
  CString CustomColorValueName(int i) const;

  CString m_strTitle;                    // the window title when not empty
  COLORREF m_crCustom[kCustomCount];     // the chooser's custom colours (m_cc.lpCustColors)
  CString m_strLetters;                  // one value letter per custom colour

protected:
  BOOL OnInitDialog() override;
  BOOL OnColorOK() override;

  DECLARE_MESSAGE_MAP()
};
