#pragma once
// CSigDialog: a styled dialog that keeps its values and its window position in the registry
// from one run of the application to the next.
//
// A derived dialog overrides UpdateRegistry and lists each of its values there once with
// UpdateReg, under a key of its own (relative to the application key), then calls the base
// with that key for the window position:
//
//   void UpdateRegistry(int save, const wchar_t* key) override {
//     UpdateReg(L"Dialog\\Params", L"Count", 10, m_nCount, CRegistry::DT_INT, save);
//     CSigDialog::UpdateRegistry(save, L"Dialog\\Params");
//   }
//
// Lifecycle:
//   1. construction reads nothing;
//   2. WM_INITDIALOG: the styled base initialises, then UpdateRegistry(0, null) loads (a value
//      never stored loads its default; the window stays where it is when no position is),
//      and the loaded members go into the controls (UpdateData(FALSE));
//   3. nothing is stored while the dialog runs;
//   4. WM_DESTROY, after OK and after Cancel alike: UpdateRegistry(1, null) stores the
//      members as they are then, so a member that is only copied from its control on OK
//      writes back the value it had loaded when the dialog is cancelled.
// The base implementation with a null key does nothing, so a dialog that does not override
// UpdateRegistry reads and writes nothing.
#include "sibling/orvcst/LumDialog.h"
#include "sibling/orvreg/Registry.h"

class ORV_API CSigDialog : public CLumDialog {
  DECLARE_DYNAMIC(CSigDialog)
public:
  CSigDialog(UINT templateId, CWnd* parent = nullptr);
  ~CSigDialog() override;

  // save non-zero stores, 0 loads. With a key, the base keeps the window position there as
  // the value "Position".
  virtual void UpdateRegistry(int save, const wchar_t* key);

  // Each forwards to CRegistry::UpdateReg of the same shape.
  void UpdateReg(CString key, CString name, CString defaultValue, CString& value, int save);
  void UpdateReg(CString key, CString name, int defaultValue, int& value, CRegistry::DATATYPE type, int save);
  void UpdateReg(CString key, CString name, double defaultValue, double& value, int save);
  void UpdateReg(CString key, CString name, CRect defaultValue, CRect& value, int save);
  void UpdateReg(CString key, CString name, CSize defaultValue, CSize& value, int save);

protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
