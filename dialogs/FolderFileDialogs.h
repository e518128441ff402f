#pragma once
// CDlgFileOpen and CDlgFileSave: file dialogs that start in the folder where the user last
// picked a file. Both share one memory, so a folder chosen for saving is where the next
// opening starts, and the reverse. Registry, relative to the application key: key
// "Dialog\FileOpen", string value "Path" (the folder, never a file name) and the frame's
// position "WindowPos".
//
//   1. construction reads the folder; when one is stored, the dialog's initial directory
//      (GetOFN().lpstrInitialDir) points at the dialog's own copy of it, valid as long as
//      the dialog lives;
//   2. OnInitDialog: the frame moves to its stored position (CLumFileDialog);
//   3. the user confirms a name: its folder is stored, whatever its length, and the name is
//      accepted;
//   4. WM_DESTROY, after OK and after Cancel alike: the frame's position is stored.
// Cancelling stores no folder.
#include "dialogs/LumFileDialog.h"

class CCorLum;

class ORV_API CDlgFileOpen : public CLumFileDialog {
  DECLARE_DYNAMIC(CDlgFileOpen)
public:
  CDlgFileOpen(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
               DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);
  ~CDlgFileOpen() override;

protected:
  BOOL OnInitDialog() override;
  BOOL OnFileNameOK() override;
  void OnDestroy();

  CString m_strFolder;  // the remembered folder; the initial directory points into it

  DECLARE_MESSAGE_MAP()
};

// The sky-view control given to the constructor is kept for the dialog's owner (m_pCorLum of
// the styled base); the dialog itself does not use it.
class ORV_API CDlgFileSave : public CLumFileDialog {
  DECLARE_DYNAMIC(CDlgFileSave)
public:
  CDlgFileSave(CCorLum* corLum, BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
               DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);
  ~CDlgFileSave() override;

protected:
  BOOL OnInitDialog() override;
  BOOL OnFileNameOK() override;

  CString m_strFolder;
};
