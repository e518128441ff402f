// The registry-persisting dialog across runs of an application: each run is a process of
// its own, ended with OK or with Cancel, and the next one finds the values and the place.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/base/Crt.h"
#include "platform/store/WinReg.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/TestDriver.h"
#include "settings/SigDialog.h"
#include "support/ChildProcess.h"
#include "support/RunModal.h"
#include "support/TempRegistry.h"
#include "tests/platform/ui/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::test::RunModal;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 33201;
constexpr int kCount = 1201, kScale = 1202, kName = 1203;
constexpr const wchar_t* kKey = L"Dialog\\Params";

class ParamsDialog : public CSigDialog {
public:
  explicit ParamsDialog(bool persists = true) : CSigDialog(kTemplate), m_persists(persists) {}
  int m_nCount = 0;
  double m_dScale = 0;
  CString m_strName;

  void UpdateRegistry(int save, const wchar_t* key) override {
    if (!m_persists) return CSigDialog::UpdateRegistry(save, key);
    UpdateReg(kKey, L"Count", 10, m_nCount, CRegistry::DT_INT, save);
    UpdateReg(kKey, L"Scale", 1.5, m_dScale, save);
    UpdateReg(kKey, L"Name", L"M31", m_strName, save);
    CSigDialog::UpdateRegistry(save, kKey);
  }

protected:
  void DoDataExchange(CDataExchange* dx) override {
    CSigDialog::DoDataExchange(dx);
    DDX_Text(dx, kCount, m_nCount);
    DDX_Text(dx, kScale, m_strScaleText);
    if (dx->m_bSaveAndValidate) m_dScale = _wtof(m_strScaleText);
    DDX_Text(dx, kName, m_strName);
  }
  BOOL OnInitDialog() override {
    m_strScaleText.Format(L"%g", m_dScale);
    return CSigDialog::OnInitDialog();
  }

private:
  bool m_persists;
  CString m_strScaleText;
};

struct Shown {
  CString count, name;
  CPoint place;
};

Shown ShownBy(DialogDriver& d) {
  CRect r;
  CWnd::FromHandle(d.Dialog())->GetWindowRect(&r);
  return {d.Text(kCount), d.Text(kName), r.TopLeft()};
}

class SigDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Parameters", 150, 80,
                                     {Control(kCount, L"EDIT", L"", 7, 7, 60, 12, WS_TABSTOP),
                                      Control(kScale, L"EDIT", L"", 7, 23, 60, 12, WS_TABSTOP),
                                      Control(kName, L"EDIT", L"", 7, 39, 60, 12, WS_TABSTOP),
                                      Control(IDOK, L"BUTTON", L"OK", 90, 7, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 90, 24, 50, 14, WS_TABSTOP)}));
  }
  // One run of an application: in another process, types the values, moves the dialog and
  // ends it with OK or Cancel.
  int RunElsewhere(const char* end, const char* count, const char* name, int x, int y) {
    return orv::test::RunTestInChildProcess("SigDialogTest.DISABLED_OneRun",
                                            {{"ORV_SIG_REGISTRY", registry_.UserFile()}, {"ORV_SIG_END", end},
                                             {"ORV_SIG_COUNT", count}, {"ORV_SIG_NAME", name},
                                             {"ORV_SIG_PLACE", std::to_string(x) + "," + std::to_string(y)}});
  }
  ScopedResources resources_;
  orv::test::TempRegistry registry_;
};

TEST_F(SigDialogTest, DISABLED_OneRun) {
  const char* file = std::getenv("ORV_SIG_REGISTRY");
  ASSERT_NE(file, nullptr);
  orv::SetRegistryRootFile(HKEY_CURRENT_USER, file);
  int x = 0, y = 0;
  ASSERT_EQ(std::sscanf(std::getenv("ORV_SIG_PLACE"), "%d,%d", &x, &y), 2);
  ParamsDialog dialog;
  RunModal(dialog, [&](DialogDriver& d) {
    d.ReplaceText(kCount, CString(std::getenv("ORV_SIG_COUNT")));
    d.ReplaceText(kScale, L"0.25");
    d.ReplaceText(kName, CString(std::getenv("ORV_SIG_NAME")));
    CWnd::FromHandle(d.Dialog())->SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (std::string(std::getenv("ORV_SIG_END")) == "ok") d.Click(IDOK);
  });
}

TEST_F(SigDialogTest, ValuesAndPlaceSurviveIntoTheNextRunAfterOkAndAfterCancel) {
  Shown first;
  ParamsDialog fresh;  // nothing stored yet: the defaults, and the window where it opens
  RunModal(fresh, [&](DialogDriver& d) { first = ShownBy(d); });
  EXPECT_EQ(first.count, L"10");
  EXPECT_EQ(first.name, L"M31");
  EXPECT_EQ(fresh.m_dScale, 1.5);

  ASSERT_EQ(RunElsewhere("ok", "17", "M42", 120, 80), 0);
  ASSERT_EQ(RunElsewhere("cancel", "99", "NGC 7000", 200, 150), 0);  // keeps the values, moves the place
  ParamsDialog next;
  RunModal(next, [&](DialogDriver& d) {
    Shown shown = ShownBy(d);
    EXPECT_EQ(shown.count, L"17");
    EXPECT_EQ(shown.name, L"M42");
    EXPECT_EQ(shown.place, CPoint(200, 150));
  });
  EXPECT_EQ(next.m_dScale, 0.25);
}

TEST_F(SigDialogTest, ADialogWithoutItsOwnUpdateRegistryKeepsNothing) {
  ParamsDialog plain(false);
  RunModal(plain, [](DialogDriver& d) { d.Click(IDOK); });
  CString subkey;
  EXPECT_FALSE(CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 0, L"", subkey) &&
               CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 1, L"", subkey));
  CRegistry::GetRegEnumKey(HKEY_CURRENT_USER, 3, L"", subkey);
}

}  // namespace
