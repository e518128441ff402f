#pragma once
// CSetColorDialog: the modal dialog in which the user chooses the colour of every line, mark
// and label the sky view draws, the font size of every label and the colour of each
// constellation-picture set (template 24011).
//
// Lifecycle:
//   - Construction builds the catalogue (COrvColor, owned) from the sky views and the two
//     file paths, and loads the six mark bitmaps. Nothing is read yet.
//   - Opening asks the sky view for its picture file, rewrites the colour-font file from the
//     sky view's current values (COrvColor::Save), fills the tree with the 19 groups and the
//     catalogue's entries, and reads the file into the working lines.
//   - Editing (the colour picker, "リセット", the font size) changes only the working lines,
//     the picture-set colours held here and the preview. "すべてリセット" is the exception:
//     after its confirmation it deletes the colour-font file and every stored picture-set
//     colour at once, and that stays even if the user then cancels.
//   - OK writes the working lines to the colour-font file, stores the picture-set colours,
//     applies the file to the sky views as their values and defaults (COrvColor::Load(1)) and
//     sends "Show Sky". Cancel writes and sends nothing.
//
// Font sizes run from 0 to 50, the sizes "all labels larger" can reach. The exact text "0"
// is refused silently for a label (the size 0 can still be typed as "00").
#include "colour/CnsPic.h"
#include "colour/OrvColor.h"
#include "platform/base/CMap.h"
#include "platform/gdi/GdiObject.h"
#include "sibling/orvcst/LumControls.h"
#include "sibling/orvcst/LumDialog.h"

class ORV_API CSetColorDialog : public CLumDialog {
public:
  static constexpr int kMinFontSize = 0;
  static constexpr int kMaxFontSize = 50;
  static constexpr int kMarkBitmapCount = 6;

  // Two sky views (either may be null), a value kept for the caller, the colour-font file,
  // the defaults file and the parent window.
  CSetColorDialog(CCorLum* pCorLum1, CCorLum* pCorLum2, UINT nCallerValue, CString strColorFontFile,
                  CString strDefaultFile, CWnd* pParent = nullptr);
  // The same without a parent; the entry whose colour or size key equals selectKey (ignoring
  // case) is selected on opening, and the colour scheme comes from "General\ColorScheme".
  CSetColorDialog(CCorLum* pCorLum1, CCorLum* pCorLum2, CString strColorFontFile, CString strDefaultFile,
                  const wchar_t* selectKey);
  // One sky view and no catalogue: the tree shows the groups only and nothing is edited.
  CSetColorDialog(CCorLum* pCorLum, UINT nCallerValue, CWnd* pParent = nullptr);
  ~CSetColorDialog() override;

  void InitConstructor();
  // The picture file in use; opening replaces it with the sky view's answer.
  void SetCnsPic(CString strFile);

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void AttachControls() override;
  void OnOK() override;
  void OnCancel() override;

  // The entry at m_nCurrent into the members and controls.
  void RegistryToControls();
  // The members into the working lines (and the picture-set colours).
  void ControlsToRegistry();
  // Fills the working lines from the colour-font file, or from the catalogue defaults.
  void LoadCfg(int bDefault);
  // Writes the working lines and stores the picture-set colours.
  void SaveCfg();

  void OnColorSet();
  void OnColorDefault();
  void OnColorAlldefault();
  void OnChangeEditFontsize();
  void OnSelchangeColorTree(NMHDR* pNMHDR, LRESULT* pResult);
  void OnDblclkTreeItem(NMHDR* pNMHDR, LRESULT* pResult);

  // The preview (SetColorDialogPreview.cpp), always on black in m_rcPreview.
  void OnPaint();
  void DrawPattern(CDC* pDC, CString strKind, int nSize, COLORREF crColor);
  void DrawMarkPattern(CDC* pDC, CString strColorKey, COLORREF crColor);
  // One cell of a mark bitmap in a colour: white parts take the colour, black parts leave
  // what is there, grey mixes the two bit by bit.
  void BitBltMark(CDC* pDC, int xSrc, int ySrc, int xDest, int yDest, int nWidth, int nHeight, COLORREF crColor,
                  CBitmap* pBitmap);

  int m_nFontSize = 0;
  UINT m_nCallerValue = 0;
  CLumButton m_btnColorSet;
  CLumButton m_btnDefault;
  CLumButton m_btnAllDefault;
  CLumEdit m_editFontSize;
  CLumStatic m_staticFontSize;
  CLumTreeCtrl m_treeColor;
  CMap<HTREEITEM, HTREEITEM, int, int> m_mapItemToEntry{10};  // entry items only
  CLumSpinButton m_spinFontSize;
  CBitmap m_bmpMark[kMarkBitmapCount];
  CString m_strSelectKey;
  CString m_strKind;           // kind of the entry being edited
  COLORREF m_crDefColor = 0;
  int m_nDefFontSize = 0;      // 0 for entries other than labels
  COLORREF m_crColor = 0;
  CRect m_rcPreview;           // client pixels
  int m_nCurrent = 0;          // catalogue index of the entry being edited
  COrvColor* m_pColor = nullptr;
  CString m_strCnsPicFile;
  CStringArray m_aLines;       // the colour-font file being edited
  CArray<tagCnsPicInfo, const tagCnsPicInfo&> m_aCnsPics;

  DECLARE_MESSAGE_MAP()

private:
  // The entry at m_nCurrent; an empty one without a catalogue.
  SColorEntry CurrentEntry() const;
  // The first picture set of that file (ignoring case), or null.
  tagCnsPicInfo* FindCnsPic(const CString& strFile);
  void InvalidatePreview();
};
