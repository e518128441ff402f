// Details of the common dialogs: the colour chooser's hue/saturation/luminance fields, its
// colour field and luminance bar under the mouse, the custom boxes; the file dialog's
// structure fields and starting folder; the folder chooser's messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/ui/ColorDialog.h"
#include "platform/ui/ColorSpace.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ShellBrowse.h"
#include "platform/ui/TestDriver.h"
#include "support/ShownDialog.h"
#include "support/TempDir.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using orv::ui::test::ModalScripts;

// ---------------------------------------------------------------------------- colour chooser

TEST(ColorChooserDetailsTest, HueSaturationLuminanceFieldsSetTheColour) {
  CColorDialog dialog(RGB(255, 0, 0), CC_RGBINIT);
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    d.ReplaceText(CColorDialog::kHueEdit, L"160");  // red's saturation and luminance, blue's hue
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"0");
    EXPECT_EQ(d.Text(CColorDialog::kGreenEdit), L"0");
    EXPECT_EQ(d.Text(CColorDialog::kBlueEdit), L"255");
    d.ReplaceText(CColorDialog::kLumEdit, L"240");  // all the way up: white
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"255");
    d.ReplaceText(CColorDialog::kRedEdit, L"999");  // held at the top of the range
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"240");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(255, 255, 255));
}

TEST(ColorChooserDetailsTest, TheColourFieldAndTheLuminanceBarPickUnderTheMouse) {
  CColorDialog dialog(RGB(255, 0, 0), CC_RGBINIT);
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    CRect field(152, 4, 270, 120), bar(276, 4, 284, 120);
    dialog.MapDialogRect(&field);
    dialog.MapDialogRect(&bar);
    // The top edge of the field is full saturation; its right end the last hue.
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(field.right - 1), static_cast<WORD>(field.top)));
    EXPECT_EQ(d.Text(CColorDialog::kHueEdit), L"239");
    EXPECT_EQ(d.Text(CColorDialog::kSatEdit), L"240");
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"120");
    // Dragging down the luminance bar to its bottom: black.
    dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(bar.left + 1), static_cast<WORD>(bar.bottom - 1)));
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"0");
    // Moving without the button pressed picks nothing.
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(bar.left + 1), static_cast<WORD>(bar.top)));
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"0");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 0));
}

TEST(ColorChooserDetailsTest, AddingGoesIntoTheChosenCustomBoxThenTheNext) {
  COLORREF custom[16];
  for (COLORREF& c : custom) c = RGB(9, 9, 9);
  CColorDialog dialog(RGB(1, 2, 3), CC_RGBINIT);
  dialog.m_cc.lpCustColors = custom;
  RunModal(dialog, [](DialogDriver& d) {
    d.Click(CColorDialog::kCustomFirst + 14);  // picks that box (and its colour)
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"9");
    d.Click(CColorDialog::kBasicFirst);  // a basic colour
    d.Click(CColorDialog::kAddCustom);   // into box 14
    d.Click(CColorDialog::kBasicFirst + 1);
    d.Click(CColorDialog::kAddCustom);  // into box 15
    d.Click(CColorDialog::kBasicFirst + 2);
    d.Click(CColorDialog::kAddCustom);  // round to box 0
    d.Click(IDOK);
  });
  EXPECT_EQ(custom[14], CColorDialog::kBasicColors[0]);
  EXPECT_EQ(custom[15], CColorDialog::kBasicColors[1]);
  EXPECT_EQ(custom[0], CColorDialog::kBasicColors[2]);
  EXPECT_EQ(custom[1], RGB(9, 9, 9));
}

// ---------------------------------------------------------------------------- file dialog

class FileDialogDetailsTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_.File("data"));
    std::ofstream(dir_.File("data/m31.fits")) << "x";
  }
  orv::test::TempDir dir_;
};

TEST_F(FileDialogDetailsTest, StartsInTheInitialNamesFolderAndFillsTheStructure) {
  CString initial = CString(dir_.File("data/m31.fits").c_str());
  CFileDialog dialog(TRUE, nullptr, initial, 0, L"FITS|*.fits||");
  wchar_t title[16] = L"";
  dialog.GetOFN().lpstrFileTitle = title;
  dialog.GetOFN().nMaxFileTitle = 16;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.Text(CFileDialog::kFolderText), CString(dir_.File("data").c_str()));
    EXPECT_EQ(d.Text(CFileDialog::kFileNameEdit), L"m31.fits");
    EXPECT_TRUE(d.IsVisible(CFileDialog::kReadOnlyCheck));
    EXPECT_FALSE(d.IsVisible(CFileDialog::kHelpButton));
    d.Click(CFileDialog::kReadOnlyCheck);
    d.Click(IDOK);
  }), IDOK);
  const OPENFILENAME& ofn = dialog.GetOFN();
  std::wstring path = ofn.lpstrFile;
  EXPECT_EQ(path, CString(initial).str());
  EXPECT_EQ(path.substr(ofn.nFileOffset), L"m31.fits");
  EXPECT_EQ(path.substr(ofn.nFileExtension), L"fits");
  EXPECT_EQ(std::wstring(title), L"m31.fits");
  EXPECT_TRUE(dialog.GetReadOnlyPref());
}

TEST_F(FileDialogDetailsTest, ATitleTooLongForItsBufferIsCut) {
  CFileDialog dialog(TRUE, nullptr, CString(dir_.File("data/m31.fits").c_str()), OFN_HIDEREADONLY);
  wchar_t title[4] = L"";
  dialog.GetOFN().lpstrFileTitle = title;
  dialog.GetOFN().nMaxFileTitle = 4;
  dialog.GetOFN().lpstrTitle = L"Load an image";
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    CString caption;
    CWnd::FromHandle(d.Dialog())->GetWindowText(caption);
    EXPECT_EQ(caption, L"Load an image");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(std::wstring(title), L"m31");
}

// ---------------------------------------------------------------------------- folder chooser

struct ChooserProbe {
  std::wstring outside;
  BOOL outsideSelected = TRUE;
};

int ProbeCallback(HWND hwnd, UINT message, LPARAM, LPARAM data) {
  auto* probe = reinterpret_cast<ChooserProbe*>(data);
  if (message != BFFM_INITIALIZED) return 0;
  probe->outsideSelected = static_cast<BOOL>(
      SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(probe->outside.c_str())));
  SendMessageW(hwnd, BFFM_SETOKTEXT, 0, reinterpret_cast<LPARAM>(L"Choose"));
  SendMessageW(hwnd, BFFM_ENABLEOK, 0, FALSE);
  return 0;
}

TEST_F(FileDialogDetailsTest, TheChooserTakesItsMessagesAndStaysInsideItsRoot) {
  ChooserProbe probe;
  probe.outside = L"/";
  PIDLIST_ABSOLUTE root = ILCreateFromPathW(CString(dir_.Path().c_str()));
  wchar_t name[MAX_PATH] = L"untouched";
  BROWSEINFOW info{nullptr, root, name, L"", 0, &ProbeCallback, reinterpret_cast<LPARAM>(&probe), 0};
  ModalScripts scripts;
  scripts.Add([](DialogDriver& d) {
    EXPECT_EQ(d.Text(IDOK), L"Choose");
    EXPECT_FALSE(d.Click(IDOK));  // disabled by the callback
    EXPECT_TRUE(d.Click(IDCANCEL));
  });
  EXPECT_EQ(SHBrowseForFolderW(&info), nullptr);
  EXPECT_FALSE(probe.outsideSelected);  // "/" is not below the root
  EXPECT_EQ(std::wstring(name), L"untouched");
  ILFree(root);
}

TEST(ShellPathsTest, APathLongerThanTheBufferIsRefusedWholly) {
  orv::test::TempDir dir;
  std::filesystem::path deep = dir.Path();
  for (int i = 0; i < 3; ++i) deep /= std::string(100, static_cast<char>('a' + i));
  std::filesystem::create_directories(deep);
  ASSERT_GT(deep.wstring().size(), static_cast<std::size_t>(MAX_PATH));
  PIDLIST_ABSOLUTE list = ILCreateFromPathW(deep.wstring().c_str());
  ASSERT_NE(list, nullptr);  // a list may name any existing path
  wchar_t path[MAX_PATH] = L"x";
  EXPECT_FALSE(SHGetPathFromIDListW(list, path));  // only turning it back is bounded
  EXPECT_EQ(path[0], L'\0');
  ILFree(list);
}

}  // namespace
