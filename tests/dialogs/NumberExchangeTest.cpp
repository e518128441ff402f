// The numeric fields through real edit controls: what the user types, what the member gets,
// what the control shows afterwards, and where the caret stays.
#include <gtest/gtest.h>


#include "dialogs/NumberExchange.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/RunModal.h"
#include "tests/platform/ui/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::test::RunModal;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 33001;
enum Field : int { kSigned = 1001, kUnsigned = 1002, kUint = 1003, kDecimal = 1004, kPositiveDecimal = 1005, kFormatted = 1006 };
constexpr unsigned kLimit = 12;

class NumberDialog : public CDialog {
public:
  NumberDialog() : CDialog(kTemplate) {}
  int m_signed = 0, m_unsigned = 0;
  unsigned m_uint = 0;
  double m_decimal = 0, m_positive = 0, m_formatted = 0;
  bool m_initialExchange = true;  // false: the first exchange is the script's
  bool m_cleanAsTyped = false;

protected:
  BOOL OnInitDialog() override { return m_initialExchange ? CDialog::OnInitDialog() : TRUE; }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Int(dx, kSigned, m_signed, TRUE, kLimit);
    DDX_Int(dx, kUnsigned, m_unsigned, FALSE, kLimit);
    DDX_Uint(dx, kUint, m_uint, kLimit);
    DDX_Double(dx, kDecimal, m_decimal, TRUE, 400);
    DDX_Double(dx, kPositiveDecimal, m_positive, FALSE, kLimit);
    DDX_DoubleFmt(dx, kFormatted, m_formatted, L"%.2f", kLimit);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (m_cleanAsTyped && HIWORD(wParam) == EN_CHANGE) UpdateData(TRUE);
    return CDialog::OnCommand(wParam, lParam);
  }
};

class NumberExchangeTest : public ::testing::Test {
protected:
  void SetUp() override {
    int y = 4;
    auto edit = [&y](int id) { return Control(static_cast<UINT>(id), L"EDIT", L"42", 7, y += 14, 100, 12, ES_AUTOHSCROLL | WS_TABSTOP); };
    resources_.Add(kTemplate, Dialog(L"Numbers", 120, 110,
                                     {edit(kSigned), edit(kUnsigned), edit(kUint), edit(kDecimal), edit(kPositiveDecimal),
                                      edit(kFormatted), Control(IDCANCEL, L"BUTTON", L"Cancel", 63, 94, 50, 14, WS_TABSTOP)}));
  }
  static DWORD Caret(DialogDriver& d, int id) {
    DWORD start = 0, end = 0;
    SendMessageW(d.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? start : 0xFFFF;
  }
  ScopedResources resources_;
};

TEST_F(NumberExchangeTest, TypedTextIsCleanedIntoTheMemberAndBackIntoTheControl) {
  struct Row {
    int id;
    const wchar_t* typed;
    double value;
    const wchar_t* shown;
  } rows[] = {
      {kUnsigned, L"12a3", 123, L"123"},   {kUnsigned, L"-5", 5, L"5"},          {kSigned, L"0012", 12, L"012"},
      {kSigned, L"+0012", 12, L"+0012"},   {kSigned, L"-", 0, L"-"},             {kSigned, L"x", 0, L""},
      {kSigned, L"", 0, L""},              {kDecimal, L"1.2.3", 1.23, L"1.23"},  {kDecimal, L".5", 0.5, L".5"},
      {kDecimal, L"1e5", 15, L"15"},       {kPositiveDecimal, L"-2.5", 2.5, L"2.5"},
      {kFormatted, L"3.25x", 3.25, L"3.25x"}, {kUint, L"4000000000", 2147483647, L"4000000000"},
  };
  NumberDialog dialog;
  RunModal(dialog, [&](DialogDriver& d) {
    for (const Row& r : rows) {
      d.ReplaceText(r.id, r.typed);
      ASSERT_TRUE(dialog.UpdateData(TRUE));
      double value = r.id == kSigned ? dialog.m_signed : r.id == kUnsigned ? dialog.m_unsigned
                   : r.id == kUint   ? dialog.m_uint   : r.id == kDecimal  ? dialog.m_decimal
                   : r.id == kPositiveDecimal ? dialog.m_positive : dialog.m_formatted;
      EXPECT_EQ(value, r.value) << r.typed;
      EXPECT_EQ(d.Text(r.id), r.shown) << r.typed;
    }
  });
}

TEST_F(NumberExchangeTest, MembersReplaceTheTextOnlyWhenTheNumberDiffers) {
  NumberDialog dialog;
  RunModal(dialog, [&](DialogDriver& d) {
    struct Row {
      double decimal;
      const wchar_t* shown;
      double back;  // what taking the shown text gives
    } rows[] = {{2.5, L"2.5", 2.5}, {3.0, L"3", 3}, {0.1234567, L"0.123457", 0.123457}, {1e-7, L"0", 0},
                {1e300, L"1e+300", 1e300}};
    for (const Row& r : rows) {
      d.ReplaceText(kDecimal, L"");
      dialog.m_decimal = r.decimal;
      dialog.UpdateData(FALSE);
      EXPECT_EQ(d.Text(kDecimal), r.shown) << r.decimal;
      dialog.UpdateData(TRUE);
      EXPECT_EQ(dialog.m_decimal, r.back) << r.decimal;
      EXPECT_EQ(d.Text(kDecimal), r.shown) << r.decimal;
    }
    d.ReplaceText(kSigned, L"007");
    d.ReplaceText(kUnsigned, L"5");
    dialog.m_signed = 7;
    dialog.m_unsigned = -4;
    dialog.m_uint = 3000000000u;
    dialog.m_formatted = 2.5;
    dialog.UpdateData(FALSE);
    EXPECT_EQ(d.Text(kSigned), L"07");  // same number: only cleaned
    EXPECT_EQ(d.Text(kUnsigned), L"0");
    EXPECT_EQ(dialog.m_unsigned, 0);
    EXPECT_EQ(d.Text(kUint), L"0");
    EXPECT_EQ(dialog.m_uint, 0u);
    EXPECT_EQ(d.Text(kFormatted), L"2.50");
  });
}

TEST_F(NumberExchangeTest, TheFirstExchangeSetsTheLimitAndStartsAtZero) {
  NumberDialog dialog;
  dialog.m_initialExchange = false;
  RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(kSigned), L"42");
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.m_signed, 0);
    EXPECT_EQ(d.Text(kSigned), L"0");
    EXPECT_EQ(d.Text(kFormatted), L"42");  // the formatted field sets its limit but keeps its text
    EXPECT_EQ(SendMessageW(d.Item(kSigned), EM_GETLIMITTEXT, 0, 0), static_cast<LRESULT>(kLimit));
    d.ReplaceText(kSigned, L"12");
    dialog.UpdateData(TRUE);  // later exchanges keep the user's text
    EXPECT_EQ(dialog.m_signed, 12);
    d.ReplaceText(kSigned, L"1234567890123456");  // typed past the limit
    dialog.UpdateData(TRUE);
    EXPECT_EQ(d.Text(kSigned).GetLength(), static_cast<int>(kLimit));
  });
}

TEST_F(NumberExchangeTest, TheCaretStaysWhereTheUserLeftItAfterACleaning) {
  NumberDialog dialog;
  dialog.m_cleanAsTyped = true;
  RunModal(dialog, [&](DialogDriver& d) {
    d.ReplaceText(kUnsigned, L"");
    d.Type(kUnsigned, L"12a34");
    EXPECT_EQ(d.Text(kUnsigned), L"1234");
    EXPECT_EQ(Caret(d, kUnsigned), 4u);
    SendMessageW(d.Item(kUnsigned), EM_SETSEL, 1, 1);
    SendMessageW(d.Item(kUnsigned), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"b"));  // a paste
    EXPECT_EQ(d.Text(kUnsigned), L"1234");
    EXPECT_EQ(Caret(d, kUnsigned), 2u);
    EXPECT_EQ(dialog.m_unsigned, 1234);
  });
}

}  // namespace
