// The styled dialog base and controls: the night background and its pixels, the styled
// buttons' colours, the look the scheme gives controls, the theme switch, and the window
// position kept under the dialog's registry key.
#include <gtest/gtest.h>

#include <utility>

#include "platform/gdi/DC.h"
#include "platform/ui/Appearance.h"
#include "platform/ui/TestDriver.h"
#include "sibling/orvcst/LumControls.h"
#include "sibling/orvcst/LumDialog.h"
#include "sibling/orvcst/LumTheme.h"
#include "sibling/orvreg/Registry.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/TempRegistry.h"

namespace {

using orv::test::RunModal;
using orv::ui::test::DialogDriver;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 32001;
constexpr int kLabel = 2001, kEdit = 2002, kTree = 2003, kSwatch = 2004;

class StyledDialog : public CLumDialog {
public:
  explicit StyledDialog(int scheme) : CLumDialog(kTemplate) { m_nColorScheme = scheme; }
  CLumButton m_swatch;
  CLumEdit m_edit;
  CLumStatic m_label;
  CLumTreeCtrl m_tree;
  void AttachControls() override {
    CLumDialog::AttachControls();
    m_swatch.Attach(kSwatch, this, 0, RGB(196, 196, 196), RGB(107, 107, 107), RGB(196, 196, 196), 1);
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
                                      Control(IDOK, L"BUTTON", L"OK", 95, 64, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP),
                                      Control(IDCANCEL, L"BUTTON", L"Cancel", 95, 80, 50, 14, WS_TABSTOP)}));
  }
  ScopedResources resources_;
  orv::test::TempRegistry registry_;
};

TEST_F(LumDialogTest, SchemeZeroPaintsTheNightBackgroundAndLightLabels) {
  StyledDialog dialog(0);
  RunModal(dialog, [&](DialogDriver& d) {
    orv::gdi::Surface s = d.PaintClient();
    EXPECT_EQ(s.PixelColor(0, 0), CLumDialogBase::kNightBackground);
    EXPECT_EQ(s.PixelColor(s.Width() - 1, s.Height() - 1), CLumDialogBase::kNightBackground);
    EXPECT_EQ(ControlColors(d.Item(kLabel)), std::pair(CLumDialogBase::kNightText, CLR_INVALID));
    d.Click(IDCANCEL);
  });
}

TEST_F(LumDialogTest, AnotherSchemeKeepsTheSystemLook) {
  StyledDialog dialog(1);
  RunModal(dialog, [&](DialogDriver& d) {
    dialog.AttachControls();
    orv::gdi::Surface s = d.PaintClient();
    EXPECT_EQ(s.PixelColor(0, 0), GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(ControlColors(d.Item(kEdit)), std::pair(CLR_INVALID, CLR_INVALID));
    d.Click(IDCANCEL);
  });
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
    CRect r;
    dialog.m_swatch.GetClientRect(&r);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(196, 196, 196));  // the frame
    EXPECT_EQ(dc.GetPixel(1, 1), RGB(107, 107, 107));  // the face
    EXPECT_EQ(dc.GetPixel(r.right - 1, r.bottom - 1), RGB(196, 196, 196));
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
  EXPECT_EQ(dc.GetPixel(2, 2), CLumDialogBase::kNightEdge);
  EXPECT_EQ(dc.GetPixel(7, 5), CLumDialogBase::kNightEdge);
  EXPECT_EQ(dc.GetPixel(3, 3), CLumDialogBase::kNightBackground);
  EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 0));  // outside the rectangle
  EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));
}

TEST_F(LumDialogTest, TheWindowComesBackWhereItWasUnderTheRegistryKey) {
  CRect first;
  {
    StyledDialog dialog(1);
    dialog.m_strRegKey = L"Dialog\\Styled";
    RunModal(dialog, [&](DialogDriver& d) {
      dialog.GetWindowRect(&first);  // nothing stored: the template's place
      dialog.SetWindowPos(nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      d.Click(IDCANCEL);  // stored on the way out, OK or Cancel alike
    });
  }
  CRect stored;
  ASSERT_TRUE(CRegistry::UpdateReg(L"Dialog\\Styled", L"WindowPos", CRect(), stored, 0));
  EXPECT_EQ(stored.TopLeft(), CPoint(100, 120));
  EXPECT_EQ(stored.Size(), first.Size());
  StyledDialog again(1);
  again.m_strRegKey = L"Dialog\\Styled";
  RunModal(again, [&](DialogDriver& d) {
    CRect now;
    again.GetWindowRect(&now);
    EXPECT_EQ(now.TopLeft(), CPoint(100, 120));
    d.Click(IDCANCEL);
  });
}

TEST_F(LumDialogTest, APlaceOffTheScreenIsPulledBackOntoIt) {
  CRect far(9000, 9000, 9300, 9200);
  CRegistry::UpdateReg(L"Dialog\\Far", L"WindowPos", CRect(), far, 1);
  StyledDialog dialog(1);
  dialog.m_strRegKey = L"Dialog\\Far";
  RunModal(dialog, [&](DialogDriver& d) {
    CRect now;
    dialog.GetWindowRect(&now);
    EXPECT_EQ(now.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(now.bottom, GetSystemMetrics(SM_CYSCREEN));
    d.Click(IDCANCEL);
  });
}

}  // namespace
