// Painting: WM_PAINT handlers draw with the graphics layer onto the window's surface, which
// keeps its pixels between paints; erasing, the paint rectangle and clipping follow the
// platform; owner-drawn controls and contexts opened on a control draw where they belong.
#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TestDriver.h"
#include "support/DialogTemplates.h"
#include "support/ShownDialog.h"
#include "support/WindowReads.h"

namespace {

using namespace orv::ui::testing;

constexpr UINT kTemplate = 31201;
constexpr int kGraph = 1201, kOwnerButton = 1202;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 200, 0);

COLORREF At(const orv::gdi::Surface& s, int x, int y) { return s.PixelColor(x, y); }

class PaintingDialog : public CDialog {
public:
  PaintingDialog() : CDialog(kTemplate) {}
  COLORREF fill = kRed;
  CRect fillRect{10, 10, 30, 30};
  CRect lastPaint;
  BOOL lastErase = FALSE;
  int paints = 0;

protected:
  void OnPaint() {
    CPaintDC dc(this);
    ++paints;
    lastPaint = dc.m_ps.rcPaint;
    lastErase = dc.m_ps.fErase;
    dc.FillSolidRect(&fillRect, fill);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintingDialog, CDialog)
  ON_WM_PAINT()
END_MESSAGE_MAP()

class SwatchButton : public CButton {
public:
  DRAWITEMSTRUCT last{};
  int draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    last = *item;
    ++draws;
    item->pDC->FillSolidRect(&item->rcItem, (item->itemState & ODS_SELECTED) != 0 ? kBlue : kGreen);
  }
};

class PaintDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Paint", 160, 100,
                                     {Control(kGraph, L"STATIC", L"", 80, 10, 50, 30, SS_BLACKFRAME),
                                      Control(kOwnerButton, L"BUTTON", L"Swatch", 80, 50, 50, 14,
                                              BS_OWNERDRAW | WS_TABSTOP),
                                      Control(IDOK, L"BUTTON", L"OK", 100, 80, 50, 14, BS_DEFPUSHBUTTON)}));
    ASSERT_TRUE(dialog_.Create(kTemplate));
    shown_.emplace(dialog_);
  }
  ScopedResources resources_;
  PaintingDialog dialog_;
  std::optional<orv::test::ShownDialog> shown_;
};

TEST_F(PaintDialogTest, PaintHandlerDrawsOnTheErasedClientArea) {
  orv::gdi::Surface s = shown_->Driver().PaintClient();
  const CRect client = orv::test::ClientRect(dialog_);
  ASSERT_EQ(CSize(s.Width(), s.Height()), client.Size());
  const COLORREF face = GetSysColor(COLOR_3DFACE);  // the fill's right and bottom are exclusive
  EXPECT_EQ((std::vector<COLORREF>{At(s, 10, 10), At(s, 29, 29), At(s, 30, 30), At(s, 0, 0)}),
            (std::vector<COLORREF>{kRed, kRed, face, face}));
  EXPECT_EQ(dialog_.lastPaint, client);
  EXPECT_FALSE(dialog_.lastErase);  // the dialog erased its background itself
}

TEST_F(PaintDialogTest, InvalidatingWithoutEraseKeepsWhatWasDrawnAndClipsToTheUpdateRect) {
  shown_->Driver().PaintClient();
  // Now the handler paints blue everywhere, but only (20, 20)-(40, 40) is invalid.
  dialog_.fill = kBlue;
  dialog_.fillRect = CRect(0, 0, 100, 100);
  CRect part(20, 20, 40, 40);
  dialog_.InvalidateRect(&part, FALSE);
  dialog_.UpdateWindow();
  EXPECT_EQ(dialog_.lastPaint, part);
  CClientDC dc(&dialog_);
  // Drawn before, outside the update rect; inside it; never drawn.
  EXPECT_EQ((std::vector<COLORREF>{dc.GetPixel(15, 15), dc.GetPixel(25, 25), dc.GetPixel(45, 45)}),
            (std::vector<COLORREF>{kRed, kBlue, GetSysColor(COLOR_3DFACE)}));
  const int paints = dialog_.paints;
  dialog_.UpdateWindow();  // nothing invalid: no paint
  EXPECT_EQ(dialog_.paints, paints);
}

TEST_F(PaintDialogTest, AContextOnAControlDrawsOnThatControl) {
  CWnd* graph = dialog_.GetDlgItem(kGraph);
  const CRect r = orv::test::ClientRect(*graph);
  {
    CClientDC dc(graph);
    dc.FillSolidRect(&r, RGB(50, 50, 50));
    dc.SetPixel(3, 4, kRed);
  }
  CClientDC again(graph);
  EXPECT_EQ(again.GetPixel(3, 4), kRed);
  EXPECT_EQ(again.GetPixel(r.right - 1, r.bottom - 1), RGB(50, 50, 50));
  EXPECT_EQ(again.GetPixel(r.right, r.bottom), CLR_INVALID);
}

TEST_F(PaintDialogTest, OwnerDrawnButtonsAreDrawnByTheirObjectWithTheirState) {
  SwatchButton swatch;
  ASSERT_TRUE(swatch.SubclassDlgItem(kOwnerButton, &dialog_));
  swatch.Invalidate();
  orv::ui::test::ProcessEvents();
  ASSERT_GT(swatch.draws, 0);
  const CRect client = orv::test::ClientRect(swatch);
  const DRAWITEMSTRUCT& last = swatch.last;
  EXPECT_EQ(std::tuple(last.CtlType, last.CtlID, last.hwndItem, CRect(last.rcItem), last.itemState & ODS_SELECTED),
            std::tuple(static_cast<UINT>(ODT_BUTTON), static_cast<UINT>(kOwnerButton), swatch.m_hWnd, client, 0u));
  {
    CClientDC dc(&swatch);
    EXPECT_EQ(dc.GetPixel(1, 1), kGreen);
    swatch.SetState(TRUE);  // pushed
    orv::ui::test::ProcessEvents();
    EXPECT_NE(swatch.last.itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(dc.GetPixel(1, 1), kBlue);
  }
  shown_.reset();
  EXPECT_EQ(swatch.m_hWnd, nullptr);  // let go when the window went
}

}  // namespace
