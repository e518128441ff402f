// The colour picker's sixteen custom colours in the registry: read at construction, stored on
// OK under the letters "ABCDEFGHIJKLNMOP", untouched by Cancel, and the same in a new process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/ui/TestDriver.h"
#include "sibling/orvcst/LumColorDialog.h"
#include "sibling/orvreg/Registry.h"
#include "support/ChildProcess.h"
#include "support/TempRegistry.h"
#include "support/WindowReads.h"

namespace {

using orv::ui::test::DialogDriver;

constexpr const char* kChildRegistry = "ORV_PICKER_CHILD_REGISTRY";

DWORD Stored(const wchar_t* name) {
  DWORD value = 0xDEAD;
  CRegistry::Read(L"Color", name, 0xDEAD, &value);
  return value;
}

// Fills custom boxes 0..12 with the start colour and box 13 with blue, picks red and closes.
void PickIntoBoxes(CLumColorDialog& picker, int button) {
  orv::ui::test::ModalScripts scripts;
  scripts.Add([&](DialogDriver& d) {
    EXPECT_EQ(picker.GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    EXPECT_EQ(orv::test::WindowText(picker), picker.m_strTitle.IsEmpty() ? CString(L"Color") : picker.m_strTitle);
    for (int i = 0; i < 13; ++i) d.Click(CColorDialog::kAddCustom);
    d.Click(CColorDialog::kBasicFirst + 28);
    d.Click(CColorDialog::kAddCustom);
    d.Click(CColorDialog::kBasicFirst + 8);
    d.Click(button);
  });
  picker.DoModal();
}

TEST(LumColorDialogTest, CustomColoursAreStoredOnOkOnlyUnderTheirLetters) {
  orv::test::TempRegistry registry;
  CLumColorDialog first;
  for (COLORREF c : first.m_crCustom) EXPECT_EQ(c, 0xFFFFFFu);  // nothing stored: white
  PickIntoBoxes(first, IDCANCEL);
  EXPECT_EQ(Stored(L"CustomColorA"), 0xDEADu);

  CLumColorDialog second(RGB(1, 2, 3));
  second.m_strTitle = L"線の色";
  PickIntoBoxes(second, IDOK);
  EXPECT_EQ(second.GetColor(), RGB(255, 0, 0));
  // Colour 13 under M, 12 under N, and the unchanged whites stored too.
  EXPECT_EQ((std::vector<DWORD>{Stored(L"CustomColorA"), Stored(L"CustomColorM"), Stored(L"CustomColorN"),
                                Stored(L"CustomColorP")}),
            (std::vector<DWORD>{RGB(1, 2, 3), RGB(0, 0, 255), RGB(1, 2, 3), 0xFFFFFFu}));
}

// The picker used in one process, its custom colours looked at in another.
TEST(LumColorDialogTest, CustomColoursSurviveIntoANewProcess) {
  if (const char* folder = std::getenv(kChildRegistry)) {  // the child: pick and store
    orv::SetRegistryRootFile(HKEY_CURRENT_USER, std::string(folder) + "/user.db");
    CLumColorDialog picker(RGB(10, 20, 30));
    PickIntoBoxes(picker, IDOK);
    return;
  }
  orv::test::TempRegistry registry;
  ASSERT_EQ(orv::test::RunTestInChildProcess("LumColorDialogTest.CustomColoursSurviveIntoANewProcess",
                                              {{kChildRegistry, registry.Folder()}}),
            0);
  CLumColorDialog picker;
  for (int i = 0; i < 13; ++i) EXPECT_EQ(picker.m_crCustom[i], RGB(10, 20, 30)) << i;
  EXPECT_EQ(picker.m_crCustom[13], RGB(0, 0, 255));
  EXPECT_EQ(picker.m_crCustom[14], 0xFFFFFFu);
}

}  // namespace
