#pragma once
// CLumFileDialog: the framework's file dialog (hook style) with the styled dialogs' base,
// keeping the window position of its frame in the registry when a key is set.
//
//   1. construction builds the file dialog with the caller's arguments; the key is empty;
//   2. OnInitDialog: with a key, the frame moves to the position stored under it as
//      "WindowPos"; the frame's title bar loses its context-help button;
//   3. WM_DESTROY (after OK and after Cancel alike): with a key, the frame's position is
//      stored as "WindowPos".
// Without a key (a plain CLumFileDialog) it reads and stores nothing.
#include "platform/ui/FileDialog.h"
#include "sibling/orvcst/LumDialogBase.h"

class ORV_API CLumFileDialog : public CFileDialog, public CLumDialogBase {
public:
  CLumFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                 DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                 CWnd* parent = nullptr);
  ~CLumFileDialog() override;

  // The registry key (relative to the application key) of the window position is the
  // styled base's m_strRegKey.

protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnDestroy();

  DECLARE_MESSAGE_MAP()
};
