// The folder browser: caption, prompt, preset folder, result and Cancel, and the status
// line's front shortening measured with the chooser's own font.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/FolderBrowser.h"
#include "platform/gdi/DC.h"
#include "platform/ui/CommonControls.h"
#include "platform/ui/TestDriver.h"
#include "support/TempDir.h"
#include "support/WindowReads.h"

namespace {

using orv::ui::test::DialogDriver;

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
