// The file dialog in its hook style: the frame lists a folder, the CFileDialog's own window
// sits inside it with OnInitDialog and WM_DESTROY, and the chosen path comes back through
// OnFileNameOK, GetOFN (its offsets and title buffer too) and GetPathName.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/TestDriver.h"
#include "support/ShownDialog.h"
#include "support/TempDir.h"
#include "support/WindowReads.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;

std::vector<CString> ListOf(DialogDriver& d, int id) {
  auto& list = orv::test::Item<CListBox>(d, id);
  std::vector<CString> items(list.GetCount());
  for (int i = 0; i < list.GetCount(); ++i) list.GetText(i, items[i]);
  return items;
}

class FileDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"a.txt", "b.fits", "c.TXT", "sub/d.txt", ".hidden.txt"}) Touch(name);
  }
  void Touch(const std::string& name) {
    std::filesystem::create_directories(std::filesystem::path(dir_.File(name)).parent_path());
    std::ofstream(dir_.File(name)) << "x";
  }
  orv::test::TempDir dir_;
  const CString folder_ = CString(dir_.Path().c_str());
};

TEST_F(FileDialogTest, ListsTheInitialFolderThroughTheFilterAndReturnsTheChoice) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, L"Text (*.txt)|*.txt|All (*.*)|*.*||");
  dialog.GetOFN().lpstrInitialDir = folder_;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(ListOf(d, CFileDialog::kFileList), (std::vector<CString>{L"a.txt", L"c.TXT"}));
    EXPECT_EQ(ListOf(d, CFileDialog::kFolderList), (std::vector<CString>{L"..", L"sub"}));
    EXPECT_EQ(d.Text(CFileDialog::kFolderText), folder_);
    d.SelectListItem(CFileDialog::kTypeCombo, 1);
    EXPECT_EQ(ListOf(d, CFileDialog::kFileList), (std::vector<CString>{L"a.txt", L"b.fits", L"c.TXT"}));
    d.SelectListItem(CFileDialog::kFileList, 1);
    EXPECT_EQ(d.Text(CFileDialog::kFileNameEdit), L"b.fits");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ((std::vector<CString>{dialog.GetPathName(), dialog.GetFileName(), dialog.GetFileExt(),
                                   dialog.GetFileTitle(), dialog.GetFolderPath()}),
            (std::vector<CString>{folder_ + L"/b.fits", L"b.fits", L"fits", L"b", folder_}));
  EXPECT_EQ(dialog.GetOFN().nFilterIndex, 2u);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST_F(FileDialogTest, FoldersOpenByDoubleClickAndByTypedPath) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Text (*.txt)|*.txt||");
  dialog.GetOFN().lpstrInitialDir = folder_;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    auto& folders = orv::test::Item<CListBox>(d, CFileDialog::kFolderList);
    d.SelectListItem(CFileDialog::kFolderList, folders.FindStringExact(-1, L"sub"), true);
    EXPECT_EQ(ListOf(d, CFileDialog::kFileList), std::vector<CString>{L"d.txt"});
    d.ReplaceText(CFileDialog::kFileNameEdit, folder_);
    d.Click(IDOK);  // a folder name opens the folder
    EXPECT_TRUE(d.IsOpen());
    EXPECT_EQ(d.Text(CFileDialog::kFolderText), folder_);
    d.ReplaceText(CFileDialog::kFileNameEdit, L"*.fits");  // a pattern lists what matches it
    d.Click(IDOK);
    EXPECT_EQ(ListOf(d, CFileDialog::kFileList), std::vector<CString>{L"b.fits"});
    d.Click(IDCANCEL);
  }), IDCANCEL);
}

class HookedFileDialog : public CFileDialog {
public:
  HookedFileDialog() : CFileDialog(FALSE, L"txt", L"new", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, L"Text|*.txt||") {}
  std::vector<std::string> log;
  CString pathAtConfirm;
  bool refuseOnce = false;

protected:
  BOOL OnInitDialog() override {
    CFileDialog::OnInitDialog();
    log.push_back("init in " + orv::test::WindowText(*GetParent()).ToUtf8());
    GetParent()->ModifyStyleEx(WS_EX_CONTEXTHELP, 0);
    return TRUE;
  }
  BOOL OnFileNameOK() override {
    pathAtConfirm = GetPathName();
    log.push_back("confirm");
    if (refuseOnce) {
      refuseOnce = false;
      return TRUE;
    }
    return FALSE;
  }
  void OnDestroy() {
    log.push_back("destroy");
    CFileDialog::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HookedFileDialog, CFileDialog)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(FileDialogTest, TheHookWindowSitsInTheFrameAndHearsInitConfirmAndDestroy) {
  HookedFileDialog dialog;
  dialog.GetOFN().lpstrInitialDir = folder_;
  dialog.refuseOnce = true;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(::GetParent(dialog.m_hWnd), d.Dialog());
    EXPECT_EQ(::GetWindowLongW(d.Dialog(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);
    EXPECT_EQ(d.Text(CFileDialog::kFileNameEdit), L"new");
    d.Click(IDOK);  // refused once by OnFileNameOK
    EXPECT_TRUE(d.IsOpen());
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.pathAtConfirm, folder_ + L"/new.txt");  // the default extension was added
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"init in Save As", "confirm", "confirm", "destroy"}));
}

TEST_F(FileDialogTest, ChecksAskedForByTheFlags) {
  struct Row {
    BOOL open;
    DWORD flags;
    const wchar_t* typed;
    int answer;
    INT_PTR result;
    const wchar_t* message;
  } rows[] = {
      {TRUE, OFN_FILEMUSTEXIST, L"missing.txt", IDOK, IDCANCEL, L"/missing.txt\nFile not found.\nCheck the file name and try again."},
      {FALSE, OFN_OVERWRITEPROMPT, L"a.txt", IDNO, IDCANCEL, L"/a.txt already exists.\nDo you want to replace it?"},
      {FALSE, OFN_OVERWRITEPROMPT, L"a.txt", IDYES, IDOK, L"/a.txt already exists.\nDo you want to replace it?"},
      {TRUE, OFN_PATHMUSTEXIST, L"nowhere/x.txt", IDOK, IDCANCEL, L"/nowhere/x.txt\nPath does not exist.\nCheck the path and try again."},
      {TRUE, 0, L"missing.txt", IDOK, IDOK, nullptr},
  };
  for (const Row& row : rows) {
    CFileDialog dialog(row.open, nullptr, nullptr, row.flags | OFN_HIDEREADONLY, nullptr);
    dialog.GetOFN().lpstrInitialDir = folder_;
    MessageBoxRecorder boxes;
    boxes.Answer(row.answer);
    EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
      d.ReplaceText(CFileDialog::kFileNameEdit, row.typed);
      d.Click(IDOK);
      if (d.IsOpen()) d.Click(IDCANCEL);
    }), row.result) << CString(row.typed);
    if (row.message == nullptr) {
      EXPECT_EQ(boxes.Count(), 0) << CString(row.typed);
    } else {
      ASSERT_EQ(boxes.Count(), 1) << CString(row.typed);
      EXPECT_EQ(boxes.LastText(), folder_ + row.message);
    }
  }
}

TEST_F(FileDialogTest, APathThatDoesNotFitTheCallersBufferIsRefused) {
  CFileDialog dialog(TRUE);
  wchar_t small[8] = L"";
  dialog.GetOFN().lpstrFile = small;
  dialog.GetOFN().nMaxFile = 8;
  dialog.GetOFN().lpstrInitialDir = folder_;
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    d.ReplaceText(CFileDialog::kFileNameEdit, L"a.txt");
    d.Click(IDOK);
    EXPECT_TRUE(d.IsOpen());
    d.Click(IDCANCEL);
  }), IDCANCEL);
  EXPECT_EQ(boxes.LastText(), L"The file name is too long.");
  EXPECT_EQ(small[0], L'\0');
}

TEST_F(FileDialogTest, StartsInTheInitialNamesFolderAndFillsTheStructure) {
  const CString initial = folder_ + L"/sub/d.txt";
  CFileDialog dialog(TRUE, nullptr, initial, 0, L"Text|*.txt||");
  wchar_t title[16] = L"";
  dialog.GetOFN().lpstrFileTitle = title;
  dialog.GetOFN().nMaxFileTitle = 16;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(CFileDialog::kFolderText), folder_ + L"/sub");
    EXPECT_EQ(d.Text(CFileDialog::kFileNameEdit), L"d.txt");
    EXPECT_TRUE(d.IsVisible(CFileDialog::kReadOnlyCheck));
    EXPECT_FALSE(d.IsVisible(CFileDialog::kHelpButton));
    d.Click(CFileDialog::kReadOnlyCheck);
    d.Click(IDOK);
  }), IDOK);
  const OPENFILENAME& ofn = dialog.GetOFN();
  const std::wstring path = ofn.lpstrFile;
  EXPECT_EQ((std::vector<std::wstring>{path, path.substr(ofn.nFileOffset), path.substr(ofn.nFileExtension), title}),
            (std::vector<std::wstring>{initial.str(), L"d.txt", L"txt", L"d.txt"}));
  EXPECT_TRUE(dialog.GetReadOnlyPref());
}

TEST_F(FileDialogTest, ATitleTooLongForItsBufferIsCut) {
  CFileDialog dialog(TRUE, nullptr, folder_ + L"/sub/d.txt", OFN_HIDEREADONLY);
  wchar_t title[4] = L"";
  dialog.GetOFN().lpstrFileTitle = title;
  dialog.GetOFN().nMaxFileTitle = 4;
  dialog.GetOFN().lpstrTitle = L"Load an image";
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    EXPECT_EQ(orv::test::WindowText(d.Dialog()), L"Load an image");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(std::wstring(title), L"d.t");
}

}  // namespace
