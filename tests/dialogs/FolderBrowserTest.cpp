// The folder browser: caption, prompt, preset folder, result and Cancel, and the status
// line's front shortening measured with the chooser's own font.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dialogs/FolderBrowser.h"
#include "platform/gdi/DC.h"
#include "platform/ui/CommonControls.h"
#include "platform/ui/TestDriver.h"
#include "support/TempDir.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::ui::test::ModalScripts;

int WidthInDialogFont(HWND dialog, const CString& text) {
  CWnd* wnd = CWnd::FromHandle(dialog);
  CClientDC dc(wnd);
  dc.SelectObject(wnd->GetFont());
  return dc.GetTextExtent(text).cx;
}

class FolderBrowserTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.File(kDeep));
    std::filesystem::create_directories(dir_.File("maps"));
  }
  CString Path(const std::string& name) const { return dir_.WFile(name); }
  static constexpr const char* kParent = "constellation-pictures-of-the-northern-sky/western-artists";
  static constexpr const char* kDeep = "constellation-pictures-of-the-northern-sky/western-artists/seventeenth-century";
  orv::test::TempDir dir_;
  CFolderBrowser browser_;
};

TEST_F(FolderBrowserTest, StartsAtTheInitialFolderAndReturnsTheChoice) {
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    CString caption;
    CWnd::FromHandle(d.Dialog())->GetWindowText(caption);
    EXPECT_EQ(caption, L"フォルダの選択");
    EXPECT_EQ(d.Text(kBrowseTitleId), L"Pick a folder");
    EXPECT_EQ(CWnd::FromHandle(d.Dialog())->GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    auto* tree = static_cast<CTreeCtrl*>(CWnd::FromHandle(d.Item(kBrowseTreeId)));
    EXPECT_EQ(tree->GetItemText(tree->GetSelectedItem()), L"maps");
    EXPECT_EQ(d.Item(kBrowseStatusId), nullptr);  // not asked for
    d.Click(IDOK);
  });
  scripts.Add([](DialogDriver& d) { d.Click(IDCANCEL); });
  EXPECT_EQ(browser_.BrowseForFolder(nullptr, Path("maps"), Path(""), L"Pick a folder", BIF_RETURNONLYFSDIRS), Path("maps"));
  EXPECT_EQ(browser_.BrowseForFolder(nullptr, L"", L"/no/such/root", L"", BIF_STATUSTEXT), L"");
  EXPECT_TRUE(scripts.Problems().empty());
  EXPECT_EQ(browser_.GetItemIDList(L""), nullptr);
  EXPECT_EQ(browser_.GetItemIDList(L"relative/folder"), nullptr);
}

TEST_F(FolderBrowserTest, TheStatusLineShortensLongPathsAtTheFront) {
  struct Row {
    const char* folder;
    int dialogWidth;  // 0: as it opens
    enum { kWhole, kShortened, kEllipsisOnly } shown;
  } rows[] = {{"maps", 0, Row::kWhole}, {kDeep, 160, Row::kShortened}, {kParent, 12, Row::kEllipsisOnly}};
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    CWnd* dialog = CWnd::FromHandle(d.Dialog());
    for (const Row& r : rows) {
      if (r.dialogWidth > 0) {
        CRect frame;
        dialog->GetWindowRect(&frame);
        dialog->MoveWindow(frame.left, frame.top, r.dialogWidth, frame.Height());
      }
      CString path = Path(r.folder);
      SendMessageW(d.Dialog(), BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.GetString()));
      CString status = d.Text(kBrowseStatusId);
      CRect client;
      dialog->GetClientRect(&client);
      int width = WidthInDialogFont(d.Dialog(), path);
      if (r.shown == Row::kWhole) {
        EXPECT_LE(width, client.Width());
        EXPECT_EQ(status, path);
      } else if (r.shown == Row::kShortened) {
        int cut = (width - client.Width()) * path.GetLength() / width + 3;
        ASSERT_LT(cut, path.GetLength());
        EXPECT_EQ(status, L"..." + path.Mid(cut)) << r.folder;
      } else {
        EXPECT_EQ(status, L"...");
      }
    }
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(browser_.BrowseForFolder(nullptr, L"", Path(""), L"", BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT), L"");
  EXPECT_TRUE(scripts.Problems().empty());
}

}  // namespace
