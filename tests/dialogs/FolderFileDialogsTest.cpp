// File dialogs that remember their folder: Cancel stores the frame's place only; a
// confirmed name stores its folder (whole, however long) where the next dialog starts.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/FolderFileDialogs.h"
#include "sibling/orvreg/Registry.h"
#include "support/ShownDialog.h"
#include "support/TempDir.h"
#include "support/TempRegistry.h"
#include "support/WindowReads.h"

namespace {

using orv::ui::test::DialogDriver;
constexpr const wchar_t* kKey = L"Dialog\\FileOpen";

// The place of the frame the user sees, after moving it to (x, y) when x is not negative.
CRect FrameAt(DialogDriver& d, int x = -1, int y = 0) {
  CWnd* frame = CWnd::FromHandle(d.Dialog());
  if (x >= 0) frame->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  return orv::test::WindowRect(*frame);
}

TEST(FolderFileDialogsTest, CancelStoresThePlaceAndAConfirmedNameItsFolderForTheNextDialog) {
  orv::test::TempRegistry registry;
  orv::test::TempDir dir;
  std::string deep = "a";  // a folder longer than the classic 260-character paths too
  while (deep.size() < 300) deep += "/folder-of-a-long-path";
  std::filesystem::create_directories(dir.File(deep));

  CDlgFileOpen first(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
  EXPECT_STREQ(first.GetRuntimeClass()->m_lpszClassName, "CDlgFileOpen");
  EXPECT_TRUE(first.IsKindOf(RUNTIME_CLASS(CFileDialog)));
  EXPECT_EQ(first.GetOFN().lpstrInitialDir, nullptr);  // nothing stored: the default start
  CRect place;
  orv::test::RunModal(first, [&](DialogDriver& d) {
    EXPECT_EQ(CWnd::FromHandle(d.Dialog())->GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    place = FrameAt(d, 130, 90);
    d.Close();
  });
  CString folder = L"<none>";
  CRect stored;
  EXPECT_FALSE(CRegistry::Read(kKey, L"Path", CString(L"<none>"), folder));
  EXPECT_TRUE(CRegistry::UpdateReg(kKey, L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored, place);

  for (const std::string& name : {std::string("a"), deep}) {
    CString chosen = dir.WFile(name);
    CDlgFileSave save(nullptr, FALSE, L"fits", nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
    EXPECT_EQ(orv::test::RunModal(save, [&](DialogDriver& d) {
                d.ReplaceText(CFileDialog::kFileNameEdit, chosen + L"/m42.fits");
                place = FrameAt(d, 60, 40 + chosen.GetLength() % 50);
                d.Click(IDOK);
              }),
              IDOK);
    CRegistry::Read(kKey, L"Path", CString(), folder);
    EXPECT_EQ(folder, chosen);
    CDlgFileOpen open(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"FITS|*.fits||");
    orv::test::RunModal(open, [&](DialogDriver& d) {
      EXPECT_EQ(d.Text(CFileDialog::kFolderText), chosen);
      EXPECT_EQ(FrameAt(d), place);
      d.Close();
    });
  }
}

}  // namespace
