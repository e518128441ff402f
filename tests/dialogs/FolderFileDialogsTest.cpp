// File dialogs that remember their folder: Cancel stores the frame's place only, a confirmed
// name stores its folder (whole, however long) where the next open or save dialog starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dialogs/FolderFileDialogs.h"
#include "platform/ui/TestDriver.h"
#include "sibling/orvreg/Registry.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::ui::test::ModalScripts;

constexpr const wchar_t* kKey = L"Dialog\\FileOpen";

CString Stored(const wchar_t* name) {
  CString value;
  CRegistry::Read(kKey, name, CString(L"<none>"), value);
  return value;
}

CRect FrameOf(DialogDriver& d) {
  CRect r;
  CWnd::FromHandle(d.Dialog())->GetWindowRect(&r);
  return r;
}

class FolderFileDialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.File("a"));
    std::ofstream(dir_.File("a/m31.fits")) << "x";
  }
  orv::test::TempRegistry registry_;
  orv::test::TempDir dir_;
};

TEST_F(FolderFileDialogsTest, CancelStoresThePlaceButNoFolder) {
  CDlgFileOpen dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
  EXPECT_STREQ(dialog.GetRuntimeClass()->m_lpszClassName, "CDlgFileOpen");
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CFileDialog)));
  EXPECT_EQ(dialog.GetOFN().lpstrInitialDir, nullptr);  // nothing stored: the default start
  CRect moved;
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(CWnd::FromHandle(d.Dialog())->GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    CWnd::FromHandle(d.Dialog())->SetWindowPos(nullptr, 130, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    moved = FrameOf(d);
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(Stored(L"Path"), L"<none>");
  CRect stored;
  EXPECT_TRUE(CRegistry::UpdateReg(kKey, L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored, moved);
}

TEST_F(FolderFileDialogsTest, TheFolderOfAConfirmedNameIsWhereTheNextDialogStarts) {
  // A folder longer than the platform's classic 260-character paths is kept whole too.
  std::string deep = "a";
  while (deep.size() < 300) deep += "/folder-of-the-long-path";
  std::filesystem::create_directories(dir_.File(deep));
  struct Row {
    std::string folder;
  } rows[] = {{"a"}, {deep}};
  for (const Row& r : rows) {
    CString folder = dir_.WFile(r.folder);
    CDlgFileSave save(nullptr, FALSE, L"fits", nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
    ModalScripts scripts;
    CRect place;
    scripts.Add([&](DialogDriver& d) {
      d.ReplaceText(CFileDialog::kFileNameEdit, folder + L"/m42.fits");
      CWnd::FromHandle(d.Dialog())->SetWindowPos(nullptr, 60, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      place = FrameOf(d);
      d.Click(IDOK);
    });
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(Stored(L"Path"), folder);

    CDlgFileOpen open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
    scripts.Add([&](DialogDriver& d) {
      EXPECT_EQ(d.Text(CFileDialog::kFolderText), folder);
      EXPECT_EQ(FrameOf(d).TopLeft(), place.TopLeft());
      d.Click(IDCANCEL);
    });
    open.DoModal();
    EXPECT_EQ(CString(open.GetOFN().lpstrInitialDir), folder);  // the dialog's own copy, still valid
    EXPECT_TRUE(scripts.Problems().empty());
  }
}

}  // namespace
