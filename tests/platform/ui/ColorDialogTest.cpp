// The colour chooser: the caller's custom colours, the starting colour, the values the
// edits show and take (hue, saturation and luminance too), the colour field and luminance
// bar under the mouse, confirmation through OnColorOK, and the sample it paints.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "platform/ui/ColorDialog.h"
#include "platform/ui/ColorSpace.h"
#include "platform/ui/TestDriver.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using orv::test::Pixels;
using orv::test::RunModal;
using orv::ui::test::DialogDriver;

constexpr int kRgbEdits[] = {CColorDialog::kRedEdit, CColorDialog::kGreenEdit, CColorDialog::kBlueEdit};
constexpr int kHslEdits[] = {CColorDialog::kHueEdit, CColorDialog::kSatEdit, CColorDialog::kLumEdit};

std::vector<CString> Texts(DialogDriver& d, const int (&ids)[3]) {
  return {d.Text(ids[0]), d.Text(ids[1]), d.Text(ids[2])};
}

TEST(ColorSpaceTest, HueLuminanceSaturationOnTheScaleOf240) {
  struct Row {
    COLORREF rgb;
    WORD h, l, s;
  } rows[] = {
      {RGB(255, 0, 0), 0, 120, 240},     {RGB(0, 255, 0), 80, 120, 240},   {RGB(0, 0, 255), 160, 120, 240},
      {RGB(255, 255, 255), 160, 240, 0}, {RGB(0, 0, 0), 160, 0, 0},        {RGB(127, 127, 127), 160, 120, 0},
      {RGB(255, 255, 0), 40, 120, 240},  {RGB(128, 0, 64), 220, 60, 240},
  };
  for (const Row& r : rows) {
    WORD h = 9999, l = 9999, s = 9999;
    ColorRGBToHLS(r.rgb, &h, &l, &s);
    EXPECT_EQ(std::tuple(h, l, s), std::tuple(r.h, r.l, r.s)) << std::hex << r.rgb;
    EXPECT_EQ(ColorHLSToRGB(r.h, r.l, r.s), r.rgb) << std::hex << r.rgb;
  }
}

class ColorDialogTest : public ::testing::Test {
protected:
  COLORREF custom_[16] = {};
  void SetUp() override {
    for (int i = 0; i < 16; ++i) custom_[i] = RGB(i, i, i);
  }
};

TEST_F(ColorDialogTest, StartsOnTheGivenColourAndReturnsTheEditedOne) {
  CColorDialog dialog(RGB(10, 20, 30), CC_RGBINIT);
  dialog.m_cc.lpCustColors = custom_;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    EXPECT_EQ(Texts(d, kRgbEdits), (std::vector<CString>{L"10", L"20", L"30"}));
    d.ReplaceText(CColorDialog::kRedEdit, L"200");
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"200");
    EXPECT_EQ(d.Text(CColorDialog::kHueEdit), L"238");  // the other values follow
    d.Click(CColorDialog::kAddCustom);
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(200, 20, 30));
  EXPECT_EQ(custom_[0], RGB(200, 20, 30));  // the caller's array, written on OK
  EXPECT_EQ(custom_[1], RGB(1, 1, 1));
}

TEST_F(ColorDialogTest, CancelLeavesTheCallersColoursAlone) {
  CColorDialog dialog(RGB(10, 20, 30), CC_RGBINIT);
  dialog.m_cc.lpCustColors = custom_;
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    d.Click(CColorDialog::kBasicFirst + 8);  // pure red
    d.Click(CColorDialog::kAddCustom);
    d.Click(IDCANCEL);
  }), IDCANCEL);
  EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(custom_[0], RGB(0, 0, 0));
}

TEST_F(ColorDialogTest, WithoutRgbInitTheChooserStartsOnBlack) {
  CColorDialog dialog(RGB(10, 20, 30));
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"0");
    d.Click(CColorDialog::kBasicFirst + 8);
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(255, 0, 0));
  EXPECT_EQ(dialog.m_cc.lpCustColors[5], RGB(255, 255, 255));  // its own colours start white
}

class PickyColorDialog : public CColorDialog {
public:
  int asked = 0;
  bool titleHadHelp = false;

protected:
  BOOL OnInitDialog() override {
    CColorDialog::OnInitDialog();
    titleHadHelp = (GetExStyle() & WS_EX_CONTEXTHELP) != 0;
    ModifyStyleEx(WS_EX_CONTEXTHELP, 0);
    SetWindowText(L"Line colour");
    return TRUE;
  }
  BOOL OnColorOK() override { return ++asked == 1; }  // refuses once
};

TEST_F(ColorDialogTest, OnColorOkMayKeepTheChooserOpen) {
  PickyColorDialog dialog;
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(orv::test::WindowText(dialog), L"Line colour");
    EXPECT_EQ(dialog.GetExStyle() & WS_EX_CONTEXTHELP, 0u);
    d.Click(IDOK);
    EXPECT_TRUE(d.IsOpen());
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.asked, 2);
  EXPECT_TRUE(dialog.titleHadHelp);
}

TEST_F(ColorDialogTest, TheSampleShowsTheCurrentColour) {
  CColorDialog dialog(RGB(12, 34, 56), CC_RGBINIT);
  RunModal(dialog, [&](DialogDriver& d) {
    const CPoint c = Pixels(dialog, {152, 124, 190, 150}).CenterPoint();
    orv::gdi::Surface s = d.PaintClient();
    EXPECT_EQ(s.PixelColor(c.x, c.y), RGB(12, 34, 56));
    d.Click(CColorDialog::kBasicFirst + 28);  // pure blue
    s = d.PaintClient();
    EXPECT_EQ(s.PixelColor(c.x, c.y), RGB(0, 0, 255));
    d.Click(IDCANCEL);
  });
}

TEST_F(ColorDialogTest, HueSaturationLuminanceFieldsSetTheColour) {
  CColorDialog dialog(RGB(255, 0, 0), CC_RGBINIT);
  EXPECT_EQ(RunModal(dialog, [](DialogDriver& d) {
    d.ReplaceText(CColorDialog::kHueEdit, L"160");  // red's saturation and luminance, blue's hue
    EXPECT_EQ(Texts(d, kRgbEdits), (std::vector<CString>{L"0", L"0", L"255"}));
    d.ReplaceText(CColorDialog::kLumEdit, L"240");  // all the way up: white
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"255");
    d.ReplaceText(CColorDialog::kRedEdit, L"999");  // held at the top of the range
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"240");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(255, 255, 255));
}

TEST_F(ColorDialogTest, TheColourFieldAndTheLuminanceBarPickUnderTheMouse) {
  CColorDialog dialog(RGB(255, 0, 0), CC_RGBINIT);
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    const CRect field = Pixels(dialog, {152, 4, 270, 120}), bar = Pixels(dialog, {276, 4, 284, 120});
    auto at = [](LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); };
    // The top edge of the field is full saturation; its right end the last hue.
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(field.right - 1, field.top));
    EXPECT_EQ(Texts(d, kHslEdits), (std::vector<CString>{L"239", L"240", L"120"}));
    // Dragging down the luminance bar to its bottom: black.
    dialog.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(bar.left + 1, bar.bottom - 1));
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"0");
    // Moving without the button pressed picks nothing.
    dialog.SendMessage(WM_MOUSEMOVE, 0, at(bar.left + 1, bar.top));
    EXPECT_EQ(d.Text(CColorDialog::kLumEdit), L"0");
    d.Click(IDOK);
  }), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(0, 0, 0));
}

TEST_F(ColorDialogTest, AddingGoesIntoTheChosenCustomBoxThenTheNext) {
  CColorDialog dialog(RGB(1, 2, 3), CC_RGBINIT);
  dialog.m_cc.lpCustColors = custom_;
  RunModal(dialog, [](DialogDriver& d) {
    d.Click(CColorDialog::kCustomFirst + 14);  // picks that box (and its colour)
    EXPECT_EQ(d.Text(CColorDialog::kRedEdit), L"14");
    d.Click(CColorDialog::kBasicFirst);  // a basic colour
    d.Click(CColorDialog::kAddCustom);   // into box 14
    d.Click(CColorDialog::kBasicFirst + 1);
    d.Click(CColorDialog::kAddCustom);  // into box 15
    d.Click(CColorDialog::kBasicFirst + 2);
    d.Click(CColorDialog::kAddCustom);  // round to box 0
    d.Click(IDOK);
  });
  EXPECT_EQ((std::vector<COLORREF>{custom_[14], custom_[15], custom_[0], custom_[1]}),
            (std::vector<COLORREF>{CColorDialog::kBasicColors[0], CColorDialog::kBasicColors[1],
                                   CColorDialog::kBasicColors[2], RGB(1, 1, 1)}));
}

}  // namespace
