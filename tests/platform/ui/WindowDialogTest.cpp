// Windows and dialogs as the platform keeps them: dialog units, rectangles and their
// conversions, styles, enabling, stale handles, modality, damaged templates, posted
// messages and the wait cursor. Message maps: a derived class's entries come before its
// base's, unmapped messages reach the base or the default procedure, and the keyboard, help,
// scroll and destroy messages arrive at their handlers with the platform's arguments.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/base/CArray.h"
#include "platform/ui/CommonControls.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Help.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/WaitCursor.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using orv::test::ClientRect;
using orv::test::Pixels;
using orv::test::RunModal;
using orv::test::WindowRect;
using orv::test::WindowText;
using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;
using orv::ui::test::ModalScripts;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31401, kInner = 31402, kDamaged = 31403, kHelpful = 31404;
constexpr int kEdit = 1401, kFrame = 1402, kButton = 1403;
constexpr int kApply = 1101, kReset = 1102, kBar = 1104, kTree = 1105, kFail = 1106;

class WindowDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Outer", 200, 100,
                                     {Control(kEdit, L"EDIT", L"", 10, 20, 60, 12, WS_TABSTOP),
                                      Control(kFrame, L"STATIC", L"", 80, 20, 40, 30, SS_BLACKFRAME),
                                      Control(kButton, L"BUTTON", L"Inner", 10, 40, 50, 14, WS_TABSTOP),
                                      Control(IDOK, L"BUTTON", L"OK", 140, 80, 50, 14, BS_DEFPUSHBUTTON),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 140, 3, 50, 14, WS_TABSTOP),
                                      Control(kApply, L"BUTTON", L"&Apply", 10, 58, 40, 14, WS_TABSTOP),
                                      Control(kReset, L"BUTTON", L"&Reset", 52, 58, 40, 14, WS_TABSTOP),
                                      Control(kFail, L"BUTTON", L"Fail", 94, 58, 30, 14, WS_TABSTOP),
                                      Control(kBar, L"SCROLLBAR", L"", 10, 78, 120, 10, SBS_HORZ),
                                      Control(kTree, L"SysTreeView32", L"", 130, 20, 60, 50,
                                              TVS_HASBUTTONS | TVS_LINESATROOT | WS_TABSTOP, WS_EX_CLIENTEDGE)}));
    resources_.Add(kInner, Dialog(L"Inner", 100, 50, {Control(IDOK, L"BUTTON", L"OK", 40, 30, 50, 14, 0)}));
    resources_.Add(kDamaged, Dialog(L"Damaged", 100, 50, {Control(7, L"msctls_trackbar32", L"", 1, 1, 50, 10, 0)}));
    orv::DialogTemplate helpful = Dialog(L"Help", 100, 50, {Control(IDOK, L"BUTTON", L"OK", 40, 30, 50, 14, 0)});
    helpful.style |= DS_CONTEXTHELP;
    resources_.Add(kHelpful, helpful);
  }
  ScopedResources resources_;
};

TEST_F(WindowDialogTest, ControlsSitWhereTheirDialogUnitsSayAndMovingKeepsTheConversionsTogether) {
  CDialog dialog(kTemplate);
  RunModal(dialog, [&](DialogDriver& d) {
    CRect edit = WindowRect(*dialog.GetDlgItem(kEdit));
    dialog.ScreenToClient(&edit);
    EXPECT_EQ(edit, Pixels(dialog, {10, 20, 70, 32}));
    const CRect client = ClientRect(dialog);
    EXPECT_EQ(client, Pixels(dialog, {0, 0, 200, 100}));
    // The base units of a 9-point face: about 6 pixels wide and 12 to 16 high.
    const CRect four = Pixels(dialog, {0, 0, 4, 8});
    EXPECT_TRUE(four.Width() >= 5 && four.Width() <= 8) << four.Width();
    EXPECT_TRUE(four.Height() >= 11 && four.Height() <= 17) << four.Height();
    // A captioned frame lies around the client area.
    const CRect window = WindowRect(dialog);
    CPoint origin(0, 0);
    dialog.ClientToScreen(&origin);
    EXPECT_EQ(origin - window.TopLeft(), CSize(3, 23));
    EXPECT_EQ(window.Width(), client.Width() + 6);
    // Moving keeps the conversions together.
    dialog.MoveWindow(50, 60, 300, 200);
    EXPECT_EQ(WindowRect(dialog), CRect(50, 60, 350, 260));
    EXPECT_EQ(ClientRect(dialog), CRect(0, 0, 294, 174));
    CWnd* frame = dialog.GetDlgItem(kFrame);
    frame->MoveWindow(5, 6, 20, 10);
    CRect r = WindowRect(*frame);
    EXPECT_EQ(r, CRect(50 + 3 + 5, 60 + 23 + 6, 50 + 3 + 25, 60 + 23 + 16));
    dialog.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(5, 6, 25, 16));
    CPoint p(1, 2);
    frame->MapWindowPoints(&dialog, &p, 1);
    EXPECT_EQ(p, CPoint(6, 8));
    d.Click(IDOK);
  });
}

TEST_F(WindowDialogTest, StylesEnablingAndText) {
  CDialog dialog(kHelpful);
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_NE(dialog.GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    EXPECT_TRUE(dialog.ModifyStyleEx(WS_EX_CONTEXTHELP, 0));
    EXPECT_EQ(dialog.GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    EXPECT_FALSE(dialog.ModifyStyleEx(WS_EX_CONTEXTHELP, 0));  // nothing to change
    CWnd* ok = dialog.GetDlgItem(IDOK);
    EXPECT_FALSE(ok->EnableWindow(FALSE));  // it was enabled
    EXPECT_TRUE(ok->EnableWindow(FALSE));   // now it was disabled
    EXPECT_FALSE(d.Click(IDOK));
    ok->EnableWindow(TRUE);
    dialog.SetWindowText(L"Renamed");
    EXPECT_EQ(WindowText(dialog), L"Renamed");
    EXPECT_EQ(std::pair(ok->GetParent(), ok->GetDlgCtrlID()), (std::pair<CWnd*, int>(&dialog, IDOK)));
    d.Click(IDOK);
  }), IDOK);
}

TEST_F(WindowDialogTest, HandlesOfControlsWithoutObjectsGetTheirClassObject) {
  CDialog dialog(kTemplate);
  RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_NE(dynamic_cast<CEdit*>(dialog.GetDlgItem(kEdit)), nullptr);
    EXPECT_NE(dynamic_cast<CButton*>(dialog.GetDlgItem(kButton)), nullptr);
    EXPECT_EQ(dialog.GetDlgItem(kEdit), dialog.GetDlgItem(kEdit));  // the same object each time
    EXPECT_EQ(dialog.GetDlgItem(9999), nullptr);
    d.Click(IDOK);
  });
}

TEST_F(WindowDialogTest, AStaleHandleFailsWithoutHarm) {
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(kTemplate));
  HWND edit = ::GetDlgItem(dialog.m_hWnd, kEdit);
  HWND gone = dialog.m_hWnd;
  EXPECT_TRUE(dialog.DestroyWindow());
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  RECT r{1, 2, 3, 4};
  EXPECT_EQ(std::tuple(IsWindow(gone), IsWindow(edit), SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0),
                       GetWindowRect(edit, &r), SetWindowTextW(edit, L"x"), CWnd::FromHandle(edit)),
            std::tuple(FALSE, FALSE, LRESULT{0}, FALSE, FALSE, nullptr));
  orv::ui::test::ProcessEvents();  // the records go with the event loop
  EXPECT_FALSE(IsWindow(edit));
}

class NestingDialog : public CDialog {
public:
  NestingDialog() : CDialog(kTemplate) {}
  INT_PTR innerResult = 0;
  BOOL ownerEnabledInside = TRUE;

protected:
  void OnInner() {
    CDialog inner(kInner, this);
    innerResult = inner.DoModal();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NestingDialog, CDialog)
  ON_BN_CLICKED(kButton, &NestingDialog::OnInner)
END_MESSAGE_MAP()

TEST_F(WindowDialogTest, NestedModalDialogsRunTheirScriptsInTurnAndDisableTheirOwner) {
  NestingDialog outer;
  ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    d.Click(kButton);
    EXPECT_EQ(outer.innerResult, IDOK);
    EXPECT_TRUE(outer.IsWindowEnabled());  // the owner is back
    d.Click(IDOK);
  });
  scripts.Add([&](DialogDriver& d) {
    outer.ownerEnabledInside = outer.IsWindowEnabled();
    EXPECT_FALSE(d.Click(kButton));  // the owner takes no clicks meanwhile
    d.Click(IDOK);
  });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_FALSE(outer.ownerEnabledInside);
  EXPECT_TRUE(scripts.Problems().empty());
}

TEST_F(WindowDialogTest, ADialogNobodyAnswersIsCancelledAndReported) {
  CDialog dialog(kInner);
  ModalScripts scripts;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_EQ(scripts.Problems().size(), 1u);
  EXPECT_EQ(scripts.Problems()[0], L"no script for the dialog \"Inner\"");
  scripts.Add([](DialogDriver&) {});  // a script that answers nothing
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(scripts.Problems().back(), L"the dialog \"Inner\" was left open by its script");
}

TEST_F(WindowDialogTest, ADamagedOrMissingTemplateFailsWithMinusOneAndNamesTheFault) {
  struct Row {
    UINT id;
    const wchar_t* message;
  } rows[] = {{kDamaged, L"CDialog::DoModal(): Dialog template 31403 is damaged: control 7 is of the unknown class "
                         L"\"msctls_trackbar32\"."},
              {31999, L"CDialog::DoModal(): Dialog template 31999 not found."}};
  for (const Row& r : rows) {
    MessageBoxRecorder boxes;
    CDialog dialog(r.id);
    EXPECT_EQ(dialog.DoModal(), -1);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.LastText(), r.message);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
  }
}

class EndsAtOnce : public CDialog {
public:
  EndsAtOnce() : CDialog(kInner) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    EndDialog(42);
    return TRUE;
  }
};

TEST_F(WindowDialogTest, EndingDuringInitialisationSkipsTheLoop) {
  EndsAtOnce dialog;
  ModalScripts scripts;  // no script: the loop must not run at all
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_TRUE(scripts.Problems().empty());
}

TEST_F(WindowDialogTest, PostedMessagesArriveFromTheEventLoop) {
  CDialog dialog;
  ASSERT_TRUE(dialog.Create(kTemplate));
  CWnd* edit = dialog.GetDlgItem(kEdit);
  static const wchar_t kText[] = L"posted";
  ASSERT_TRUE(edit->PostMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kText)));
  EXPECT_EQ(WindowText(*edit), L"");
  orv::ui::test::ProcessEvents();
  EXPECT_EQ(WindowText(*edit), L"posted");
  dialog.DestroyWindow();
  orv::ui::test::ProcessEvents();
}

TEST_F(WindowDialogTest, WaitCursorsNest) {
  EXPECT_FALSE(orv::ui::IsWaitCursorShown());
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
      EXPECT_TRUE(orv::ui::IsWaitCursorShown());
    }
    EXPECT_TRUE(orv::ui::IsWaitCursorShown());
  }
  EXPECT_FALSE(orv::ui::IsWaitCursorShown());
}

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

// The message maps run on the same dialogs.
using MessageMapDialogTest = WindowDialogTest;

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
  for (auto [key, result] : {std::pair<UINT, INT_PTR>{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
    DerivedDialog dialog;
    EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) { d.PressKey(key, kEdit); }), result) << "key " << key;
    EXPECT_EQ(dialog.okCalled, result == IDOK);
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
