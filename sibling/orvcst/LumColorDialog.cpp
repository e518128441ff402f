#include "sibling/orvcst/LumColorDialog.h"

#include "sibling/orvreg/Registry.h"

IMPLEMENT_DYNAMIC(CLumColorDialog, CColorDialog)

BEGIN_MESSAGE_MAP(CLumColorDialog, CColorDialog)
END_MESSAGE_MAP()

namespace {
constexpr const wchar_t* kColorKey = L"Color";
constexpr COLORREF kWhite = 0xFFFFFF;
}  // namespace

CLumColorDialog::CLumColorDialog(COLORREF initialColor, DWORD flags, CWnd* parent)
    : CColorDialog(initialColor, flags, parent), m_strLetters(L"ABCDEFGHIJKLNMOP") {
  for (int i = 0; i < kCustomCount; ++i) {
    DWORD value = kWhite;
    CRegistry::Read(kColorKey, CustomColorValueName(i), kWhite, &value);
    m_crCustom[i] = value;
  }
  m_cc.Flags |= CC_RGBINIT;
  m_cc.lpCustColors = m_crCustom;
  m_strTitle.Empty();
}

CLumColorDialog::~CLumColorDialog() = default;

CString CLumColorDialog::CustomColorValueName(int i) const {
  return CString(L"CustomColor") + m_strLetters.Mid(i, 1);
}

BOOL CLumColorDialog::OnInitDialog() {
  CColorDialog::OnInitDialog();
  ModifyStyleEx(WS_EX_CONTEXTHELP, 0);
  if (!m_strTitle.IsEmpty()) SetWindowText(m_strTitle);
  return TRUE;
}

BOOL CLumColorDialog::OnColorOK() {
  for (int i = 0; i < kCustomCount; ++i) CRegistry::Write(kColorKey, CustomColorValueName(i), m_crCustom[i]);
  return CColorDialog::OnColorOK();
}
