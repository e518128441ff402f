// Multi-line edits: the platform's line breaks in text and positions, typing, the limit,
// and Enter, which breaks the line only with ES_WANTRETURN.
#include <gtest/gtest.h>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31701;
constexpr int kNotes = 1701, kLines = 1702;

class MultiLineEditDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate,
                   Dialog(L"Notes", 160, 100,
                          {Control(kNotes, L"EDIT", L"", 7, 7, 140, 30, ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP,
                                   WS_EX_CLIENTEDGE),
                           Control(kLines, L"EDIT", L"", 7, 40, 140, 30, ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP,
                                   WS_EX_CLIENTEDGE),
                           Control(IDOK, L"BUTTON", L"OK", 100, 80, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP)}));
  }
  ScopedResources resources_;
};

TEST_F(MultiLineEditDialogTest, LineBreaksAreTwoCharactersInTextAndPositions) {
  CDialog dialog(kTemplate);
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    auto* notes = static_cast<CEdit*>(dialog.GetDlgItem(kNotes));
    notes->SetWindowText(L"ab\r\ncd");
    CString text;
    notes->GetWindowText(text);
    EXPECT_EQ(text, L"ab\r\ncd");
    EXPECT_EQ(notes->GetWindowTextLength(), 6);
    notes->SetSel(4, 6);  // "cd", after the break
    int start = 0, end = 0;
    notes->GetSel(start, end);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 6);
    notes->ReplaceSel(L"xy");
    notes->GetWindowText(text);
    EXPECT_EQ(text, L"ab\r\nxy");
    d.Type(kLines, L"one");
    d.PressKey(VK_RETURN, kLines);  // ES_WANTRETURN: the line breaks
    d.Type(kLines, L"two");
    EXPECT_EQ(d.Text(kLines), L"one\r\ntwo");
    EXPECT_TRUE(d.IsOpen());
    d.PressKey(VK_RETURN, kNotes);  // without it, Enter is the default button
  }), IDOK);
}

TEST_F(MultiLineEditDialogTest, TheLimitCountsEachBreakAsTwo) {
  CDialog dialog(kTemplate);
  RunModal(dialog, [&](DialogDriver& d) {
    auto* lines = static_cast<CEdit*>(dialog.GetDlgItem(kLines));
    lines->LimitText(4);
    d.Type(kLines, L"ab");
    d.PressKey(VK_RETURN, kLines);  // 4 characters now
    d.Type(kLines, L"c");           // refused
    EXPECT_EQ(d.Text(kLines), L"ab\r\n");
    lines->LimitText(0);
    EXPECT_EQ(lines->GetLimitText(), 0xFFFFFFFFu);
    d.Click(IDOK);
  });
}

}  // namespace
