// The folder dialogs. File dialogs that remember their folder: Cancel stores the frame's
// place only; a confirmed name stores its folder (whole, however long) where the next dialog
// starts. The folder browser: caption, prompt, preset folder, result and Cancel, and the
// status line's front shortening measured with the chooser's own font.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/FolderBrowser.h"
#include "dialogs/FolderFileDialogs.h"
#include "platform/gdi/DC.h"
#include "platform/ui/CommonControls.h"
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

TEST(FolderBrowserTest, PresetFolderCaptionResultAndAStatusLineShortenedAtTheFront) {
  orv::test::TempDir dir;
  const std::string parent = "constellation-pictures-of-the-northern-sky/western-artists";
  std::filesystem::create_directories(dir.File(parent + "/seventeenth-century"));
  std::filesystem::create_directories(dir.File("maps"));
  struct Row {
    std::string folder;
    int width;           // the chooser's new width, 0: as it opens
    const char* status;  // "whole", "shortened" or "..."
  } rows[] = {{"maps", 0, "whole"}, {parent + "/seventeenth-century", 160, "shortened"}, {parent, 12, "..."}};
  CFolderBrowser browser;
  orv::ui::test::ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    CWnd* chooser = CWnd::FromHandle(d.Dialog());
    EXPECT_EQ(orv::test::WindowText(*chooser), L"フォルダの選択");
    EXPECT_EQ(d.Text(kBrowseTitleId), L"Pick a folder");
    EXPECT_EQ(chooser->GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    auto& tree = orv::test::Item<CTreeCtrl>(d, kBrowseTreeId);
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), L"maps");  // the preset folder
    for (const Row& r : rows) {
      const CRect frame = orv::test::WindowRect(*chooser);
      if (r.width > 0) chooser->MoveWindow(frame.left, frame.top, r.width, frame.Height());
      CString path = dir.WFile(r.folder);
      SendMessageW(d.Dialog(), BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.GetString()));
      const CRect client = orv::test::ClientRect(*chooser);
      CClientDC dc(chooser);
      dc.SelectObject(chooser->GetFont());
      const int width = dc.GetTextExtent(path).cx, cut = (width - client.Width()) * path.GetLength() / width + 3;
      CString expected = r.status == std::string("whole") ? path : cut < path.GetLength() ? L"..." + path.Mid(cut) : L"...";
      EXPECT_EQ(width > client.Width(), r.status != std::string("whole"));
      EXPECT_EQ(expected.GetLength() <= 3, r.status == std::string("..."));
      EXPECT_EQ(d.Text(kBrowseStatusId), expected) << r.status;
    }
    d.Click(IDOK);
  });
  scripts.Add([](DialogDriver& d) { d.Click(IDCANCEL); });
  CString root = dir.WFile("");
  EXPECT_EQ(browser.BrowseForFolder(nullptr, dir.WFile("maps"), root, L"Pick a folder", BIF_STATUSTEXT), dir.WFile(parent));
  EXPECT_EQ(browser.BrowseForFolder(nullptr, L"", L"/no/such/root", L"", 0), L"");
  EXPECT_TRUE(scripts.Problems().empty());
  EXPECT_EQ(browser.GetItemIDList(L"relative/folder"), nullptr);
}

}  // namespace
