#include "dialogs/LumFileDialog.h"

#include "res/ResourceIds.h"
#include "sibling/orvreg/Registry.h"

BEGIN_MESSAGE_MAP(CLumFileDialog, CFileDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
CString PositionValue() {
  CString name;
  name.LoadString(IDS_REG_WINDOW_POS);
  return name;
}
}  // namespace

CLumFileDialog::CLumFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                               LPCTSTR filter, CWnd* parent)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent, 0, FALSE) {}

CLumFileDialog::~CLumFileDialog() = default;

void CLumFileDialog::DoDataExchange(CDataExchange*) {}

BOOL CLumFileDialog::OnInitDialog() {
  CFileDialog::OnInitDialog();
  if (!m_strRegKey.IsEmpty()) CRegistry::Read(m_strRegKey, PositionValue(), this);
  if (CWnd* frame = GetParent(); frame != nullptr) frame->ModifyStyleEx(WS_EX_CONTEXTHELP, 0);
  return TRUE;
}

void CLumFileDialog::OnDestroy() {
  if (!m_strRegKey.IsEmpty()) CRegistry::Write(m_strRegKey, PositionValue(), this);
  CWnd::OnDestroy();
}
