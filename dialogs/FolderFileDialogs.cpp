#include "dialogs/FolderFileDialogs.h"

#include "res/ResourceIds.h"
#include "sibling/orvcom/CommonFile.h"
#include "sibling/orvreg/Registry.h"

IMPLEMENT_DYNAMIC(CDlgFileOpen, CFileDialog)
IMPLEMENT_DYNAMIC(CDlgFileSave, CFileDialog)

BEGIN_MESSAGE_MAP(CDlgFileOpen, CLumFileDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

CString Loaded(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

// Sets the dialog's key, reads the folder into `folder` and starts the dialog there.
void StartInRememberedFolder(CLumFileDialog& dialog, UINT pathName, CString& folder) {
  dialog.m_strRegKey = Loaded(IDS_REG_FILE_DIALOG_KEY);
  CRegistry::Read(dialog.m_strRegKey, Loaded(pathName), CString(), folder);
  if (!folder.IsEmpty()) dialog.GetOFN().lpstrInitialDir = folder.GetString();
}

// The folder of the confirmed name, whole: a folder is stored as it is or not at all, never
// cut to a length.
void RememberFolder(const CLumFileDialog& dialog, UINT pathName) {
  CString folder = CCommonFile::GetPathName(dialog.GetPathName());
  if (!folder.IsEmpty()) CRegistry::Write(dialog.m_strRegKey, Loaded(pathName), folder);
}

}  // namespace

CDlgFileOpen::CDlgFileOpen(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                           LPCTSTR filter, CWnd* parent)
    : CLumFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent) {
  StartInRememberedFolder(*this, IDS_REG_FILE_OPEN_PATH, m_strFolder);
}

CDlgFileOpen::~CDlgFileOpen() = default;

BOOL CDlgFileOpen::OnInitDialog() {
  CLumFileDialog::OnInitDialog();
  return TRUE;
}

BOOL CDlgFileOpen::OnFileNameOK() {
  RememberFolder(*this, IDS_REG_FILE_OPEN_PATH);
  return FALSE;
}

void CDlgFileOpen::OnDestroy() { CLumFileDialog::OnDestroy(); }

CDlgFileSave::CDlgFileSave(CCorLum* corLum, BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName,
                           DWORD flags, LPCTSTR filter, CWnd* parent)
    : CLumFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent) {
  m_pCorLum = corLum;
  StartInRememberedFolder(*this, IDS_REG_FILE_SAVE_PATH, m_strFolder);
}

CDlgFileSave::~CDlgFileSave() = default;

BOOL CDlgFileSave::OnInitDialog() {
  CLumFileDialog::OnInitDialog();
  return TRUE;
}

BOOL CDlgFileSave::OnFileNameOK() {
  RememberFolder(*this, IDS_REG_FILE_SAVE_PATH);
  return FALSE;
}
