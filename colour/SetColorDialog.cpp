// CSetColorDialog: opening, the working lines of the colour-font file, the handlers, OK and
// Cancel. The preview is drawn in SetColorDialogPreview.cpp.
#include "colour/SetColorDialog.h"

#include "colour/ColorGroups.h"
#include "colour/detail/ColorFontLines.h"
#include "platform/base/Exception.h"
#include "platform/base/File.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/WaitCursor.h"
#include "res/ResourceIds.h"
#include "sibling/orvcom/CommonFile.h"
#include "sibling/orvcom/LumFile.h"
#include "sibling/orvcst/LumColorDialog.h"
#include "sibling/orvcst/LumTheme.h"
#include "sibling/orvreg/Registry.h"
#include "sibling/skyview/CorLum.h"

using orv::colour::ColourLine;
using orv::colour::FindLine;
using orv::colour::SizeLine;

BEGIN_MESSAGE_MAP(CSetColorDialog, CLumDialog)
  ON_BN_CLICKED(IDC_COLOR_SET, &CSetColorDialog::OnColorSet)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_COLOR_DEFAULT, &CSetColorDialog::OnColorDefault)
  ON_BN_CLICKED(IDC_COLOR_ALLDEFAULT, &CSetColorDialog::OnColorAlldefault)
  ON_WM_HELPINFO()
  ON_COMMAND(ID_HELP, &CWnd::OnHelp)
  ON_EN_CHANGE(IDC_FONTSIZE_EDIT, &CSetColorDialog::OnChangeEditFontsize)
  ON_NOTIFY(TVN_SELCHANGED, IDC_COLOR_TREE, &CSetColorDialog::OnSelchangeColorTree)
  ON_NOTIFY(NM_DBLCLK, IDC_COLOR_TREE, &CSetColorDialog::OnDblclkTreeItem)
END_MESSAGE_MAP()

namespace {
constexpr const wchar_t* kPictureFileQuery = L"? Constellation.Picture.Image.File";
constexpr const wchar_t* kStandardPictureFile = L".\\constellation\\CnsPic\\CnsPic.lst";
constexpr const wchar_t* kShowSky = L"Show Sky";
constexpr const wchar_t* kUnknownGroup = L"CL";  // tried for an entry of no known group

constexpr COLORREF kButtonText = 0xC4C4C4;
constexpr COLORREF kButtonFace = 0x6B6B6B;
constexpr COLORREF kButtonFrame = 0xC4C4C4;

constexpr UINT kReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kCreateWrite = CFile::modeCreate | CFile::modeWrite;
}  // namespace

CSetColorDialog::CSetColorDialog(CCorLum* pCorLum1, CCorLum* pCorLum2, UINT nCallerValue, CString strColorFontFile,
                                 CString strDefaultFile, CWnd* pParent)
    : CLumDialog(pCorLum1, pCorLum2, IDD_COLOR_FONT, pParent), m_nCallerValue(nCallerValue) {
  m_pColor = new COrvColor(pCorLum1, pCorLum2, strColorFontFile, strDefaultFile);
  InitConstructor();
  m_strRegKey.LoadString(IDS_REG_COLOR_FONT_KEY);
}

CSetColorDialog::CSetColorDialog(CCorLum* pCorLum1, CCorLum* pCorLum2, CString strColorFontFile,
                                 CString strDefaultFile, const wchar_t* selectKey)
    : CLumDialog(pCorLum1, pCorLum2, IDD_COLOR_FONT, nullptr), m_strSelectKey(selectKey) {
  m_pColor = new COrvColor(pCorLum1, pCorLum2, strColorFontFile, strDefaultFile);
  CRegistry::Read(L"General", L"ColorScheme", 0, &m_nColorScheme, CRegistry::DT_INT);
  InitConstructor();
  m_strRegKey.LoadString(IDS_REG_COLOR_FONT_KEY);
}

CSetColorDialog::CSetColorDialog(CCorLum* pCorLum, UINT nCallerValue, CWnd* pParent)
    : CLumDialog(pCorLum, IDD_COLOR_FONT, pParent), m_nCallerValue(nCallerValue) {
  InitConstructor();
  m_strRegKey.LoadString(IDS_REG_COLOR_FONT_KEY);
}

CSetColorDialog::~CSetColorDialog() { delete m_pColor; }

void CSetColorDialog::InitConstructor() {
  m_nCurrent = 0;
  for (int i = 0; i < kMarkBitmapCount; ++i)
    m_bmpMark[i].LoadBitmap(static_cast<UINT>(IDB_MARK_DEEPSKY + i), orv::LibraryResourceHandle());
  m_strCnsPicFile.Empty();
}

void CSetColorDialog::SetCnsPic(CString strFile) { m_strCnsPicFile = strFile; }

SColorEntry CSetColorDialog::CurrentEntry() const {
  return m_pColor != nullptr ? m_pColor->GetColorEntry(m_nCurrent) : SColorEntry();
}

tagCnsPicInfo* CSetColorDialog::FindCnsPic(const CString& strFile) {
  for (tagCnsPicInfo& info : m_aCnsPics)
    if (info.strFile.CompareNoCase(strFile) == 0) return &info;
  return nullptr;
}

void CSetColorDialog::InvalidatePreview() { InvalidateRect(&m_rcPreview, TRUE); }

void CSetColorDialog::DoDataExchange(CDataExchange* pDX) {
  CLumDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_FONTSIZE_EDIT, m_nFontSize);
  DDV_MinMaxInt(pDX, m_nFontSize, kMinFontSize, kMaxFontSize);
}

void CSetColorDialog::AttachControls() {
  CLumDialog::AttachControls();
  m_btnColorSet.Attach(IDC_COLOR_SET, this, 0, kButtonText, kButtonFace, kButtonFrame, 1);
  m_btnDefault.Attach(IDC_COLOR_DEFAULT, this, 0, kButtonText, kButtonFace, kButtonFrame, 1);
  m_btnAllDefault.Attach(IDC_COLOR_ALLDEFAULT, this, 0, kButtonText, kButtonFace, kButtonFrame, 1);
  m_editFontSize.Attach(IDC_FONTSIZE_EDIT, this);
  m_treeColor.Attach(IDC_COLOR_TREE, this);
  m_staticFontSize.Attach(IDC_FONTSIZE_LABEL, this);
  m_spinFontSize.Attach(IDC_FONTSIZE_SPIN, this);
  if (m_nColorScheme == 0) CLumTheme::SetWindowTheme(m_treeColor.m_hWnd, L"", L"");
}

BOOL CSetColorDialog::OnInitDialog() {
  CLumDialog::OnInitDialog();
  AttachControls();

  // The preview band lies under the tree and above the font-size row, 7 dialog units from each.
  CRect tree, edit;
  m_treeColor.GetWindowRect(&tree);
  ScreenToClient(&tree);
  m_editFontSize.GetWindowRect(&edit);
  ScreenToClient(&edit);
  CRect gap(0, 0, 10, 7);
  MapDialogRect(&gap);
  m_rcPreview.SetRect(tree.left, tree.bottom + gap.bottom, tree.right, edit.top - gap.bottom);

  m_spinFontSize.SetRange(kMinFontSize, kMaxFontSize);

  m_strCnsPicFile = m_pCorLum != nullptr ? m_pCorLum->Command(kPictureFileQuery) : CString();
  if (m_strCnsPicFile.IsEmpty()) m_strCnsPicFile = kStandardPictureFile;
  if (m_pColor != nullptr) m_pColor->Save();

  const CUIntArray& labels = orv::ColorGroupLabelIds();
  const CStringArray& keys = orv::ColorGroupKeys();
  CMap<CString, const CString&, HTREEITEM, HTREEITEM> groups(10);
  for (int g = 0; g < labels.GetSize(); ++g) {
    CString label;
    label.LoadString(labels[g]);
    groups.SetAt(keys[g], m_treeColor.InsertItem(label, TVI_ROOT, TVI_LAST));
  }
  for (int i = 0; m_pColor != nullptr && i < m_pColor->GetCount(); ++i) {
    SColorEntry e = m_pColor->GetColorEntry(i);
    HTREEITEM group = nullptr;
    if (!groups.Lookup(e.strGroup, group)) groups.Lookup(kUnknownGroup, group);
    HTREEITEM item = m_treeColor.InsertItem(e.strLabel, group != nullptr ? group : TVI_ROOT, TVI_LAST);
    m_mapItemToEntry.SetAt(item, i);
    if (!m_strSelectKey.IsEmpty() &&
        (m_strSelectKey.CompareNoCase(e.strColorKey) == 0 || m_strSelectKey.CompareNoCase(e.strSizeKey) == 0)) {
      m_nCurrent = i;
      m_treeColor.SelectItem(item);
    }
  }

  LoadCfg(0);
  RegistryToControls();
  UpdateData(FALSE);
  return TRUE;
}

void CSetColorDialog::RegistryToControls() {
  SColorEntry e = CurrentEntry();
  m_strKind = e.strKind;
  m_nFontSize = 0;
  m_nDefFontSize = 0;
  COLORREF colour = e.crDefault;
  if (e.strKind == L"FONT") {
    int line = FindLine(m_aLines, e.strSizeKey);
    m_nFontSize = line >= 0 ? orv::colour::ReadSizeValue(m_aLines[line], e.strSizeKey) : e.nDefaultSize;
    m_nDefFontSize = e.nDefaultSize;
  }
  if (e.strKind == L"CNSPIC") {
    if (const tagCnsPicInfo* set = FindCnsPic(e.strFile)) {
      m_crDefColor = set->crDefault;
      m_crColor = set->crCurrent;
    }
  } else {
    orv::colour::FindColourValue(m_aLines, e.strColorKey, &colour);
    m_crDefColor = e.crDefault;
    m_crColor = colour;
  }

  int index = 0;
  HTREEITEM selected = m_treeColor.GetSelectedItem();
  const bool isEntry = selected != nullptr && m_mapItemToEntry.Lookup(selected, index);
  if (isEntry) m_nCurrent = index;
  const BOOL sizeEditable = isEntry && m_strKind == L"FONT";
  m_staticFontSize.EnableWindow(sizeEditable);
  m_editFontSize.EnableWindow(sizeEditable);
  m_spinFontSize.EnableWindow(sizeEditable);
  m_btnColorSet.EnableWindow(isEntry);
  m_btnDefault.EnableWindow(isEntry);

  InvalidatePreview();
  UpdateData(FALSE);
}

void CSetColorDialog::ControlsToRegistry() {
  if (m_editFontSize.m_hWnd == nullptr || m_editFontSize.GetWindowTextLength() == 0) return;
  SColorEntry e = CurrentEntry();
  const int previous = m_nFontSize;
  CString text;
  m_editFontSize.GetWindowText(text);
  if ((e.strKind == L"FONT" && text == L"0") || !UpdateData(TRUE)) {
    m_nFontSize = previous;
    UpdateData(FALSE);
    return;
  }

  if (e.strKind == L"CNSPIC") {
    if (tagCnsPicInfo* set = FindCnsPic(e.strFile)) set->crCurrent = m_crColor;
    if (m_strCnsPicFile.CompareNoCase(e.strFile) != 0) {
      InvalidatePreview();  // a set not in use has no line; its colour is stored at OK
      return;
    }
  }
  if (e.strKind == L"FONT") {
    int line = FindLine(m_aLines, e.strSizeKey);
    if (line >= 0) m_aLines[line] = SizeLine(e.strSizeKey, m_nFontSize);
  }
  int line = FindLine(m_aLines, e.strColorKey);
  if (line >= 0) m_aLines[line] = ColourLine(e.strColorKey, m_crColor);
  InvalidatePreview();
}

void CSetColorDialog::LoadCfg(int bDefault) {
  if (m_pColor == nullptr) return;
  CCnsPic pictures;
  tagCnsPicInfo info;
  for (int n = 0; pictures.EnumInfo(&info); ++n) m_aCnsPics.SetAtGrow(n, info);

  const CString file = m_pColor->GetColorFontFile();
  if (bDefault || file.IsEmpty() || !CCommonFile::DoesFileExist(file)) {
    m_aLines.RemoveAll();
    for (const CString& line : m_pColor->CatalogueDefaultLines(m_strCnsPicFile)) m_aLines.Add(line);
    return;
  }
  CLumFile in;
  if (!in.Open(file, kReadDenyWrite, nullptr)) return;  // the working lines stay as they were
  m_aLines.RemoveAll();
  CString line;
  while (in.ReadString(line)) m_aLines.Add(line);
  in.Close();
}

void CSetColorDialog::SaveCfg() {
  if (m_pColor == nullptr || m_pColor->GetColorFontFile().IsEmpty() || m_aLines.IsEmpty()) return;
  CLumFile out;
  out.SetUnicode(1, 1);
  if (!out.Open(m_pColor->GetColorFontFile(), kCreateWrite, nullptr)) return;
  for (const CString& line : m_aLines) out.WriteString(line + L"\r\n");
  out.Close();
  CCnsPic pictures;
  for (const tagCnsPicInfo& set : m_aCnsPics) pictures.SetColor(set.nIndex, set.crCurrent);
}

void CSetColorDialog::OnSelchangeColorTree(NMHDR* pNMHDR, LRESULT* pResult) {
  int index = 0;
  if (m_mapItemToEntry.Lookup(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemNew.hItem, index)) m_nCurrent = index;
  RegistryToControls();
  *pResult = 0;
}

void CSetColorDialog::OnDblclkTreeItem(NMHDR*, LRESULT* pResult) {
  int index = 0;
  HTREEITEM selected = m_treeColor.GetSelectedItem();
  if (selected != nullptr && m_mapItemToEntry.Lookup(selected, index)) {
    m_nCurrent = index;
    OnColorSet();
  }
  *pResult = 0;  // the tree still expands or collapses a group
}

void CSetColorDialog::OnColorSet() {
  CLumColorDialog picker(0, 0, nullptr);
  picker.m_cc.Flags |= CC_RGBINIT;
  picker.m_cc.rgbResult = m_crColor;
  if (picker.DoModal() != IDOK) return;
  m_crColor = picker.GetColor();
  ControlsToRegistry();
}

void CSetColorDialog::OnColorDefault() {
  if (m_strKind == L"FONT") m_nFontSize = m_nDefFontSize;
  m_crColor = m_crDefColor;
  UpdateData(FALSE);
  ControlsToRegistry();
}

void CSetColorDialog::OnChangeEditFontsize() { ControlsToRegistry(); }

void CSetColorDialog::OnColorAlldefault() {
  CWaitCursor wait;
  CString prompt, caption;
  prompt.LoadString(IDS_RESET_ALL_PROMPT);
  caption.LoadString(IDS_APP_TITLE);
  if (MessageBox(prompt, caption, MB_OKCANCEL | MB_ICONWARNING) != IDOK) return;
  if (m_pColor != nullptr && CCommonFile::DoesFileExist(m_pColor->GetColorFontFile())) {
    try {
      CFile::Remove(m_pColor->GetColorFontFile());
    } catch (CException* e) {
      e->Delete();  // the defaults below still replace its lines
    }
  }
  CCnsPic().AllDefault();
  LoadCfg(1);
  RegistryToControls();
}

void CSetColorDialog::OnOK() {
  {
    CWaitCursor wait;
    SaveCfg();
    if (m_pColor != nullptr) m_pColor->Load(1);
    if (m_pCorLum != nullptr) m_pCorLum->Command(kShowSky);
  }
  CLumDialog::OnOK();
}

void CSetColorDialog::OnCancel() { CLumDialog::OnCancel(); }
