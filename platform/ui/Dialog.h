#pragma once
// CDialog: a window built from a dialog template of the resource chain (or one in memory),
// its controls placed in dialog units converted with the dialog font's base units.
//
// Lifecycle of a modal dialog (DoModal):
//   1. the template is looked up; a missing or damaged one is reported and DoModal gives -1;
//   2. the window and its controls are created, WM_INITDIALOG runs OnInitDialog, which moves
//      the members into the controls (UpdateData(FALSE));
//   3. the dialog shows and the modal loop runs until EndDialog (OnOK after a successful
//      UpdateData(TRUE), OnCancel, or the program);
//   4. the window is destroyed (WM_DESTROY) and DoModal returns the EndDialog value.
// The owner window, when there is one, is disabled while the dialog runs.
#include "platform/base/Resources.h"
#include "platform/ui/Help.h"
#include "platform/ui/Wnd.h"

class ORV_API CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog();
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // --- modal
  virtual INT_PTR DoModal();
  // Uses a template held in memory (it must outlive the dialog) instead of a resource.
  BOOL InitModalIndirect(const orv::DialogTemplate* dialogTemplate, CWnd* parent = nullptr);
  void EndDialog(int result);

  // --- modeless: the window exists until DestroyWindow
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  BOOL CreateIndirect(const orv::DialogTemplate* dialogTemplate, CWnd* parent = nullptr);

  // Dialog units to pixels with this dialog's font.
  void MapDialogRect(LPRECT rect) const;
  void NextDlgCtrl() const;
  void PrevDlgCtrl() const;
  void SetDefID(UINT id);
  DWORD GetDefID() const;

  virtual BOOL OnInitDialog();
  // The keyboard interface of a dialog: Enter presses the default button, Escape cancels,
  // F1 asks for help.
  BOOL PreTranslateMessage(MSG* msg) override;

  UINT m_nIDHelp = 0;          // the template id, also the help context
  CWnd* m_pParentWnd = nullptr;

protected:
  virtual void OnOK();
  virtual void OnCancel();
  LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
  UINT HelpContextId() const override { return m_nIDHelp; }

  DECLARE_MESSAGE_MAP()

private:
  const orv::DialogTemplate* FindTemplate() const;
  BOOL CreateWindowFrom(const orv::DialogTemplate* dialogTemplate, CWnd* parent);

  const orv::DialogTemplate* m_lpDialogTemplate = nullptr;
};
