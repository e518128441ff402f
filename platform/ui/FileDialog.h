#pragma once
// CFileDialog: choosing a file to open or a name to save under, with the framework's own
// dialog in the hook style: the visible frame (file name, file and folder lists, file types,
// OK and Cancel) holds the CFileDialog's own window as a child, which gets WM_INITDIALOG
// (OnInitDialog) when the frame opens and WM_DESTROY when it closes. GetParent() of the
// CFileDialog is that frame.
//
// The dialog starts in m_ofn.lpstrInitialDir when it names a folder, else in the folder of
// the initial file name, else in the current folder. On OK the chosen path goes into
// m_ofn.lpstrFile (GetPathName) and OnFileNameOK may still refuse it.
#include <memory>
#include <string>

#include "platform/ui/Dialog.h"

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;  // pairs of description and patterns ("*.txt;*.log"), NUL-separated, NUL NUL at the end
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based
  LPWSTR lpstrFile;    // initial name in, chosen path out
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  void* lpfnHook;
  LPCWSTR lpTemplateName;
};
using OPENFILENAME = OPENFILENAMEW;

inline constexpr DWORD OFN_READONLY = 0x1, OFN_OVERWRITEPROMPT = 0x2, OFN_HIDEREADONLY = 0x4,
                       OFN_NOCHANGEDIR = 0x8, OFN_SHOWHELP = 0x10, OFN_ENABLEHOOK = 0x20,
                       OFN_NOVALIDATE = 0x100, OFN_ALLOWMULTISELECT = 0x200, OFN_EXTENSIONDIFFERENT = 0x400,
                       OFN_PATHMUSTEXIST = 0x800, OFN_FILEMUSTEXIST = 0x1000, OFN_CREATEPROMPT = 0x2000,
                       OFN_NOREADONLYRETURN = 0x8000, OFN_EXPLORER = 0x80000, OFN_ENABLESIZING = 0x800000;

class ORV_API CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
public:
  // Control ids of the frame, for programs and tests that drive it.
  static constexpr int kFileNameEdit = 1152, kFileList = 1120, kFolderList = 1121, kFolderText = 1088,
                       kTypeCombo = 1136, kReadOnlyCheck = 1040, kHelpButton = 1038;

  // filter: the framework's form "Text files (*.txt)|*.txt|All files (*.*)|*.*||".
  // structSize and vistaStyle are accepted for the framework's signature: there is one style.
  CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
              CWnd* parent = nullptr, DWORD structSize = 0, BOOL vistaStyle = TRUE);
  ~CFileDialog() override;

  INT_PTR DoModal() override;
  OPENFILENAME& GetOFN() { return m_ofn; }
  const OPENFILENAME& GetOFN() const { return m_ofn; }
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }

  OPENFILENAME m_ofn;
  BOOL m_bOpenFileDialog;

protected:
  // The user confirmed a name that passed the checks its flags ask for: return 0 to accept
  // it, non-zero to keep the dialog open.
  virtual BOOL OnFileNameOK();
  // The frame moved to another folder.
  virtual void OnFolderChange();

private:
  friend class FileDialogFrame;
  std::wstring m_filter;  // NUL-separated
  std::wstring m_defaultExtension;
  wchar_t m_fileBuffer[4 * MAX_PATH] = {};
  wchar_t m_titleBuffer[MAX_PATH] = {};
};
