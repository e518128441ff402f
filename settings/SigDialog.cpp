#include "settings/SigDialog.h"

IMPLEMENT_DYNAMIC(CSigDialog, CLumDialog)

BEGIN_MESSAGE_MAP(CSigDialog, CLumDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr const wchar_t* kPositionValue = L"Position";
}  // namespace

CSigDialog::CSigDialog(UINT templateId, CWnd* parent) : CLumDialog(templateId, parent) {}

CSigDialog::~CSigDialog() = default;

void CSigDialog::UpdateRegistry(int save, const wchar_t* key) {
  if (key == nullptr) return;
  if (save)
    CRegistry::Write(key, kPositionValue, this);
  else
    CRegistry::Read(key, kPositionValue, this);
}

void CSigDialog::UpdateReg(CString key, CString name, CString defaultValue, CString& value, int save) {
  CRegistry::UpdateReg(key, name, defaultValue, value, save);
}

void CSigDialog::UpdateReg(CString key, CString name, int defaultValue, int& value, CRegistry::DATATYPE type,
                           int save) {
  CRegistry::UpdateReg(key, name, defaultValue, value, type, save);
}

void CSigDialog::UpdateReg(CString key, CString name, double defaultValue, double& value, int save) {
  CRegistry::UpdateReg(key, name, defaultValue, value, save);
}

void CSigDialog::UpdateReg(CString key, CString name, CRect defaultValue, CRect& value, int save) {
  CRegistry::UpdateReg(key, name, defaultValue, value, save);
}

void CSigDialog::UpdateReg(CString key, CString name, CSize defaultValue, CSize& value, int save) {
  CRegistry::UpdateReg(key, name, defaultValue, value, save);
}

void CSigDialog::DoDataExchange(CDataExchange* dx) { CLumDialog::DoDataExchange(dx); }

BOOL CSigDialog::OnInitDialog() {
  CLumDialog::OnInitDialog();
  UpdateRegistry(0, nullptr);
  // The styled base has already put the members into the controls; put them again, so that
  // the controls show what was loaded and OK does not store the defaults over it.
  UpdateData(FALSE);
  return TRUE;
}

void CSigDialog::OnOK() { CDialog::OnOK(); }

void CSigDialog::OnDestroy() {
  UpdateRegistry(1, nullptr);
  CLumDialog::OnDestroy();
}
