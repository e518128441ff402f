// A scripted round trip through a dialog with a validated integer field: typing, the
// framework's standard validation messages, OK and Cancel.
#include <gtest/gtest.h>

#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31001;
constexpr int kSize = 1001;

class SizeDialog : public CDialog {
public:
  SizeDialog() : CDialog(kTemplate) {}
  int m_nSize = 7;

protected:
  void DoDataExchange(CDataExchange* dx) override {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kSize, m_nSize);
    DDV_MinMaxInt(dx, m_nSize, 0, 30);
  }
};

class DataExchangeDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Size", 120, 60,
                                     {Control(0xFFFF, L"STATIC", L"&Size:", 7, 9, 30, 8, SS_LEFT),
                                      Control(kSize, L"EDIT", L"", 40, 7, 30, 12, ES_AUTOHSCROLL | WS_TABSTOP,
                                              WS_EX_CLIENTEDGE),
                                      Control(IDOK, L"BUTTON", L"OK", 7, 40, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 63, 40, 50, 14, WS_TABSTOP)}));
  }
  ScopedResources resources_;
};

TEST_F(DataExchangeDialogTest, TypedValueReachesTheMemberOnOk) {
  SizeDialog dialog;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(kSize), L"7");
    EXPECT_TRUE(d.ReplaceText(kSize, L"12"));
    EXPECT_TRUE(d.Click(IDOK));
  }), IDOK);
  EXPECT_EQ(dialog.m_nSize, 12);
}

TEST_F(DataExchangeDialogTest, ValidationFailuresShowTheStandardMessagesAndKeepTheDialogOpen) {
  SizeDialog dialog;
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    d.ReplaceText(kSize, L"abc");
    d.Click(IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.LastText(), L"Please enter an integer.");
    EXPECT_TRUE(d.IsOpen());
    d.ReplaceText(kSize, L"31");
    d.Click(IDOK);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.LastText(), L"Please enter an integer between 0 and 30.");
    EXPECT_EQ(d.FocusedId(), kSize);
    d.Click(IDCANCEL);
  }), IDCANCEL);
  // The exchange stored the typed value before the range check refused it, as the
  // framework's does; only the refusal kept the dialog open.
  EXPECT_EQ(dialog.m_nSize, 31);
}

TEST_F(DataExchangeDialogTest, MissingTemplateFailsWithMinusOneAndSaysWhy) {
  MessageBoxRecorder boxes;
  CDialog dialog(31999);
  EXPECT_EQ(dialog.DoModal(), -1);
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.LastText(), L"CDialog::DoModal(): Dialog template 31999 not found.");
}

}  // namespace
