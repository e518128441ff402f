// The numeric fields through real edit controls: what is typed, what the member gets, what
// the control shows afterwards, and where the caret stays.
#include <gtest/gtest.h>

#include "dialogs/NumberExchange.h"
#include "platform/ui/DataExchange.h"
#include "support/ShownDialog.h"
#include "support/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 33001;
enum : int { kSigned = 1001, kUnsigned, kUint, kDecimal, kFormatted };

class NumberDialog : public CDialog {
public:
  NumberDialog() : CDialog(kTemplate) {}
  int m_nInt[2] = {42, 0};  // kSigned, kUnsigned
  unsigned m_nUint = 0;
  double m_dDouble[2] = {0, 0};  // kDecimal, kFormatted
  double Member(int id) const { return id == kUint ? m_nUint : id < kUint ? m_nInt[id - kSigned] : m_dDouble[id - kDecimal]; }

protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Int(dx, kSigned, m_nInt[0], TRUE, 12);
    DDX_Int(dx, kUnsigned, m_nInt[1], FALSE, 12);
    DDX_Uint(dx, kUint, m_nUint, 12);
    DDX_Double(dx, kDecimal, m_dDouble[0], TRUE, 400);
    DDX_DoubleFmt(dx, kFormatted, m_dDouble[1], L"%.2f", 12);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    // Cleaned as the user types, not when the exchange itself sets a text.
    if (HIWORD(wParam) == EN_CHANGE && GetFocus() == GetDlgItem(LOWORD(wParam))) UpdateData(TRUE);
    return CDialog::OnCommand(wParam, lParam);
  }
};

TEST(NumberExchangeTest, TextIsCleanedAndMembersReplaceOnlyADifferentNumberWithTheCaretKept) {
  ScopedResources resources;
  int y = 4;
  auto edit = [&y](int id) { return Control(static_cast<UINT>(id), L"EDIT", L"0042", 7, y += 14, 100, 12, ES_AUTOHSCROLL); };
  resources.Add(kTemplate, Dialog(L"Numbers", 120, 90, {edit(kSigned), edit(kUnsigned), edit(kUint), edit(kDecimal), edit(kFormatted)}));
  struct Row {
    int id;
    const wchar_t* typed;  // null: `value` is put into a control showing "007"
    double value, back;    // the member typed or put, and what reading the field back gives
    const wchar_t* shown;
  } rows[] = {
      {kUnsigned, L"12a3", 123, 123, L"123"}, {kUnsigned, L"-5", 5, 5, L"5"},     {kSigned, L"0012", 12, 12, L"012"},
      {kSigned, L"+0012", 12, 12, L"+0012"},  {kSigned, L"-", 0, 0, L"-"},        {kSigned, L"x", 0, 0, L""},
      {kDecimal, L"1.2.3", 0, 1.23, L"1.23"}, {kDecimal, L".5", 0, 0.5, L".5"},   {kDecimal, L"1e5", 0, 15, L"15"},
      {kFormatted, L"3.25x", 0, 3.25, L"3.25x"}, {kSigned, nullptr, 7, 7, L"07"}, {kUnsigned, nullptr, -4, 0, L"0"},
      {kUint, nullptr, 3e9, 0, L"0"},         {kDecimal, nullptr, 2.5, 2.5, L"2.5"}, {kDecimal, nullptr, 3.0, 3, L"3"},
      {kDecimal, nullptr, 1e-7, 0, L"0"},     {kDecimal, nullptr, 0.1234567, 0.123457, L"0.123457"},
      {kDecimal, nullptr, 1e300, 1e300, L"1e+300"}, {kFormatted, nullptr, 2.5, 2.5, L"2.50"},
  };
  NumberDialog dialog;
  orv::test::RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(kSigned), L"42");  // the template's "0042" became "0" at the first exchange, then 42
    EXPECT_EQ(SendMessageW(d.Item(kSigned), EM_GETLIMITTEXT, 0, 0), 12);
    for (const Row& r : rows) {
      d.ReplaceText(r.id, r.typed != nullptr ? r.typed : L"007");
      if (r.typed == nullptr) {
        if (r.id == kUint) dialog.m_nUint = static_cast<unsigned>(r.value);
        else if (r.id < kUint) dialog.m_nInt[r.id - kSigned] = static_cast<int>(r.value);
        else dialog.m_dDouble[r.id - kDecimal] = r.value;
        dialog.UpdateData(FALSE);
      }
      dialog.UpdateData(TRUE);  // what a field shows reads back as the number it shows
      EXPECT_EQ(dialog.Member(r.id), r.back) << r.id << " " << r.value;
      EXPECT_EQ(d.Text(r.id), r.shown) << r.id << " " << r.value;
    }
    d.Type(kUnsigned, L"4a5678901234x5");  // cleaned key by key, and cut at the limit
    EXPECT_EQ(d.Text(kUnsigned), L"045678901234");
    SendMessageW(d.Item(kUnsigned), EM_SETSEL, 1, 1);
    SendMessageW(d.Item(kUnsigned), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(L"b"));  // a paste
    DWORD start = 0, end = 0;
    SendMessageW(d.Item(kUnsigned), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(d.Text(kUnsigned), L"045678901234");
    EXPECT_EQ(start + end, 4u);  // the caret after the pasted "b", where the user left it
    d.Close();
  });
}

}  // namespace
