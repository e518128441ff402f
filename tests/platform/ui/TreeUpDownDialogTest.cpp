// More of the tree view and the up-down control: where items go, how texts come back,
// refused expansions, collapses that move the selection; separators, bases, wrapping,
// alignment and the horizontal up-down; sorted lists.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using orv::test::WindowRect;
using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31601;
constexpr int kTree = 1601, kBuddy = 1602, kSpin = 1603, kWrapBuddy = 1604, kWrapSpin = 1605, kList = 1606;

class TreeOwner : public CDialog {
public:
  TreeOwner() : CDialog(kTemplate) {}
  bool refuseExpanding = false;
  std::vector<std::string> log;

protected:
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    auto* h = reinterpret_cast<NMHDR*>(lParam);
    *result = 0;
    if (h->code == TVN_ITEMEXPANDING) *result = refuseExpanding ? TRUE : FALSE;
    if (h->code == TVN_SELCHANGED) log.push_back("selchanged");
    return TRUE;
  }
  void OnHScroll(UINT code, UINT pos, CScrollBar*) { log.push_back("h " + std::to_string(code) + " " + std::to_string(pos)); }
  void OnVScroll(UINT code, UINT pos, CScrollBar*) { log.push_back("v " + std::to_string(code) + " " + std::to_string(pos)); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TreeOwner, CDialog)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

class TreeUpDownDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate,
                   Dialog(L"More", 200, 120,
                          {Control(kTree, L"SysTreeView32", L"", 7, 7, 100, 60,
                                   TVS_HASBUTTONS | TVS_LINESATROOT | WS_TABSTOP),
                           Control(kBuddy, L"EDIT", L"", 110, 7, 50, 12, WS_TABSTOP),
                           Control(kSpin, L"msctls_updown32", L"", 160, 7, 10, 12,
                                   UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT),
                           Control(kWrapBuddy, L"EDIT", L"", 110, 25, 50, 12, WS_TABSTOP),
                           Control(kWrapSpin, L"msctls_updown32", L"", 160, 25, 20, 12,
                                   UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_WRAP | UDS_HORZ | UDS_NOTHOUSANDS),
                           Control(kList, L"LISTBOX", L"", 110, 45, 60, 40, LBS_NOTIFY | LBS_SORT)}));
    ASSERT_TRUE(dialog_.Create(kTemplate));
    shown_.emplace(dialog_);
    driver_ = &shown_->Driver();
  }
  CTreeCtrl& Tree() { return *static_cast<CTreeCtrl*>(dialog_.GetDlgItem(kTree)); }
  std::vector<CString> Children(HTREEITEM parent) {
    std::vector<CString> names;
    for (HTREEITEM i = Tree().GetChildItem(parent); i != nullptr; i = Tree().GetNextSiblingItem(i))
      names.push_back(Tree().GetItemText(i));
    return names;
  }
  ScopedResources resources_;
  TreeOwner dialog_;
  std::optional<orv::test::ShownDialog> shown_;
  DialogDriver* driver_ = nullptr;
};

TEST_F(TreeUpDownDialogTest, ItemsGoFirstLastSortedOrAfterASibling) {
  CTreeCtrl& tree = Tree();
  HTREEITEM b = tree.InsertItem(L"b");
  tree.InsertItem(L"d");
  tree.InsertItem(L"a", TVI_ROOT, TVI_FIRST);
  tree.InsertItem(L"C", TVI_ROOT, TVI_SORT);
  tree.InsertItem(L"b2", TVI_ROOT, b);
  tree.InsertItem(L"e", TVI_ROOT, TVI_LAST);
  EXPECT_EQ(Children(TVI_ROOT), (std::vector<CString>{L"a", L"b", L"b2", L"C", L"d", L"e"}));
  HTREEITEM other = tree.InsertItem(L"z");
  EXPECT_EQ(tree.InsertItem(L"x", other, b), nullptr);  // b is no child of z
  tree.InsertItem(L"y", other);
  tree.InsertItem(L"X", other);
  tree.SortChildren(other);
  EXPECT_EQ(Children(other), (std::vector<CString>{L"X", L"y"}));
}

TEST_F(TreeUpDownDialogTest, TextComesBackCutToTheBuffer) {
  HTREEITEM item = Tree().InsertItem(L"Andromeda");
  wchar_t buffer[4] = {L'#', L'#', L'#', L'#'};
  TVITEM tv{TVIF_TEXT, item, 0, 0, buffer, 4, 0, 0, 0, 0};
  ASSERT_TRUE(Tree().GetItem(&tv));
  EXPECT_EQ(std::wstring(buffer), L"And");
  std::wstring longName(1000, L'x');
  Tree().SetItemText(item, longName.c_str());
  EXPECT_EQ(Tree().GetItemText(item).GetLength(), 1000);
  Tree().SetItemState(item, TVIS_BOLD, TVIS_BOLD);
  EXPECT_EQ(Tree().GetItemState(item, TVIS_BOLD), TVIS_BOLD);
  Tree().SetItemData(item, 77);
  EXPECT_EQ(Tree().GetItemData(item), 77u);
}

TEST_F(TreeUpDownDialogTest, TheOwnerMayRefuseAnExpansionAndACollapseMovesTheSelectionUp) {
  HTREEITEM group = Tree().InsertItem(L"group");
  HTREEITEM child = Tree().InsertItem(L"child", group);
  dialog_.refuseExpanding = true;
  driver_->ExpandTreeItem(kTree, group, true);
  EXPECT_EQ(Tree().GetItemState(group, TVIS_EXPANDED), 0u);
  dialog_.refuseExpanding = false;
  driver_->ExpandTreeItem(kTree, group, true);
  EXPECT_EQ(Tree().GetItemState(group, TVIS_EXPANDED), TVIS_EXPANDED);
  Tree().SelectItem(child);
  dialog_.log.clear();
  driver_->ExpandTreeItem(kTree, group, false);
  EXPECT_EQ(Tree().GetSelectedItem(), group);
  EXPECT_EQ(dialog_.log, std::vector<std::string>{"selchanged"});
  EXPECT_TRUE(Tree().Expand(group, TVE_EXPAND));  // TVM_EXPAND asks nobody
  dialog_.refuseExpanding = true;
  EXPECT_TRUE(Tree().Expand(group, TVE_COLLAPSE));
  EXPECT_FALSE(Tree().Expand(child, TVE_EXPAND));  // nothing to expand
}

TEST_F(TreeUpDownDialogTest, PositionsShowWithSeparatorsOrInHexadecimal) {
  auto& spin = *static_cast<CSpinButtonCtrl*>(dialog_.GetDlgItem(kSpin));
  spin.SetRange32(-100000, 100000);
  struct Row {
    int pos;
    const wchar_t* decimal;
    const wchar_t* hex;
  } rows[] = {{999, L"999", L"0x03E7"}, {1234, L"1,234", L"0x04D2"}, {-98765, L"-98,765", L"0xFFFE7E33"}, {0, L"0", L"0x0000"}};
  for (const Row& r : rows) {
    spin.SetBase(10);
    spin.SetPos32(r.pos);
    EXPECT_EQ(driver_->Text(kBuddy), r.decimal);
    EXPECT_EQ(spin.GetPos32(), r.pos);  // read back through the separators
    spin.SetBase(16);
    EXPECT_EQ(driver_->Text(kBuddy), r.hex);
  }
  EXPECT_EQ(spin.SetBase(8), 0);  // only 10 and 16
}

TEST_F(TreeUpDownDialogTest, AlignedUpDownTakesTheBuddysRightEdge) {
  const CRect buddy = WindowRect(*dialog_.GetDlgItem(kBuddy));
  CRect units = orv::test::Pixels(dialog_, {110, 7, 160, 19});
  dialog_.ClientToScreen(&units);
  // The pair keeps the buddy's old width: the up-down ends where the buddy ended before.
  EXPECT_EQ(WindowRect(*dialog_.GetDlgItem(kSpin)), CRect(buddy.right, buddy.top, units.right, buddy.bottom));
}

TEST_F(TreeUpDownDialogTest, AWrappingHorizontalUpDownGoesRoundAndScrollsSideways) {
  auto& spin = *static_cast<CSpinButtonCtrl*>(dialog_.GetDlgItem(kWrapSpin));
  spin.SetRange(1, 3);
  spin.SetPos(3);
  dialog_.log.clear();
  driver_->StepUpDown(kWrapSpin, 1);
  EXPECT_EQ(dialog_.GetDlgItemInt(kWrapBuddy), 1u);
  driver_->StepUpDown(kWrapSpin, -1);
  EXPECT_EQ(dialog_.GetDlgItemInt(kWrapBuddy), 3u);
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{"h 4 1", "h 8 1", "h 4 3", "h 8 3"}));
}

TEST_F(TreeUpDownDialogTest, ASortedListKeepsItsOrderAndItsSelection) {
  auto& list = *static_cast<CListBox*>(dialog_.GetDlgItem(kList));
  EXPECT_EQ(list.AddString(L"Vega"), 0);
  EXPECT_EQ(list.AddString(L"altair"), 0);
  EXPECT_EQ(list.AddString(L"Deneb"), 1);
  list.SetCurSel(2);  // Vega
  list.DeleteString(0);
  EXPECT_EQ(list.GetCurSel(), 1);
  CString text;
  list.GetText(1, text);
  EXPECT_EQ(text, L"Vega");
  EXPECT_EQ(list.DeleteString(7), LB_ERR);
  EXPECT_EQ(list.GetText(7, text), LB_ERR);
  EXPECT_EQ(text, L"");
  list.DeleteString(1);
  EXPECT_EQ(list.GetCurSel(), LB_ERR);
}

}  // namespace
