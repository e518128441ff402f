// The styled dialog base and controls: the night background and its pixels, the styled
// buttons' colours and their drawing in each state, exact to the pixel, the look the scheme
// gives controls, the theme switch, and the window position kept under the dialog's
// registry key (for a dialog inside another window's frame too).
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Appearance.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/TestDriver.h"
#include "sibling/orvcst/LumControls.h"
#include "sibling/orvcst/LumDialog.h"
#include "sibling/orvcst/LumTheme.h"
#include "sibling/orvreg/Registry.h"
#include "support/DialogTemplates.h"
#include "support/PixelChecks.h"
#include "support/ShownDialog.h"
#include "support/TempRegistry.h"
#include "support/WindowReads.h"

namespace {

using orv::test::RunModal;
using orv::test::WindowRect;
using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 32001;
constexpr int kLabel = 2001, kEdit = 2002, kTree = 2003, kSwatch = 2004, kBlank = 2005;
constexpr COLORREF kText = RGB(196, 196, 196), kFace = RGB(107, 107, 107), kFrame = RGB(0, 0, 255);

class StyledDialog : public CLumDialog {
public:
  explicit StyledDialog(int scheme) : CLumDialog(kTemplate) { m_nColorScheme = scheme; }
  CLumButton m_swatch;
  CLumEdit m_edit;
  CLumStatic m_label;
  CLumTreeCtrl m_tree;
  void AttachControls() override {
    CLumDialog::AttachControls();
    m_swatch.Attach(kSwatch, this, 0, kText, kFace, kText, 1);
    m_edit.Attach(kEdit, this);
    m_label.Attach(kLabel, this);
    m_tree.Attach(kTree, this);
  }
};

// The text and background colours the scheme gives a control (CLR_INVALID: the system's).
std::pair<COLORREF, COLORREF> ControlColors(HWND control) {
  COLORREF text = 0, back = 0;
  EXPECT_TRUE(orv::ui::GetControlColors(control, &text, &back));
  return {text, back};
}

class LumDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Styled", 160, 100,
                                     {Control(kLabel, L"STATIC", L"&Name:", 7, 7, 40, 8, SS_LEFT),
                                      Control(kEdit, L"EDIT", L"", 50, 5, 60, 12, WS_TABSTOP, WS_EX_CLIENTEDGE),
                                      Control(kTree, L"SysTreeView32", L"", 7, 20, 80, 40, WS_TABSTOP),
                                      Control(kSwatch, L"BUTTON", L"Swatch", 95, 40, 50, 14, WS_TABSTOP),
                                      Control(kBlank, L"BUTTON", L"", 95, 22, 50, 14, WS_TABSTOP),
                                      Control(IDOK, L"BUTTON", L"OK", 95, 64, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 95, 80, 50, 14, WS_TABSTOP)}));
  }
  ScopedResources resources_;
  orv::test::TempRegistry registry_;
};

TEST_F(LumDialogTest, TheSchemeGivesTheBackgroundAndTheControlsTheirLook) {
  struct Row {
    int scheme, control;
    COLORREF background;
    std::pair<COLORREF, COLORREF> colors;
  } rows[] = {{0, kLabel, CLumDialogBase::kNightBackground, {CLumDialogBase::kNightText, CLR_INVALID}},
              {1, kEdit, GetSysColor(COLOR_3DFACE), {CLR_INVALID, CLR_INVALID}}};  // another scheme: the system look
  for (const Row& r : rows) {
    StyledDialog dialog(r.scheme);
    RunModal(dialog, [&](DialogDriver& d) {
      if (r.scheme != 0) dialog.AttachControls();
      orv::gdi::Surface s = d.PaintClient();
      EXPECT_EQ(s.PixelColor(0, 0), r.background) << r.scheme;
      EXPECT_EQ(s.PixelColor(s.Width() - 1, s.Height() - 1), r.background) << r.scheme;
      EXPECT_EQ(ControlColors(d.Item(r.control)), r.colors) << r.scheme;
      d.Click(IDCANCEL);
    });
  }
}

TEST_F(LumDialogTest, AttachedControlsTakeTheNightLookAndTheButtonsItsColours) {
  StyledDialog dialog(0);
  EXPECT_EQ(RunModal(dialog, [&](DialogDriver& d) {
    dialog.AttachControls();
    auto* ok = dynamic_cast<CLumButton*>(CWnd::FromHandlePermanent(d.Item(IDOK)));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(ok->GetFaceColor(), CLumDialog::kNightButtonFace);
    EXPECT_EQ(ControlColors(d.Item(kEdit)), std::pair(CLumDialogBase::kNightText, CLumDialogBase::kNightField));
    orv::ui::test::ProcessEvents();
    CClientDC dc(&dialog.m_swatch);
    const CRect r = orv::test::ClientRect(dialog.m_swatch);
    // The frame at both corners, the face inside.
    EXPECT_EQ((std::vector<COLORREF>{dc.GetPixel(0, 0), dc.GetPixel(r.right - 1, r.bottom - 1), dc.GetPixel(1, 1)}),
              (std::vector<COLORREF>{kText, kText, kFace}));
    dialog.m_swatch.SetState(TRUE);
    orv::ui::test::ProcessEvents();
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(80, 80, 80));  // pressed: three quarters of the face
    d.Click(IDOK);
  }), IDOK);
}

TEST_F(LumDialogTest, ThemeOffAndOnAgain) {
  StyledDialog dialog(0);
  RunModal(dialog, [&](DialogDriver& d) {
    HWND tree = d.Item(kTree);
    EXPECT_TRUE(orv::ui::IsWindowThemed(tree));
    EXPECT_EQ(CLumTheme::SetWindowTheme(tree, L"", L""), 0);
    EXPECT_FALSE(orv::ui::IsWindowThemed(tree));
    EXPECT_EQ(CLumTheme::SetWindowTheme(tree, nullptr, nullptr), 0);
    EXPECT_TRUE(orv::ui::IsWindowThemed(tree));
    d.Click(IDCANCEL);
  });
  EXPECT_EQ(CLumTheme::SetWindowTheme(nullptr, L"", L""), static_cast<HRESULT>(0x80070057));
}

TEST_F(LumDialogTest, DrawBackgroundFramesAPanelOnRequest) {
  CLumDialogBase base;
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(10, 8, 1, 32, nullptr));
  dc.SelectObject(&bitmap);
  dc.SetBkColor(RGB(1, 2, 3));
  CRect r(2, 2, 8, 6);
  base.DrawBackground(&dc, &r, CLumDialogBase::kPanelEdge);
  // The edge at both corners, the background inside, nothing outside the rectangle.
  EXPECT_EQ((std::vector<COLORREF>{dc.GetPixel(2, 2), dc.GetPixel(7, 5), dc.GetPixel(3, 3), dc.GetPixel(1, 1)}),
            (std::vector<COLORREF>{CLumDialogBase::kNightEdge, CLumDialogBase::kNightEdge,
                                   CLumDialogBase::kNightBackground, RGB(0, 0, 0)}));
  EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
}

TEST_F(LumDialogTest, TheWindowComesBackWhereItWasUnderTheRegistryKey) {
  CRect first;
  {
    StyledDialog dialog(1);
    dialog.m_strRegKey = L"Dialog\\Styled";
    RunModal(dialog, [&](DialogDriver& d) {
      first = WindowRect(dialog);  // nothing stored: the template's place
      dialog.SetWindowPos(nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      d.Click(IDCANCEL);  // stored on the way out, OK or Cancel alike
    });
  }
  CRect stored;
  ASSERT_TRUE(CRegistry::UpdateReg(L"Dialog\\Styled", L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored, CRect(CPoint(100, 120), first.Size()));
  StyledDialog again(1);
  again.m_strRegKey = L"Dialog\\Styled";
  RunModal(again, [&](DialogDriver& d) {
    EXPECT_EQ(WindowRect(again).TopLeft(), CPoint(100, 120));
    d.Click(IDCANCEL);
  });
}

TEST_F(LumDialogTest, APlaceOffTheScreenIsPulledBackOntoIt) {
  CRect far(9000, 9000, 9300, 9200);
  CRegistry::UpdateReg(L"Dialog\\Far", L"WindowPos", CRect(), far, 1);
  StyledDialog dialog(1);
  dialog.m_strRegKey = L"Dialog\\Far";
  RunModal(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(WindowRect(dialog).BottomRight(), CPoint(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    d.Click(IDCANCEL);
  });
}

class HookedFileDialog : public CFileDialog {
public:
  HookedFileDialog() : CFileDialog(TRUE) {}
  CRect frame;

protected:
  BOOL OnInitDialog() override {
    CFileDialog::OnInitDialog();
    GetParent()->SetWindowPos(nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    frame = WindowRect(*GetParent());
    CRegistry::Write(L"Dialog\\FileOpen", L"WindowPos", this);
    return TRUE;
  }
};

TEST_F(LumDialogTest, ADialogInsideAFrameKeepsThePlaceOfTheFrame) {
  HookedFileDialog dialog;
  RunModal(dialog, [](DialogDriver& d) { d.Click(IDCANCEL); });
  CRect stored;
  ASSERT_TRUE(CRegistry::UpdateReg(L"Dialog\\FileOpen", L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored, dialog.frame);
  EXPECT_EQ(stored.TopLeft(), CPoint(40, 50));
  EXPECT_EQ(CRegistry::Write(L"Dialog\\FileOpen", L"WindowPos", static_cast<CDialog*>(nullptr)), 0);
  EXPECT_EQ(CRegistry::Read(L"Dialog\\FileOpen", L"WindowPos", &dialog), 0);  // no window any more
}

// Draws the button onto a bitmap of its own, as WM_DRAWITEM would, with a given state.
struct Drawn {
  CDC dc;
  CBitmap bitmap;
  Drawn(CLumButton& button, UINT state, int width, int height) {
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateBitmap(width, height, 1, 32, nullptr);
    dc.SelectObject(&bitmap);
    DRAWITEMSTRUCT item{ODT_BUTTON, kBlank, 0, ODA_DRAWENTIRE, state, button.m_hWnd, &dc, RECT{0, 0, width, height}, 0};
    button.DrawItem(&item);
  }
  COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
};

// A styled button on a shown, text-less control of a plain styled dialog.
class LumButtonTest : public LumDialogTest {
protected:
  void SetUp() override {
    LumDialogTest::SetUp();
    ASSERT_TRUE(dialog_.Create(kTemplate));
    ASSERT_TRUE(button_.Attach(kBlank, &dialog_, 0, kText, kFace, kFrame, 2));
  }
  void TearDown() override {
    dialog_.DestroyWindow();
    orv::ui::test::ProcessEvents();
  }
  CLumDialog dialog_{kTemplate};
  CLumButton button_;
};

TEST_F(LumButtonTest, AttachingMakesTheButtonOwnerDrawnWithTheGivenColours) {
  EXPECT_EQ(button_.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(
      std::tuple(button_.GetTextColor(), button_.GetFaceColor(), button_.GetFrameColor(), button_.GetFrameWidth()),
      std::tuple(kText, kFace, kFrame, 2u));
  CLumButton second;
  EXPECT_FALSE(second.Attach(kBlank, &dialog_));  // the control has its object already
  EXPECT_FALSE(second.Attach(9999, &dialog_));    // no such control
}

TEST_F(LumButtonTest, StatesDrawFaceFrameAndFocusExactly) {
  struct Row {
    UINT state;
    COLORREF face, focusDot;  // focusDot: the focus rectangle's first dot, inside the frame
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

}  // namespace
