// The controls' messages and notifications, on a modeless dialog that logs what its
// controls tell it: edits (multi-line ones too); trees, where items go, how texts come back,
// refused expansions; up-down controls with separators, bases, wrapping and alignment;
// scroll bars, buttons and lists, sorted ones too.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr int kEdit = 1301, kTree = 1302, kBuddy = 1303, kSpin = 1304, kBar = 1305, kRadio1 = 1306,
              kRadio2 = 1307, kRadio3 = 1308, kCheck = 1309, kPlainCheck = 1310, kList = 1311, kCombo = 1312,
              kLabel = 1313, kNotes = 1314, kLines = 1315, kAlignedBuddy = 1316, kAlignedSpin = 1317,
              kWrapBuddy = 1318, kWrapSpin = 1319, kSorted = 1320;

// Logs notifications as "code@id" and scroll requests as "scroll code pos".
class LoggingDialog : public CDialog {
public:
  std::vector<std::string> log;
  LRESULT answerSelChanging = 0;
  LRESULT answerDblClk = 0;
  LRESULT answerDeltaPos = 0;
  LRESULT answerExpanding = 0;
  int setPosOnScroll = INT32_MIN;  // when set, scroll requests move the bar there

  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (lParam != 0) log.push_back(std::to_string(HIWORD(wParam)) + "@" + std::to_string(LOWORD(wParam)));
    return CDialog::OnCommand(wParam, lParam);
  }
  BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override {
    auto* h = reinterpret_cast<NMHDR*>(lParam);
    std::string entry = "notify " + std::to_string(static_cast<int>(h->code)) + "@" + std::to_string(h->idFrom);
    if (h->code == TVN_SELCHANGED || h->code == TVN_SELCHANGING) {
      auto* tv = reinterpret_cast<NMTREEVIEW*>(h);
      entry += " action " + std::to_string(tv->action) + (tv->itemOld.hItem != nullptr ? " old" : "") +
               (tv->itemNew.hItem != nullptr ? " new" : "");
    }
    if (h->code == UDN_DELTAPOS) {
      auto* ud = reinterpret_cast<NMUPDOWN*>(h);
      entry += " pos " + std::to_string(ud->iPos) + " delta " + std::to_string(ud->iDelta);
    }
    log.push_back(entry);
    *result = h->code == TVN_SELCHANGING ? answerSelChanging
              : h->code == NM_DBLCLK     ? answerDblClk
              : h->code == UDN_DELTAPOS  ? answerDeltaPos
              : h->code == TVN_ITEMEXPANDING ? answerExpanding
                                         : 0;
    return TRUE;
  }

protected:
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    log.push_back("hscroll " + std::to_string(code) + " " + std::to_string(static_cast<int>(pos)));
    if (setPosOnScroll != INT32_MIN && bar != nullptr) bar->SetScrollPos(setPosOnScroll);
  }
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
    log.push_back("vscroll " + std::to_string(code) + " " + std::to_string(static_cast<int>(pos)) + " from " +
                  std::to_string(bar != nullptr ? bar->GetDlgCtrlID() : 0));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoggingDialog, CDialog)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

std::string Note(UINT code, int id) { return std::to_string(code) + "@" + std::to_string(id); }
std::string TreeNote(UINT code) { return "notify " + std::to_string(static_cast<int>(code)) + "@" + std::to_string(kTree); }

class ControlsDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    tpl_ = Dialog(L"Controls", 240, 170,
                  {Control(kEdit, L"EDIT", L"", 7, 7, 60, 12, WS_TABSTOP, WS_EX_CLIENTEDGE),
                   Control(kTree, L"SysTreeView32", L"", 7, 22, 100, 60,
                           TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
                           WS_EX_CLIENTEDGE),
                   Control(kLabel, L"STATIC", L"&Size:", 110, 7, 30, 8, SS_LEFT),
                   Control(kBuddy, L"EDIT", L"", 140, 7, 30, 12, WS_TABSTOP, WS_EX_CLIENTEDGE),
                   Control(kSpin, L"msctls_updown32", L"", 170, 7, 9, 12,
                           UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS),
                   Control(kBar, L"SCROLLBAR", L"", 7, 90, 150, 10, SBS_HORZ),
                   Control(kRadio1, L"BUTTON", L"One", 7, 105, 40, 10, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP),
                   Control(kRadio2, L"BUTTON", L"Two", 50, 105, 40, 10, BS_AUTORADIOBUTTON),
                   Control(kRadio3, L"BUTTON", L"Three", 93, 105, 40, 10, BS_AUTORADIOBUTTON),
                   Control(kCheck, L"BUTTON", L"Auto", 7, 118, 40, 10, BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP),
                   Control(kPlainCheck, L"BUTTON", L"Plain", 50, 118, 40, 10, BS_CHECKBOX | WS_TABSTOP),
                   Control(kList, L"LISTBOX", L"", 110, 22, 60, 40, LBS_NOTIFY | WS_TABSTOP),
                   Control(kCombo, L"COMBOBOX", L"", 110, 65, 60, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
                   Control(IDOK, L"BUTTON", L"OK", 180, 150, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                   Control(kNotes, L"EDIT", L"", 180, 22, 55, 30, ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP),
                   Control(kLines, L"EDIT", L"", 180, 60, 55, 30, ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP),
                   Control(kAlignedBuddy, L"EDIT", L"", 7, 132, 50, 12, WS_TABSTOP),
                   Control(kAlignedSpin, L"msctls_updown32", L"", 57, 132, 10, 12,
                           UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT),
                   Control(kWrapBuddy, L"EDIT", L"", 70, 132, 50, 12, WS_TABSTOP),
                   Control(kWrapSpin, L"msctls_updown32", L"", 120, 132, 20, 12,
                           UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_WRAP | UDS_HORZ | UDS_NOTHOUSANDS),
                   Control(kSorted, L"LISTBOX", L"", 7, 148, 60, 20, LBS_NOTIFY | LBS_SORT)});
    ASSERT_TRUE(dialog_.CreateIndirect(&tpl_));
    shown_.emplace(dialog_);
    driver_ = &shown_->Driver();
    dialog_.log.clear();
  }
  CEdit& Edit(int id) { return *static_cast<CEdit*>(dialog_.GetDlgItem(id)); }
  CTreeCtrl& Tree() { return *static_cast<CTreeCtrl*>(dialog_.GetDlgItem(kTree)); }
  CScrollBar& Bar() { return *static_cast<CScrollBar*>(dialog_.GetDlgItem(kBar)); }
  // The log's entries that contain `part`.
  std::vector<std::string> Logged(const std::string& part) const {
    std::vector<std::string> found;
    for (const std::string& entry : dialog_.log)
      if (entry.find(part) != std::string::npos) found.push_back(entry);
    return found;
  }
  std::vector<CString> Children(HTREEITEM parent) {
    std::vector<CString> names;
    for (HTREEITEM i = Tree().GetChildItem(parent); i != nullptr; i = Tree().GetNextSiblingItem(i))
      names.push_back(Tree().GetItemText(i));
    return names;
  }

  orv::DialogTemplate tpl_;
  LoggingDialog dialog_;
  std::optional<orv::test::ShownDialog> shown_;
  DialogDriver* driver_ = nullptr;
};

// ---------------------------------------------------------------------------- edit

TEST_F(ControlsDialogTest, EditAnnouncesEveryTextChangeSetOrTyped) {
  ASSERT_EQ(driver_->FocusedId(), kEdit);  // the first tab stop took the focus at the start
  Edit(kEdit).SetWindowText(L"abc");
  Edit(kEdit).SetWindowText(L"abc");  // the same text is still a change notification
  driver_->Type(kEdit, L"d");
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{Note(EN_UPDATE, kEdit), Note(EN_CHANGE, kEdit), Note(EN_UPDATE, kEdit),
                                                   Note(EN_CHANGE, kEdit), Note(EN_UPDATE, kEdit),
                                                   Note(EN_CHANGE, kEdit)}));
  EXPECT_EQ(driver_->Text(kEdit), L"abcd");
}

TEST_F(ControlsDialogTest, TheLimitBindsTypingButNotTheProgram) {
  CEdit& edit = Edit(kEdit);
  EXPECT_EQ(edit.GetLimitText(), 32767u);
  edit.LimitText(3);
  EXPECT_EQ(edit.GetLimitText(), 3u);
  edit.SetWindowText(L"12345");  // the program may set more
  EXPECT_EQ(driver_->Text(kEdit), L"12345");
  driver_->ReplaceText(kEdit, L"abcdef");
  EXPECT_EQ(driver_->Text(kEdit), L"abc");
  edit.LimitText(0);
  EXPECT_EQ(edit.GetLimitText(), 0x7FFFFFFEu);
}

TEST_F(ControlsDialogTest, SelectionFollowsTheEditMessages) {
  struct Row {
    int start, end, wantStart, wantEnd;
  } rows[] = {{1, 3, 1, 3}, {3, 1, 1, 3}, {0, -1, 0, 6}, {2, 99, 2, 6}, {4, 4, 4, 4},
              {1, 5, 1, 5}, {-1, 0, 5, 5}};  // -1 deselects; the caret stays at the end of the old selection
  CEdit& edit = Edit(kEdit);
  edit.SetWindowText(L"abcdef");
  for (const Row& r : rows) {
    edit.SetSel(r.start, r.end);
    int s = -7, e = -7;
    edit.GetSel(s, e);
    EXPECT_EQ(std::pair(s, e), std::pair(r.wantStart, r.wantEnd)) << r.start << "," << r.end;
    EXPECT_EQ(edit.GetSel(), MAKELONG(static_cast<WORD>(r.wantStart), static_cast<WORD>(r.wantEnd)));
  }
}

TEST_F(ControlsDialogTest, LineBreaksAreTwoCharactersInTextAndPositions) {
  CEdit& notes = Edit(kNotes);
  notes.SetWindowText(L"ab\r\ncd");
  EXPECT_EQ(orv::test::WindowText(notes), L"ab\r\ncd");
  EXPECT_EQ(notes.GetWindowTextLength(), 6);
  notes.SetSel(4, 6);  // "cd", after the break
  int start = 0, end = 0;
  notes.GetSel(start, end);
  EXPECT_EQ(std::pair(start, end), std::pair(4, 6));
  notes.ReplaceSel(L"xy");
  EXPECT_EQ(orv::test::WindowText(notes), L"ab\r\nxy");
  driver_->Type(kLines, L"one");
  driver_->PressKey(VK_RETURN, kLines);  // ES_WANTRETURN: the line breaks
  driver_->Type(kLines, L"two");
  EXPECT_EQ(driver_->Text(kLines), L"one\r\ntwo");
  EXPECT_TRUE(driver_->IsOpen());
  driver_->PressKey(VK_RETURN, kNotes);  // without it, Enter is the default button
  EXPECT_EQ(dialog_.log.back(), Note(BN_CLICKED, IDOK));
  EXPECT_FALSE(driver_->IsOpen());
}

TEST_F(ControlsDialogTest, TheMultiLineLimitCountsEachBreakAsTwo) {
  CEdit& lines = Edit(kLines);
  lines.LimitText(4);
  driver_->Type(kLines, L"ab");
  driver_->PressKey(VK_RETURN, kLines);  // 4 characters now
  driver_->Type(kLines, L"c");           // refused
  EXPECT_EQ(driver_->Text(kLines), L"ab\r\n");
  lines.LimitText(0);
  EXPECT_EQ(lines.GetLimitText(), 0xFFFFFFFFu);
}

// ---------------------------------------------------------------------------- tree

TEST_F(ControlsDialogTest, TreeInsertsAtTheRootAndAsLastChild) {
  CTreeCtrl& tree = Tree();
  HTREEITEM stars = tree.InsertItem(L"Stars");
  HTREEITEM planets = tree.InsertItem(L"Planets");
  HTREEITEM sirius = tree.InsertItem(L"Sirius", stars);
  HTREEITEM vega = tree.InsertItem(L"Vega", stars);
  // Root, stars' sibling, its children in order, both ways up, and no selection yet.
  EXPECT_EQ((std::vector<HTREEITEM>{tree.GetRootItem(), tree.GetNextSiblingItem(stars), tree.GetChildItem(stars),
                                    tree.GetNextSiblingItem(sirius), tree.GetParentItem(vega),
                                    tree.GetParentItem(stars), tree.GetSelectedItem()}),
            (std::vector<HTREEITEM>{stars, planets, sirius, vega, stars, nullptr, nullptr}));
  EXPECT_TRUE(tree.ItemHasChildren(stars));
  EXPECT_FALSE(tree.ItemHasChildren(planets));
  EXPECT_EQ(tree.GetItemText(vega), L"Vega");
  EXPECT_EQ(tree.GetCount(), 4u);
}

TEST_F(ControlsDialogTest, SelectingAnItemExpandsItsParentAndNotifiesOnce) {
  CTreeCtrl& tree = Tree();
  HTREEITEM stars = tree.InsertItem(L"Stars");
  HTREEITEM vega = tree.InsertItem(L"Vega", stars);
  EXPECT_EQ(tree.GetItemState(stars, TVIS_EXPANDED), 0u);
  EXPECT_TRUE(tree.SelectItem(vega));
  EXPECT_EQ(tree.GetSelectedItem(), vega);
  EXPECT_EQ(tree.GetItemState(stars, TVIS_EXPANDED), TVIS_EXPANDED);
  EXPECT_EQ(tree.GetItemState(vega, TVIS_SELECTED), TVIS_SELECTED);
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{TreeNote(TVN_SELCHANGING) + " action 0 new",
                                                   TreeNote(TVN_ITEMEXPANDING), TreeNote(TVN_ITEMEXPANDED),
                                                   TreeNote(TVN_SELCHANGED) + " action 0 new"}));
  dialog_.log.clear();
  tree.SelectItem(vega);  // already selected: no notification
  EXPECT_TRUE(dialog_.log.empty());
}

TEST_F(ControlsDialogTest, AUserClickSelectsByMouseUnlessTheOwnerRefuses) {
  CTreeCtrl& tree = Tree();
  HTREEITEM a = tree.InsertItem(L"A");
  HTREEITEM b = tree.InsertItem(L"B");
  driver_->SelectTreeItem(kTree, b);
  EXPECT_EQ(tree.GetSelectedItem(), b);
  EXPECT_NE(std::find(dialog_.log.begin(), dialog_.log.end(),
                      TreeNote(TVN_SELCHANGED) + " action " + std::to_string(TVC_BYMOUSE) + " new"),
            dialog_.log.end());
  dialog_.answerSelChanging = TRUE;
  EXPECT_FALSE(tree.SelectItem(a));
  driver_->SelectTreeItem(kTree, a);
  EXPECT_EQ(tree.GetSelectedItem(), b);
}

TEST_F(ControlsDialogTest, DoubleClickTogglesAGroupUnlessTheOwnerAnswersNonZero) {
  CTreeCtrl& tree = Tree();
  HTREEITEM group = tree.InsertItem(L"Group");
  tree.InsertItem(L"Entry", group);
  driver_->DoubleClickTreeItem(kTree, group);
  EXPECT_EQ(tree.GetItemState(group, TVIS_EXPANDED), TVIS_EXPANDED);
  driver_->DoubleClickTreeItem(kTree, group);
  EXPECT_EQ(tree.GetItemState(group, TVIS_EXPANDED), 0u);
  dialog_.answerDblClk = 1;
  driver_->DoubleClickTreeItem(kTree, group);
  EXPECT_EQ(tree.GetItemState(group, TVIS_EXPANDED), 0u);
  EXPECT_NE(std::find(dialog_.log.begin(), dialog_.log.end(), TreeNote(NM_DBLCLK)), dialog_.log.end());
}

TEST_F(ControlsDialogTest, StaleItemHandlesFailQuietly) {
  CTreeCtrl& tree = Tree();
  HTREEITEM a = tree.InsertItem(L"A");
  HTREEITEM b = tree.InsertItem(L"B", a);
  EXPECT_TRUE(tree.DeleteItem(a));
  EXPECT_EQ(std::tuple(tree.GetCount(), tree.SelectItem(b), tree.GetItemText(b), tree.ItemHasChildren(a),
                       tree.InsertItem(L"orphan", b)),
            std::tuple(0u, FALSE, CString(), FALSE, nullptr));
  EXPECT_EQ(std::count(dialog_.log.begin(), dialog_.log.end(), TreeNote(TVN_DELETEITEM)), 2);
}

TEST_F(ControlsDialogTest, ItemsGoFirstLastSortedOrAfterASibling) {
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

TEST_F(ControlsDialogTest, TextComesBackCutToTheBuffer) {
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

TEST_F(ControlsDialogTest, TheOwnerMayRefuseAnExpansionAndACollapseMovesTheSelectionUp) {
  HTREEITEM group = Tree().InsertItem(L"group");
  HTREEITEM child = Tree().InsertItem(L"child", group);
  dialog_.answerExpanding = TRUE;
  driver_->ExpandTreeItem(kTree, group, true);
  EXPECT_EQ(Tree().GetItemState(group, TVIS_EXPANDED), 0u);
  dialog_.answerExpanding = FALSE;
  driver_->ExpandTreeItem(kTree, group, true);
  EXPECT_EQ(Tree().GetItemState(group, TVIS_EXPANDED), TVIS_EXPANDED);
  Tree().SelectItem(child);
  dialog_.log.clear();
  driver_->ExpandTreeItem(kTree, group, false);
  EXPECT_EQ(Tree().GetSelectedItem(), group);
  EXPECT_EQ(Logged(TreeNote(TVN_SELCHANGED)).size(), 1u);
  EXPECT_TRUE(Tree().Expand(group, TVE_EXPAND));  // TVM_EXPAND asks nobody
  dialog_.answerExpanding = TRUE;
  EXPECT_TRUE(Tree().Expand(group, TVE_COLLAPSE));
  EXPECT_FALSE(Tree().Expand(child, TVE_EXPAND));  // nothing to expand
}

// ---------------------------------------------------------------------------- up-down

TEST_F(ControlsDialogTest, UpDownTakesThePreviousControlAsBuddyAndShowsItsPosition) {
  auto& spin = orv::test::Item<CSpinButtonCtrl>(dialog_, kSpin);
  EXPECT_EQ(spin.GetBuddy()->GetDlgCtrlID(), kBuddy);
  int lower = 0, upper = 0;
  spin.GetRange(lower, upper);
  EXPECT_EQ(std::pair(lower, upper), std::pair(100, 0));  // the platform's initial range runs from 100 down to 0
  spin.SetRange(0, 30);
  spin.SetPos(29);
  EXPECT_EQ(dialog_.GetDlgItemInt(kBuddy), 29u);
  dialog_.log.clear();
  driver_->StepUpDown(kSpin, 1);
  EXPECT_EQ(spin.GetPos(), 30);
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{"notify " + std::to_string(static_cast<int>(UDN_DELTAPOS)) + "@" +
                                                       std::to_string(kSpin) + " pos 29 delta 1",
                                                   Note(EN_UPDATE, kBuddy), Note(EN_CHANGE, kBuddy),
                                                   "vscroll 4 30 from " + std::to_string(kSpin),
                                                   "vscroll 8 30 from " + std::to_string(kSpin)}));
  dialog_.log.clear();
  driver_->StepUpDown(kSpin, 1);  // at the top: nothing happens
  EXPECT_TRUE(dialog_.log.empty());
  EXPECT_EQ(spin.GetPos(), 30);
}

TEST_F(ControlsDialogTest, UpDownStartsFromTheBuddysTextAndTheArrowKeys) {
  auto& spin = orv::test::Item<CSpinButtonCtrl>(dialog_, kSpin);
  spin.SetRange(0, 30);
  driver_->ReplaceText(kBuddy, L"12");
  driver_->StepUpDown(kSpin, -1);
  EXPECT_EQ(dialog_.GetDlgItemInt(kBuddy), 11u);
  driver_->PressKey(VK_UP, kBuddy);
  EXPECT_EQ(dialog_.GetDlgItemInt(kBuddy), 12u);
  dialog_.answerDeltaPos = 1;  // the owner refuses
  driver_->PressKey(VK_UP, kBuddy);
  EXPECT_EQ(dialog_.GetDlgItemInt(kBuddy), 12u);
  driver_->ReplaceText(kBuddy, L"x");
  EXPECT_NE(HIWORD(static_cast<DWORD>(spin.GetPos())), 0);  // the buddy's text is no position
}

TEST_F(ControlsDialogTest, PositionsShowWithSeparatorsOrInHexadecimal) {
  auto& spin = *static_cast<CSpinButtonCtrl*>(dialog_.GetDlgItem(kAlignedSpin));
  spin.SetRange32(-100000, 100000);
  struct Row {
    int pos;
    const wchar_t *decimal, *hex;
  } rows[] = {{999, L"999", L"0x03E7"}, {1234, L"1,234", L"0x04D2"}, {-98765, L"-98,765", L"0xFFFE7E33"},
              {0, L"0", L"0x0000"}};
  for (const Row& r : rows) {
    spin.SetBase(10);
    spin.SetPos32(r.pos);
    EXPECT_EQ(driver_->Text(kAlignedBuddy), r.decimal);
    EXPECT_EQ(spin.GetPos32(), r.pos);  // read back through the separators
    spin.SetBase(16);
    EXPECT_EQ(driver_->Text(kAlignedBuddy), r.hex);
  }
  EXPECT_EQ(spin.SetBase(8), 0);  // only 10 and 16
}

TEST_F(ControlsDialogTest, AlignedUpDownTakesTheBuddysRightEdge) {
  const CRect buddy = orv::test::WindowRect(*dialog_.GetDlgItem(kAlignedBuddy));
  CRect units = orv::test::Pixels(dialog_, {7, 132, 57, 144});
  dialog_.ClientToScreen(&units);
  // The pair keeps the buddy's old width: the up-down ends where the buddy ended before.
  EXPECT_EQ(orv::test::WindowRect(*dialog_.GetDlgItem(kAlignedSpin)),
            CRect(buddy.right, buddy.top, units.right, buddy.bottom));
}

TEST_F(ControlsDialogTest, AWrappingHorizontalUpDownGoesRoundAndScrollsSideways) {
  auto& spin = *static_cast<CSpinButtonCtrl*>(dialog_.GetDlgItem(kWrapSpin));
  spin.SetRange(1, 3);
  spin.SetPos(3);
  dialog_.log.clear();
  driver_->StepUpDown(kWrapSpin, 1);
  EXPECT_EQ(dialog_.GetDlgItemInt(kWrapBuddy), 1u);
  driver_->StepUpDown(kWrapSpin, -1);
  EXPECT_EQ(dialog_.GetDlgItemInt(kWrapBuddy), 3u);
  EXPECT_EQ(Logged("scroll"), (std::vector<std::string>{"hscroll 4 1", "hscroll 8 1", "hscroll 4 3", "hscroll 8 3"}));
}

// ---------------------------------------------------------------------------- scroll bar

TEST_F(ControlsDialogTest, ScrollInfoIsKeptWithinTheRange) {
  constexpr UINT kDisabling = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  struct Row {
    int min, max, pos, wantPos;
    UINT page, mask, wantPage;
    bool wantEnabled;
  } rows[] = {
      {0, 120, 0, 0, 50, kDisabling, 50, true},       {0, 120, 100, 71, 50, kDisabling, 50, true},
      {0, 49, 3, 0, 50, kDisabling, 50, false},       {0, 50, 3, 1, 50, kDisabling, 50, true},
      {0, 10, 5, 0, 100, kDisabling, 11, false},
      {-150, 50, -200, -150, 0, SIF_RANGE | SIF_PAGE | SIF_POS, 0, true},  // the page stays 0 for the next row
      {10, 5, 7, 0, 0, SIF_RANGE | SIF_POS, 0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.min << ".." << r.max << " page " << r.page << " pos " << r.pos);
    CScrollBar& bar = Bar();
    bar.EnableScrollBar(ESB_ENABLE_BOTH);
    SCROLLINFO in{sizeof(SCROLLINFO), r.mask, r.min, r.max, r.page, r.pos, 0};
    bar.SetScrollInfo(&in);
    SCROLLINFO out{};
    ASSERT_TRUE(bar.GetScrollInfo(&out, SIF_ALL));
    EXPECT_EQ(std::pair(out.nPos, out.nPage), std::pair(r.wantPos, r.wantPage));
    EXPECT_EQ(driver_->Scroll(kBar, SB_LINERIGHT), r.wantEnabled);
  }
}

TEST_F(ControlsDialogTest, TheBarMovesOnlyWhereTheOwnerPutsIt) {
  CScrollBar& bar = Bar();
  SCROLLINFO in{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 20, 0};
  bar.SetScrollInfo(&in);
  driver_->Scroll(kBar, SB_PAGERIGHT);
  EXPECT_EQ(bar.GetScrollPos(), 20);  // nobody moved it
  dialog_.setPosOnScroll = 35;
  driver_->Scroll(kBar, SB_LINELEFT);
  EXPECT_EQ(bar.GetScrollPos(), 35);
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{"hscroll 3 0", "hscroll 8 0", "hscroll 0 0", "hscroll 8 0"}));
  dialog_.log.clear();
  dialog_.setPosOnScroll = INT32_MIN;
  driver_->DragThumb(kBar, 500);  // beyond the end: the track position stops at the last page
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{"hscroll 5 91", "hscroll 4 91", "hscroll 8 91"}));
  EXPECT_EQ(bar.GetScrollPos(), 35);
}

// ---------------------------------------------------------------------------- buttons, lists, labels

TEST_F(ControlsDialogTest, AutoRadioButtonsKeepOneCheckedInTheirGroup) {
  driver_->Click(kRadio1);
  driver_->Click(kRadio3);
  // The check box is in another group.
  EXPECT_EQ((std::vector<UINT>{dialog_.IsDlgButtonChecked(kRadio1), dialog_.IsDlgButtonChecked(kRadio2),
                               dialog_.IsDlgButtonChecked(kRadio3), dialog_.IsDlgButtonChecked(kCheck)}),
            (std::vector<UINT>{0, 0, 1, 0}));
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{Note(BN_CLICKED, kRadio1), Note(BN_CLICKED, kRadio3)}));
}

TEST_F(ControlsDialogTest, OnlyAutomaticCheckBoxesCheckThemselves) {
  driver_->Click(kCheck);
  driver_->Click(kPlainCheck);
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kCheck), 1u);
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kPlainCheck), 0u);
  static_cast<CButton*>(dialog_.GetDlgItem(kCheck))->SendMessage(BM_CLICK);
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kCheck), 0u);
  dialog_.GetDlgItem(kCheck)->EnableWindow(FALSE);
  EXPECT_FALSE(driver_->Click(kCheck));
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kCheck), 0u);
}

TEST_F(ControlsDialogTest, ListsReportTheUsersChoice) {
  auto& list = *static_cast<CListBox*>(dialog_.GetDlgItem(kList));
  auto& combo = *static_cast<CComboBox*>(dialog_.GetDlgItem(kCombo));
  for (const wchar_t* s : {L"alpha", L"beta", L"gamma"}) {
    list.AddString(s);
    combo.AddString(s);
  }
  driver_->SelectListItem(kList, 2, true);
  driver_->SelectListItem(kCombo, 1);
  EXPECT_EQ(std::pair(list.GetCurSel(), combo.GetCurSel()), std::pair(2, 1));
  CString listText, comboText;
  list.GetText(2, listText);
  combo.GetLBText(1, comboText);
  EXPECT_EQ(std::pair(listText, comboText), std::pair(CString(L"gamma"), CString(L"beta")));
  EXPECT_EQ(list.FindStringExact(-1, L"BETA"), 1);
  EXPECT_EQ(dialog_.log, (std::vector<std::string>{Note(LBN_SELCHANGE, kList), Note(LBN_DBLCLK, kList),
                                                   Note(CBN_SELCHANGE, kCombo)}));
}

TEST_F(ControlsDialogTest, ASortedListKeepsItsOrderAndItsSelection) {
  auto& list = *static_cast<CListBox*>(dialog_.GetDlgItem(kSorted));
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

TEST_F(ControlsDialogTest, AltWithALabelsLetterFocusesTheControlAfterIt) {
  dialog_.GetDlgItem(kEdit)->SetFocus();
  MSG msg{dialog_.GetDlgItem(kEdit)->m_hWnd, WM_SYSKEYDOWN, 'S', 0, 0, POINT{0, 0}};
  EXPECT_TRUE(dialog_.PreTranslateMessage(&msg));
  EXPECT_EQ(driver_->FocusedId(), kBuddy);
}

}  // namespace
