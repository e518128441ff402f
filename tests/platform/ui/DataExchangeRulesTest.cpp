// The exchange functions' rules, row by row: which texts are integers, what the standard
// messages say, what a failure does to the focus and selection, and that values moved into
// the controls raise the change notification only when the text changes; then the round
// trip through a modal dialog's OK and Cancel.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <utility>

#include "platform/ui/Controls.h"
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

constexpr UINT kTemplate = 31501;
constexpr int kNumber = 1501, kText = 1502, kCheck = 1503, kOther = 1504;

class ExchangeDialog : public CDialog {
public:
  ExchangeDialog() : CDialog(kTemplate) {}
  int number = 0;
  UINT unsignedNumber = 0;
  CString text;
  int checked = 0;
  bool useUnsigned = false;
  int changes = 0;

protected:
  void DoDataExchange(CDataExchange* dx) override {
    if (useUnsigned) {
      DDX_Text(dx, kNumber, unsignedNumber);
      DDV_MinMaxUInt(dx, unsignedNumber, 1, 99);
    } else {
      DDX_Text(dx, kNumber, number);
      DDV_MinMaxInt(dx, number, -5, 30);
    }
    DDX_Text(dx, kText, text);
    DDV_MaxChars(dx, text, 4);
    DDX_Check(dx, kCheck, checked);
  }
  void OnNumberChange() { ++changes; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
  ON_EN_CHANGE(kNumber, &ExchangeDialog::OnNumberChange)
END_MESSAGE_MAP()

class DataExchangeRulesTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Exchange", 150, 80,
                                     {Control(kNumber, L"EDIT", L"", 7, 7, 60, 12, WS_TABSTOP),
                                      Control(kText, L"EDIT", L"", 7, 22, 60, 12, WS_TABSTOP),
                                      Control(kCheck, L"BUTTON", L"Check", 7, 37, 60, 10, BS_AUTOCHECKBOX),
                                      Control(kOther, L"EDIT", L"", 7, 50, 60, 12, WS_TABSTOP),
                                      Control(IDOK, L"BUTTON", L"OK", 80, 7, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 80, 25, 50, 14, WS_TABSTOP)}));
    ASSERT_TRUE(dialog_.Create(kTemplate));
    shown_.emplace(dialog_);
  }
  ScopedResources resources_;
  ExchangeDialog dialog_;
  std::optional<orv::test::ShownDialog> shown_;
};

TEST_F(DataExchangeRulesTest, WhatCountsAsAnInteger) {
  const wchar_t* const kNotAnInteger = L"Please enter an integer.";
  const wchar_t* const kOutOfRange = L"Please enter an integer between -5 and 30.";
  const wchar_t* const kNotPositive = L"Please enter a positive integer.";
  struct Row {
    const wchar_t* text;
    bool ok;
    int value;
    const wchar_t* message;
    bool isUnsigned = false;  // the unsigned field, 1 to 99
  } rows[] = {
      {L"12", true, 12, nullptr}, {L"  7\t", true, 7, nullptr}, {L"+3", true, 3, nullptr}, {L"00", true, 0, nullptr},
      {L"0", true, 0, nullptr},   {L"-5", true, -5, nullptr},   {L"30", true, 30, nullptr},  // both ends of the range pass
      // Not integers, "-0" included (a zero is written starting with 0): the member keeps its value.
      {L"", false, 1234, kNotAnInteger},    {L"-0", false, 1234, kNotAnInteger}, {L"12a", false, 1234, kNotAnInteger},
      {L"1 2", false, 1234, kNotAnInteger}, {L"0x1A", false, 1234, kNotAnInteger},
      // Out of range: the member has taken the value already when the check refuses it.
      {L"31", false, 31, kOutOfRange}, {L"-6", false, -6, kOutOfRange}, {L"99999999999", false, INT_MAX, kOutOfRange},
      {L"42", true, 42, nullptr, true},       {L"-1", false, 1234, kNotPositive, true},
      {L"x", false, 1234, kNotPositive, true}, {L"0", false, 0, L"Please enter an integer between 1 and 99.", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(CString(r.text).ToUtf8() + (r.isUnsigned ? " unsigned" : ""));
    MessageBoxRecorder boxes;
    dialog_.useUnsigned = r.isUnsigned;
    dialog_.number = 1234;
    dialog_.unsignedNumber = 1234;
    dialog_.SetDlgItemText(kNumber, r.text);
    dialog_.SetDlgItemText(kText, L"ab");
    EXPECT_EQ(dialog_.UpdateData(TRUE) != FALSE, r.ok);
    EXPECT_EQ(r.isUnsigned ? static_cast<int>(dialog_.unsignedNumber) : dialog_.number, r.value);
    if (r.message == nullptr) {
      EXPECT_EQ(boxes.Count(), 0);
    } else {
      ASSERT_EQ(boxes.Count(), 1);
      EXPECT_EQ(boxes.LastText(), r.message);
      EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
  }
}

TEST_F(DataExchangeRulesTest, AFailureFocusesTheFieldAndSelectsItsText) {
  MessageBoxRecorder boxes;
  dialog_.GetDlgItem(kOther)->SetFocus();
  dialog_.SetDlgItemText(kNumber, L"abc");
  EXPECT_FALSE(dialog_.UpdateData(TRUE));
  EXPECT_EQ(shown_->Driver().FocusedId(), kNumber);
  int start = -1, end = -1;
  static_cast<CEdit*>(dialog_.GetDlgItem(kNumber))->GetSel(start, end);
  EXPECT_EQ(std::pair(start, end), std::pair(0, 3));
}

TEST_F(DataExchangeRulesTest, ValuesMovedInNotifyOnlyWhenTheTextChanges) {
  dialog_.number = 5;
  dialog_.UpdateData(FALSE);
  int after = dialog_.changes;
  EXPECT_GE(after, 1);
  dialog_.UpdateData(FALSE);  // the same text again: no notification
  EXPECT_EQ(dialog_.changes, after);
  dialog_.number = 6;
  dialog_.UpdateData(FALSE);
  EXPECT_EQ(dialog_.changes, after + 1);
  EXPECT_EQ(shown_->Driver().Text(kNumber), L"6");
}

TEST_F(DataExchangeRulesTest, TextsChecksAndTheirLimits) {
  MessageBoxRecorder boxes;
  dialog_.text = L"abcd";
  dialog_.checked = 1;
  dialog_.UpdateData(FALSE);
  EXPECT_EQ(static_cast<CEdit*>(dialog_.GetDlgItem(kText))->GetLimitText(), 4u);  // moving in limits typing
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kCheck), 1u);
  dialog_.SetDlgItemText(kText, L"abcde");  // the program may set more
  EXPECT_FALSE(dialog_.UpdateData(TRUE));
  EXPECT_EQ(boxes.LastText(), L"Please enter no more than 4 characters.");
  dialog_.SetDlgItemText(kText, L"xy");
  dialog_.CheckDlgButton(kCheck, 0);
  EXPECT_TRUE(dialog_.UpdateData(TRUE));
  EXPECT_EQ(dialog_.text, L"xy");
  EXPECT_EQ(dialog_.checked, 0);
}

TEST_F(DataExchangeRulesTest, GetDlgItemIntReadsALeadingNumber) {
  struct Row {
    const wchar_t* text;
    BOOL isSigned;
    UINT value;
    BOOL translated;
  } rows[] = {{L"  12abc", TRUE, 12, TRUE}, {L"-7", TRUE, static_cast<UINT>(-7), TRUE}, {L"-7", FALSE, 0, FALSE},
              {L"abc", TRUE, 0, FALSE},     {L"", TRUE, 0, FALSE},
              {L"4294967295", FALSE, 4294967295u, TRUE}, {L"4294967296", FALSE, 0, FALSE},
              {L"2147483648", TRUE, 0, FALSE}, {L"-2147483648", TRUE, 0x80000000u, TRUE}};
  for (const Row& r : rows) {
    dialog_.SetDlgItemText(kOther, r.text);
    BOOL translated = 2;
    EXPECT_EQ(dialog_.GetDlgItemInt(kOther, &translated, r.isSigned), r.value) << CString(r.text);
    EXPECT_EQ(translated, r.translated) << CString(r.text);
  }
}

TEST_F(DataExchangeRulesTest, AMissingControlIsReportedAndFailsTheExchange) {
  class Broken : public CDialog {
  public:
    Broken() : CDialog(kTemplate) {}
    void DoDataExchange(CDataExchange* dx) override {
      int v = 0;
      DDX_Text(dx, 4242, v);
    }
  } broken;
  MessageBoxRecorder boxes;
  ASSERT_TRUE(broken.Create(kTemplate));  // its first exchange, moving values in, fails too
  EXPECT_EQ(boxes.Count(), 1);
  EXPECT_FALSE(broken.UpdateData(TRUE));
  EXPECT_EQ(boxes.LastText(), L"CDataExchange::PrepareCtrl(): No control with id 4242 in the dialog.");
  broken.DestroyWindow();
}

TEST_F(DataExchangeRulesTest, TypedValueReachesTheMemberOnOk) {
  ExchangeDialog dialog;
  dialog.number = 7;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(kNumber), L"7");
    EXPECT_TRUE(d.ReplaceText(kNumber, L"12"));
    EXPECT_TRUE(d.Click(IDOK));
  }), IDOK);
  EXPECT_EQ(dialog.number, 12);
}

TEST_F(DataExchangeRulesTest, ValidationFailuresOnOkShowTheStandardMessagesAndKeepTheDialogOpen) {
  ExchangeDialog dialog;
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    d.ReplaceText(kNumber, L"abc");
    d.Click(IDOK);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes.LastText(), L"Please enter an integer.");
    EXPECT_TRUE(d.IsOpen());
    d.ReplaceText(kNumber, L"31");
    d.Click(IDOK);
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.LastText(), L"Please enter an integer between -5 and 30.");
    EXPECT_EQ(d.FocusedId(), kNumber);
    d.Click(IDCANCEL);
  }), IDCANCEL);
  // The exchange stored the typed value before the range check refused it, as the
  // framework's does; only the refusal kept the dialog open.
  EXPECT_EQ(dialog.number, 31);
}

}  // namespace
