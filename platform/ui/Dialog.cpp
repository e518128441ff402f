#include "platform/ui/Dialog.h"

#include "platform/base/MessageBox.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/DialogWindow.h"

using orv::ui::DialogProc;
using orv::ui::Window;

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

const orv::DialogTemplate* CDialog::FindTemplate() const {
  return m_lpDialogTemplate != nullptr ? m_lpDialogTemplate : orv::FindResourceDialog(m_nIDHelp);
}

BOOL CDialog::InitModalIndirect(const orv::DialogTemplate* dialogTemplate, CWnd* parent) {
  m_lpDialogTemplate = dialogTemplate;
  if (parent != nullptr) m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

BOOL CDialog::CreateWindowFrom(const orv::DialogTemplate* dialogTemplate, CWnd* parent) {
  CString error;
  orv::ui::DialogBuild build;
  build.dialogTemplate = dialogTemplate;
  Window* parentWindow = parent != nullptr ? Window::FromHandle(parent->m_hWnd) : nullptr;
  build.child = dialogTemplate != nullptr && (dialogTemplate->style & WS_CHILD) != 0 && parentWindow != nullptr;
  build.parent = parentWindow != nullptr && !build.child ? parentWindow->TopLevel() : parentWindow;
  build.object = this;
  Window* w = orv::ui::CreateDialogWindow(build, &error);
  if (w != nullptr) return TRUE;
  CString text;
  text.Format(L"CDialog::Create(): Dialog template %u is damaged: %s.", m_nIDHelp, error);
  orv::ShowMessageBox(text, L"", MB_OK | MB_ICONERROR);
  return FALSE;
}

INT_PTR CDialog::DoModal() {
  const orv::DialogTemplate* dialogTemplate = FindTemplate();
  if (dialogTemplate == nullptr) {
    CString text;
    text.Format(L"CDialog::DoModal(): Dialog template %u not found.", m_nIDHelp);
    orv::ShowMessageBox(text, L"", MB_OK | MB_ICONERROR);
    return -1;
  }
  if (m_hWnd != nullptr) {
    orv::ShowMessageBox(L"CDialog::DoModal(): The dialog is already open.", L"", MB_OK | MB_ICONERROR);
    return -1;
  }
  Window* parentWindow = m_pParentWnd != nullptr ? Window::FromHandle(m_pParentWnd->m_hWnd) : nullptr;
  Window* owner = parentWindow != nullptr ? parentWindow->TopLevel() : nullptr;
  bool reenableOwner = owner != nullptr && owner->IsEnabled();
  if (reenableOwner) ::EnableWindow(owner, FALSE);

  orv::ui::DialogEnding state;
  orv::ui::DialogBuild build;
  build.dialogTemplate = dialogTemplate;
  build.parent = owner;
  build.object = this;
  build.modal = &state;
  CString error;
  Window* w = orv::ui::CreateDialogWindow(build, &error);
  if (w == nullptr) {
    if (reenableOwner && Window::IsLive(owner)) ::EnableWindow(owner, TRUE);
    CString text;
    text.Format(L"CDialog::DoModal(): Dialog template %u is damaged: %s.", m_nIDHelp, error);
    orv::ShowMessageBox(text, L"", MB_OK | MB_ICONERROR);
    return -1;
  }
  if (!state.ended && Window::IsLive(w)) {
    ::ShowWindow(w, SW_SHOW);
    orv::ui::RunModalHook(w);
    if (!state.ended && Window::IsLive(w)) orv::ui::RunModalLoop(*w, state.ended);
  }
  // The owner comes back before the dialog goes, so that it takes the activation.
  if (reenableOwner && Window::IsLive(owner)) ::EnableWindow(owner, TRUE);
  if (Window::IsLive(w)) {
    ::ShowWindow(w, SW_HIDE);
    w->Destroy();
  }
  return state.result;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDHelp = templateId;
  m_lpDialogTemplate = nullptr;
  m_pParentWnd = parent;
  const orv::DialogTemplate* dialogTemplate = FindTemplate();
  if (dialogTemplate == nullptr) {
    CString text;
    text.Format(L"CDialog::Create(): Dialog template %u not found.", templateId);
    orv::ShowMessageBox(text, L"", MB_OK | MB_ICONERROR);
    return FALSE;
  }
  return CreateIndirect(dialogTemplate, parent);
}

BOOL CDialog::CreateIndirect(const orv::DialogTemplate* dialogTemplate, CWnd* parent) {
  if (dialogTemplate == nullptr || m_hWnd != nullptr) return FALSE;
  m_lpDialogTemplate = dialogTemplate;
  m_pParentWnd = parent;
  if (!CreateWindowFrom(dialogTemplate, parent)) return FALSE;
  if ((dialogTemplate->style & WS_VISIBLE) != 0) ::ShowWindow(m_hWnd, SW_SHOW);
  return TRUE;
}

void CDialog::MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

void CDialog::SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(SendMessage(DM_GETDEFID)); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
