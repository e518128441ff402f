// Message maps: a derived class's entries come before its base's, unmapped messages reach
// the base or the default procedure, and the keyboard, help, scroll and destroy messages
// arrive at their handlers with the platform's arguments.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/base/CArray.h"
#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Help.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31101;
constexpr int kApply = 1101, kReset = 1102, kEdit = 1103, kBar = 1104, kTree = 1105, kFail = 1106;

class BaseDialog : public CDialog {
public:
  BaseDialog() : CDialog(kTemplate) {}
  std::vector<std::string> log;

protected:
  void OnApply() { log.push_back("base apply"); }
  void OnReset() { log.push_back("base reset"); }
  void OnEditChange() { log.push_back("edit change"); }
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    log.push_back("hscroll " + std::to_string(code) + " " + std::to_string(static_cast<int>(pos)) + " from " +
                  std::to_string(bar != nullptr ? bar->GetDlgCtrlID() : 0));
  }
  void OnDestroy() {
    log.push_back("destroy");
    CDialog::OnDestroy();
  }
  void OnSelChanged(NMHDR* header, LRESULT* result) {
    auto* tree = reinterpret_cast<NMTREEVIEW*>(header);
    CString text = static_cast<CTreeCtrl*>(GetDlgItem(kTree))->GetItemText(tree->itemNew.hItem);
    log.push_back("selchanged " + text.ToUtf8());
    *result = 0;
  }
  void OnFail() {
    CArray<int> empty;
    empty.GetAt(3);  // out of range: the framework's invalid-argument exception
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseDialog, CDialog)
  ON_BN_CLICKED(kApply, &BaseDialog::OnApply)
  ON_BN_CLICKED(kReset, &BaseDialog::OnReset)
  ON_BN_CLICKED(kFail, &BaseDialog::OnFail)
  ON_EN_CHANGE(kEdit, &BaseDialog::OnEditChange)
  ON_WM_HSCROLL()
  ON_WM_DESTROY()
  ON_NOTIFY(TVN_SELCHANGED, kTree, &BaseDialog::OnSelChanged)
  ON_COMMAND(ID_HELP, &CWnd::OnHelp)
END_MESSAGE_MAP()

class DerivedDialog : public BaseDialog {
public:
  bool okCalled = false;

protected:
  void OnApplyHere() { log.push_back("derived apply"); }
  void OnOK() override {
    okCalled = true;
    BaseDialog::OnOK();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedDialog, BaseDialog)
  ON_BN_CLICKED(kApply, &DerivedDialog::OnApplyHere)
END_MESSAGE_MAP()

class MessageMapDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate,
                   Dialog(L"Maps", 200, 120,
                          {Control(kEdit, L"EDIT", L"", 7, 7, 60, 12, WS_TABSTOP, WS_EX_CLIENTEDGE),
                           Control(kApply, L"BUTTON", L"&Apply", 7, 25, 50, 14, WS_TABSTOP),
                           Control(kReset, L"BUTTON", L"&Reset", 60, 25, 50, 14, WS_TABSTOP),
                           Control(kFail, L"BUTTON", L"Fail", 113, 25, 50, 14, WS_TABSTOP),
                           Control(kBar, L"SCROLLBAR", L"", 7, 45, 150, 10, SBS_HORZ),
                           Control(kTree, L"SysTreeView32", L"", 7, 58, 100, 40,
                                   TVS_HASBUTTONS | TVS_LINESATROOT | WS_TABSTOP, WS_EX_CLIENTEDGE),
                           Control(IDOK, L"BUTTON", L"OK", 140, 80, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                           Control(IDCANCEL, L"BUTTON", L"Cancel", 140, 100, 50, 14, WS_TABSTOP)}));
  }
  ScopedResources resources_;
};

TEST_F(MessageMapDialogTest, DerivedEntriesComeFirstAndUnmappedOnesReachTheBase) {
  DerivedDialog dialog;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    d.Click(kApply);
    d.Click(kReset);
    d.Click(IDOK);
  }), IDOK);
  EXPECT_TRUE(dialog.okCalled);
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"derived apply", "base reset", "destroy"}));
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

// The base class alone handles its own entries; text set by the program and typed both raise
// the change notification; scroll positions below zero arrive intact; a tree's selection
// reaches the notify handler.
TEST_F(MessageMapDialogTest, TheBaseClassHandlersHearTheirMessagesWithThePlatformsArguments) {
  struct Case {
    std::function<void(DialogDriver&)> script;  // Cancel follows
    std::vector<std::string> log;
  } cases[] = {
      {[](DialogDriver& d) { d.Click(kApply); }, {"base apply"}},
      {[](DialogDriver& d) {
         CWnd::FromHandle(d.Dialog())->SetDlgItemText(kEdit, L"set");
         d.Type(kEdit, L"ab");
       },
       {"edit change", "edit change", "edit change"}},
      {[](DialogDriver& d) {
         SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_POS, -150, 50, 0, -50, 0};
         ::SetScrollInfo(d.Item(kBar), SB_CTL, &info, TRUE);
         d.Scroll(kBar, SB_LINERIGHT);
         d.DragThumb(kBar, -100);
       },
       {"hscroll 1 0 from 1104", "hscroll 8 0 from 1104", "hscroll 5 -100 from 1104", "hscroll 4 -100 from 1104",
        "hscroll 8 -100 from 1104"}},
      {[](DialogDriver& d) {
         auto& tree = orv::test::Item<CTreeCtrl>(d, kTree);
         d.SelectTreeItem(kTree, tree.InsertItem(L"entry", tree.InsertItem(L"group")));
       },
       {"selchanged entry"}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.log[0]);
    BaseDialog dialog;
    EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
      c.script(d);
      d.Click(IDCANCEL);
    }), IDCANCEL);
    c.log.push_back("destroy");
    EXPECT_EQ(dialog.log, c.log);
  }
}

TEST_F(MessageMapDialogTest, KeysOfTheDialogManager) {
  struct Row {
    UINT key;
    INT_PTR result;
  };
  for (Row row : {Row{VK_RETURN, IDOK}, Row{VK_ESCAPE, IDCANCEL}}) {
    DerivedDialog dialog;
    EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) { d.PressKey(row.key, kEdit); }), row.result) << "key " << row.key;
    EXPECT_EQ(dialog.okCalled, row.result == IDOK);
  }
}

TEST_F(MessageMapDialogTest, F1AsksTheHelpHandlerWithTheTemplateId) {
  std::vector<UINT> asked;
  orv::ui::HelpHandler previous =
      orv::ui::SetHelpHandler([&](const orv::ui::HelpRequest& r) { asked.push_back(r.contextId); });
  BaseDialog dialog;
  RunModal(dialog, [](DialogDriver& d) {
    d.PressKey(VK_F1, kEdit);
    d.Click(IDCANCEL);
  });
  orv::ui::SetHelpHandler(previous);
  EXPECT_EQ(asked, std::vector<UINT>{kTemplate});
}

TEST_F(MessageMapDialogTest, AnExceptionInAHandlerIsReportedAndTheDialogGoesOn) {
  BaseDialog dialog;
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    d.Click(kFail);
    EXPECT_TRUE(d.IsOpen());
    d.Click(kApply);
    d.Click(IDCANCEL);
  }), IDCANCEL);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.LastText(), L"Encountered an improper argument.");
  EXPECT_EQ(dialog.log, (std::vector<std::string>{"base apply", "destroy"}));
}

class KeyEater : public BaseDialog {
public:
  std::vector<UINT> seen;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN) seen.push_back(static_cast<UINT>(msg->wParam));
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return TRUE;  // Enter does nothing here
    return BaseDialog::PreTranslateMessage(msg);
  }
};

TEST_F(MessageMapDialogTest, PreTranslateMessageSeesKeysFirstAndMayKeepThem) {
  KeyEater dialog;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    d.PressKey(VK_RETURN, kEdit);
    EXPECT_TRUE(d.IsOpen());
    d.PressKey(VK_ESCAPE, kEdit);
  }), IDCANCEL);
  EXPECT_EQ(dialog.seen, (std::vector<UINT>{VK_RETURN, VK_ESCAPE}));
}

}  // namespace
