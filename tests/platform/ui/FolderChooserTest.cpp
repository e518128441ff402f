// The folder chooser in the shell's shape: item id lists, the callback's notifications and
// messages, the status line, the root it keeps to, and what it returns.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/CommonControls.h"
#include "platform/ui/ShellBrowse.h"
#include "platform/ui/TestDriver.h"
#include "support/TempDir.h"
#include "support/WindowReads.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::ui::test::ModalScripts;

struct CallbackLog {
  std::vector<std::wstring> events;
  PIDLIST_ABSOLUTE initial = nullptr;
};

int CALLBACK_Record(HWND hwnd, UINT message, LPARAM lParam, LPARAM data) {
  auto* log = reinterpret_cast<CallbackLog*>(data);
  if (message == BFFM_INITIALIZED) {
    log->events.push_back(L"initialized");
    SetWindowTextW(hwnd, L"フォルダの選択");
    if (log->initial != nullptr) SendMessageW(hwnd, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(log->initial));
  } else if (message == BFFM_SELCHANGED) {
    wchar_t path[MAX_PATH];
    if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
      log->events.push_back(std::wstring(L"selected ") + path);
      SendMessageW(hwnd, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
    }
  }
  return 0;
}

class FolderChooserTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.File("sky/deep"));
    std::filesystem::create_directories(dir_.File("maps"));
    ASSERT_NE(root_ = ILCreateFromPathW(CString(dir_.Path().c_str())), nullptr);
  }
  void TearDown() override { ILFree(root_); }
  std::wstring Path(const char* name) const { return CString(dir_.File(name).c_str()).str(); }
  orv::test::TempDir dir_;
  PIDLIST_ABSOLUTE root_ = nullptr;  // the chooser's root: the test's folder
};

TEST_F(FolderChooserTest, TheCallbackSelectsTheInitialFolderAndShowsItInTheStatusLine) {
  CallbackLog log;
  log.initial = ILCreateFromPathW(Path("sky/deep").c_str());
  ASSERT_NE(log.initial, nullptr);
  wchar_t name[MAX_PATH] = L"";
  BROWSEINFOW info{nullptr, root_, name, L"Pick the picture folder", BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT,
                   &CALLBACK_Record, reinterpret_cast<LPARAM>(&log), 0};
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(orv::test::WindowText(d.Dialog()), L"フォルダの選択");
    EXPECT_EQ(d.Text(kBrowseTitleId), L"Pick the picture folder");
    EXPECT_EQ(d.Text(kBrowseStatusId), CString(Path("sky/deep")));
    auto& tree = orv::test::Item<CTreeCtrl>(d, kBrowseTreeId);
    EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), L"deep");
    d.Click(IDOK);
  });
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  ASSERT_NE(chosen, nullptr);
  wchar_t path[MAX_PATH];
  EXPECT_TRUE(SHGetPathFromIDListW(chosen, path));
  EXPECT_EQ(std::wstring(path), Path("sky/deep"));
  EXPECT_EQ(std::wstring(name), L"deep");
  EXPECT_EQ(log.events, (std::vector<std::wstring>{L"initialized", L"selected " + Path("sky/deep")}));
  ILFree(chosen);
  ILFree(log.initial);
}

TEST_F(FolderChooserTest, TheUserBrowsesTheTreeAndCancelGivesNothing) {
  CallbackLog log;
  BROWSEINFOW info{nullptr, root_, nullptr, L"", 0, &CALLBACK_Record, reinterpret_cast<LPARAM>(&log), 0};
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(d.Item(kBrowseStatusId), nullptr);  // no status line without BIF_STATUSTEXT
    auto& tree = orv::test::Item<CTreeCtrl>(d, kBrowseTreeId);
    HTREEITEM top = tree.GetRootItem();
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(tree.ItemHasChildren(top));
    d.ExpandTreeItem(kBrowseTreeId, top, true);  // the branch fills as it opens
    HTREEITEM maps = tree.GetChildItem(top);
    ASSERT_NE(maps, nullptr);
    EXPECT_EQ(tree.GetItemText(maps), L"maps");
    EXPECT_EQ(tree.GetItemText(tree.GetNextSiblingItem(maps)), L"sky");
    d.SelectTreeItem(kBrowseTreeId, maps);
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);
  EXPECT_EQ(log.events.back(), L"selected " + Path("maps"));
}

struct ChooserProbe {
  std::wstring outside;
  BOOL outsideSelected = TRUE;
};

int ProbeCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
  auto* probe = reinterpret_cast<ChooserProbe*>(data);
  if (message != BFFM_INITIALIZED) return 0;
  probe->outsideSelected = static_cast<BOOL>(
      SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(probe->outside.c_str())));
  SendMessageW(hwnd, BFFM_SETOKTEXT, 0, reinterpret_cast<LPARAM>(L"Choose"));
  SendMessageW(hwnd, BFFM_ENABLEOK, 0, FALSE);
  return 0;
}

TEST_F(FolderChooserTest, TheChooserTakesItsMessagesAndStaysInsideItsRoot) {
  ChooserProbe probe{L"/"};
  wchar_t name[MAX_PATH] = L"untouched";
  BROWSEINFOW info{nullptr, root_, name, L"", 0, &ProbeCallback, reinterpret_cast<LPARAM>(&probe), 0};
  ModalScripts scripts;
  scripts.Add([](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDOK), L"Choose");
    EXPECT_FALSE(d.Click(IDOK));  // disabled by the callback
    EXPECT_TRUE(d.Click(IDCANCEL));
  });
  EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);
  EXPECT_FALSE(probe.outsideSelected);  // "/" is not below the root
  EXPECT_EQ(std::wstring(name), L"untouched");
}

TEST_F(FolderChooserTest, APathLongerThanTheBufferIsRefusedWholly) {
  std::filesystem::path deep = dir_.Path();
  for (int i = 0; i < 3; ++i) deep /= std::string(100, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  ASSERT_GT(deep.wstring().size(), static_cast<std::size_t>(MAX_PATH));
  PIDLIST_ABSOLUTE list = ILCreateFromPathW(deep.wstring().c_str());
  ASSERT_NE(list, nullptr);  // a list may name any existing path
  wchar_t path[MAX_PATH] = L"x";
  EXPECT_FALSE(SHGetPathFromIDListW(list, path));  // only turning it back is bounded
  EXPECT_EQ(path[0], L'\0');
  ILFree(list);
}

TEST(ShellNamesTest, ListsNameExistingAbsolutePathsOnly) {
  IShellFolder* desktop = nullptr;
  ASSERT_EQ(SHGetDesktopFolder(&desktop), 0);
  struct Row {
    const wchar_t* path;
    bool parses;
  } rows[] = {{L"/", true}, {L"/tmp/", true}, {L"relative/path", false}, {L"/no/such/folder/here", false}, {L"", false}};
  for (const Row& r : rows) {
    std::wstring copy = r.path;
    PIDLIST_RELATIVE list = reinterpret_cast<PIDLIST_RELATIVE>(1);
    HRESULT hr = desktop->ParseDisplayName(nullptr, nullptr, copy.data(), nullptr, &list, nullptr);
    EXPECT_EQ(hr == 0, r.parses) << r.path;
    EXPECT_EQ(list != nullptr, r.parses) << r.path;
    ILFree(list);
  }
  desktop->Release();
  wchar_t path[MAX_PATH];
  PIDLIST_ABSOLUTE tmp = ILCreateFromPathW(L"/tmp/");
  EXPECT_TRUE(SHGetPathFromIDListW(tmp, path));
  EXPECT_EQ(std::wstring(path), L"/tmp");
  IMalloc* allocator = nullptr;
  ASSERT_EQ(SHGetMalloc(&allocator), 0);
  allocator->Free(tmp);  // lists come from the shell allocator
  allocator->Release();
  EXPECT_FALSE(SHGetPathFromIDListW(nullptr, path));
  EXPECT_EQ(path[0], L'\0');
}

}  // namespace
