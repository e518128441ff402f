// The styled button's drawing in each of its states, exact to the pixel, and the CRegistry
// forms for a dialog that sits inside another window.
#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/TestDriver.h"
#include "sibling/orvcst/LumButton.h"
#include "sibling/orvcst/LumDialog.h"
#include "sibling/orvreg/Registry.h"
#include "support/DialogTemplates.h"
#include "support/PixelChecks.h"
#include "support/ShownDialog.h"
#include "support/TempRegistry.h"

namespace {

using orv::test::RunModal;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 32101;
constexpr int kButton = 2101;
constexpr COLORREF kText = RGB(196, 196, 196), kFace = RGB(107, 107, 107), kFrame = RGB(0, 0, 255);

// Draws the button onto a bitmap of its own, as WM_DRAWITEM would, with a given state.
struct Drawn {
  CDC dc;
  CBitmap bitmap;
  Drawn(CLumButton& button, UINT state, int width, int height) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    DRAWITEMSTRUCT item{ODT_BUTTON, kButton, 0, ODA_DRAWENTIRE, state, button.m_hWnd, &dc,
                        RECT{0, 0, width, height}, 0};
    button.DrawItem(&item);
  }
  COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
};

class LumButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Buttons", 120, 60, {Control(kButton, L"BUTTON", L"", 10, 10, 60, 14, WS_TABSTOP)}));
    ASSERT_TRUE(dialog_.Create(kTemplate));
    ASSERT_TRUE(button_.Attach(kButton, &dialog_, 0, kText, kFace, kFrame, 2));
  }
  void TearDown() override {
    dialog_.DestroyWindow();
    orv::ui::test::ProcessEvents();
  }
  ScopedResources resources_;
  CLumDialog dialog_{kTemplate};
  CLumButton button_;
};

TEST_F(LumButtonTest, AttachingMakesTheButtonOwnerDrawnWithTheGivenColours) {
  EXPECT_EQ(button_.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(button_.GetTextColor(), kText);
  EXPECT_EQ(button_.GetFaceColor(), kFace);
  EXPECT_EQ(button_.GetFrameColor(), kFrame);
  EXPECT_EQ(button_.GetFrameWidth(), 2u);
  CLumButton second;
  EXPECT_FALSE(second.Attach(kButton, &dialog_));  // the control has its object already
  EXPECT_FALSE(second.Attach(9999, &dialog_));     // no such control
}

TEST_F(LumButtonTest, StatesDrawFaceFrameAndFocusExactly) {
  struct Row {
    UINT state;
    COLORREF face;
    COLORREF focusDot;  // the focus rectangle's first dot, inside the frame
  } rows[] = {
      {0, kFace, kFace},
      {ODS_SELECTED, RGB(80, 80, 80), RGB(80, 80, 80)},
      {ODS_FOCUS, kFace, kText},
      {ODS_FOCUS | ODS_SELECTED, RGB(80, 80, 80), kText},
  };
  for (const Row& r : rows) {
    Drawn d(button_, r.state, 40, 20);
    // Two frame rings, the face, then the focus rectangle's dots on every other pixel.
    EXPECT_EQ((std::vector<COLORREF>{d.At(0, 0), d.At(1, 1), d.At(39, 19), d.At(2, 3), d.At(4, 4), d.At(5, 4)}),
              (std::vector<COLORREF>{kFrame, kFrame, kFrame, r.face, r.focusDot, r.face}))
        << "state " << r.state;
  }
}

TEST_F(LumButtonTest, AFrameWiderThanTheButtonStopsAtItsMiddle) {
  button_.SetColors(kText, kFace, kFrame, 50);
  Drawn d(button_, 0, 6, 4);
  EXPECT_TRUE(orv::test::EveryPixel(6, 4, [&d](int x, int y) { return d.At(x, y); }, [](int, int) { return kFrame; }));
}

class HookedFileDialog : public CFileDialog {
public:
  HookedFileDialog() : CFileDialog(TRUE) {}
  CRect frame;

protected:
  BOOL OnInitDialog() override {
    CFileDialog::OnInitDialog();
    GetParent()->SetWindowPos(nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetParent()->GetWindowRect(&frame);
    CRegistry::Write(L"Dialog\\FileOpen", L"WindowPos", this);
    return TRUE;
  }
};

TEST(RegistryDialogPositionTest, ADialogInsideAFrameKeepsThePlaceOfTheFrame) {
  orv::test::TempRegistry registry;
  HookedFileDialog dialog;
  RunModal(dialog, [](orv::ui::test::DialogDriver& d) { d.Click(IDCANCEL); });
  CRect stored;
  ASSERT_TRUE(CRegistry::UpdateReg(L"Dialog\\FileOpen", L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored, dialog.frame);
  EXPECT_EQ(stored.TopLeft(), CPoint(40, 50));
  EXPECT_EQ(CRegistry::Write(L"Dialog\\FileOpen", L"WindowPos", static_cast<CDialog*>(nullptr)), 0);
  EXPECT_EQ(CRegistry::Read(L"Dialog\\FileOpen", L"WindowPos", &dialog), 0);  // no window any more
}

}  // namespace
