// The sample dialog driven as a user drives it: opening with an image, every scroll request
// and its limits, the pixels of a paint at several magnifications, selections, and the
// magnifications and images it must refuse.
#include "image/LumSampleDialog.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Controls.h"
#include "platform/ui/TestDriver.h"
#include "tests/image/ImageFixture.h"
#include "tests/support/DialogTemplates.h"
#include "tests/support/PixelChecks.h"
#include "tests/support/ShownDialog.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31411;

// The display area is moved to (10, 10, 310, 210) before the dialog measures it.
class SampleDialog : public CLumSampleDialog {
public:
  explicit SampleDialog(CLumImage* image) : CLumSampleDialog(kTemplate) { SetCurrentImage(image); }
  using CLumSampleDialog::InitSample;
  using CLumSampleDialog::SetMag;

protected:
  BOOL OnInitDialog() override {
    GetDlgItem(kDisplayFrame)->MoveWindow(10, 10, 300, 200);
    return CLumSampleDialog::OnInitDialog();
  }
};

class LumSampleDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    resources_.Add(kTemplate, Dialog(L"Sample", 330, 230,
                                     {Control(CLumSampleDialog::kDisplayFrame, L"STATIC", L"", 7, 7, 100, 60, SS_BLACKFRAME),
                                      Control(CLumSampleDialog::kHScrollBar, L"SCROLLBAR", L"", 7, 215, 200, 9, SBS_HORZ),
                                      Control(CLumSampleDialog::kVScrollBar, L"SCROLLBAR", L"", 315, 7, 9, 200, SBS_VERT)}));
  }
  // Runs the script on the shown dialog, then closes it.
  static void Run(SampleDialog& dialog, const std::function<void(DialogDriver&)>& script) {
    orv::test::RunModal(dialog, [&](DialogDriver& d) {
      script(d);
      d.Close();
    });
  }
  // A scroll bar's range and position as {min, max, pos}.
  static std::vector<int> Bar(DialogDriver& d, int id) {
    auto* bar = static_cast<CScrollBar*>(CWnd::FromHandle(d.Item(id)));
    int lo = 0, hi = 0;
    bar->GetScrollRange(&lo, &hi);
    return {lo, hi, bar->GetScrollPos()};
  }
  ScopedResources resources_;
};

constexpr int kH = CLumSampleDialog::kHScrollBar, kV = CLumSampleDialog::kVScrollBar;

// Requests from the centred 200 x 100 sample (positions -50, -50) and where they lead.
const struct ScrollRow {
  int bar;
  UINT code;
  int expected;
} kScrolls[] = {{kH, SB_LINELEFT, -51}, {kH, SB_LINERIGHT, -49}, {kH, SB_PAGELEFT, -55}, {kH, SB_PAGERIGHT, -45},
                {kH, SB_LEFT, -150},    {kH, SB_RIGHT, 50},      {kV, SB_LINEUP, -51},    {kV, SB_LINEDOWN, -49},
                {kV, SB_PAGEDOWN, -45}, {kV, SB_TOP, -100},      {kV, SB_BOTTOM, 0}};

TEST_F(LumSampleDialogTest, EveryScrollRequestMovesTheSampleWithinTheRange) {
  auto image = orv::test::MakeLumImage(200, 100, 1);
  for (const ScrollRow& row : kScrolls) {
    SampleDialog dialog(image.get());
    dialog.SetMag(2.0);  // the steps are sample pixels whatever the magnification
    Run(dialog, [&](DialogDriver& d) {
      const bool h = row.bar == kH;
      EXPECT_TRUE(d.Scroll(row.bar, row.code));
      SCOPED_TRACE(testing::Message() << "bar " << row.bar << " code " << row.code);
      const CRect i = dialog.GetImageRect();  // the position, the thumb and where the sample is shown
      EXPECT_EQ(std::tuple(h ? dialog.GetHPos() : dialog.GetVPos(), Bar(d, row.bar)[2], h ? 10 - i.left : 10 - i.top),
                std::tuple(row.expected, row.expected, row.expected));
    });
  }
  // An image set before opening is sampled and centred; at an end a further step changes
  // nothing; the thumb is followed while it is dragged.
  SampleDialog dialog(image.get());
  Run(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(std::pair(dialog.GetDisplayRect(), dialog.GetImageRect()),
              std::pair(CRect(10, 10, 310, 210), CRect(60, 60, 260, 160)));
    EXPECT_EQ(std::pair(Bar(d, kH), Bar(d, kV)), std::pair(std::vector{-150, 50, -50}, std::vector{-100, 0, -50}));
    d.Scroll(kH, SB_RIGHT);
    d.Scroll(kH, SB_PAGERIGHT);
    EXPECT_EQ(std::pair(dialog.GetHPos(), dialog.GetImageRect()), std::pair(50, CRect(-40, 60, 160, 160)));
    d.DragThumb(kH, 17);
    EXPECT_EQ(dialog.GetHPos(), 17);
  });
}

TEST_F(LumSampleDialogTest, PaintsExactPixelsAtEachMagnification) {
  // Grey 8 x 4 at levels 8 v (window 0 ... 255); colour 8 x 4 whose red, green and blue
  // carry the column, the row and both.
  auto grey = orv::test::MakeLumImage(8, 4, 1), colour = orv::test::MakeLumImage(8, 4, 3);
  orv::test::FillLumImage(*grey, [](int x, int y, int) { return 8.0f * (8 * y + x); });
  orv::test::FillLumImage(*colour,
                          [](int x, int y, int p) { return std::array{30.0f * x, 60.0f * y, 7.0f * (8 * y + x)}[p]; });
  // Where the sample starts on screen at each magnification; at 1/2 every second pixel shows, from 1 on.
  const std::pair<double, CPoint> mags[] = {{1.0, {156, 108}}, {2.0, {152, 106}}, {0.5, {158, 109}}};
  for (CLumImage* image : {grey.get(), colour.get()})
    for (const auto& [mag, topLeft] : mags) {
      for (int p = 0; p < image->GetPlanes(); ++p) image->SetLevel(p, 0, 255);
      const int shown = mag < 1 ? 2 : 1, scale = mag < 1 ? 1 : static_cast<int>(mag);
      const CRect on(topLeft, CSize(8 * scale / shown, 4 * scale / shown));
      SampleDialog dialog(image);
      dialog.SetMag(mag);
      auto want = [&](int x, int y) {
        if (!on.PtInRect(CPoint(x, y))) return GetSysColor(COLOR_3DFACE);
        const int sx = (x - on.left) / scale * shown + shown - 1, sy = (y - on.top) / scale * shown + shown - 1;
        auto level = [&](int p) { return static_cast<int>(*image->GetImageAdr(sx, sy, p)); };
        return image == colour.get() ? RGB(level(0), level(1), level(2)) : RGB(level(0), level(0), level(0));
      };
      Run(dialog, [&](DialogDriver& d) {
        const orv::gdi::Surface s = d.PaintClient();
        EXPECT_TRUE(orv::test::EveryPixel(300, 200, [&](int x, int y) { return s.PixelColor(x + 10, y + 10); },
                                          [&](int x, int y) { return want(x + 10, y + 10); }))
            << image->GetPlanes() << " planes x" << mag << ", pixels counted from (10, 10)";
      });
    }
}

TEST_F(LumSampleDialogTest, APaintShowsTheSampleWindowsAsTheyAreNow) {
  auto image = orv::test::MakeLumImage(2, 1, 1, {100, 200});
  image->SetLevel(0, 0, 1000);
  SampleDialog dialog(image.get());
  Run(dialog, [&](DialogDriver& d) {
    EXPECT_EQ(d.PaintClient().PixelColor(159, 110), RGB(25, 25, 25));
    dialog.GetSampleImage()->SetLevel(0, 100, 200);
    const orv::gdi::Surface s = d.PaintClient();
    EXPECT_EQ(std::pair(s.PixelColor(159, 110), s.PixelColor(160, 110)), std::pair(RGB(0, 0, 0), RGB(255, 255, 255)));
    // The reference copy keeps the windows it was taken with.
    EXPECT_EQ(dialog.GetReferenceImage()->GetLevelMax(0), 1000.0);
  });
}

TEST_F(LumSampleDialogTest, SelectionsAreNormalisedAndCutToTheImage) {
  auto image = orv::test::MakeLumImage(100, 60, 1);
  orv::test::FillLumImage(*image, [](int x, int y, int) { return static_cast<float>(y * 100 + x); });
  struct Row {
    CRect selection, stored;
    CSize sample;
  } rows[] = {
      {{50, 40, 10, 20}, {10, 20, 50, 40}, {40, 20}},
      {{90, 50, 130, 80}, {90, 50, 100, 60}, {10, 10}},   // partly outside
      {{-20, -5, 3, 2}, {0, 0, 3, 2}, {3, 2}},
      {{200, 10, 300, 20}, {0, 0, 0, 0}, {100, 60}},      // wholly outside: the whole image
  };
  for (const Row& row : rows) {
    SampleDialog dialog(image.get());
    dialog.SetSelectionRect(row.selection);
    Run(dialog, [&](DialogDriver&) {
      EXPECT_EQ(dialog.GetSelectionRect(), row.stored);
      const CLumImage& sample = *dialog.GetSampleImage();
      EXPECT_EQ(CSize(sample.GetWidth(), sample.GetHeight()), row.sample);
      // The last pixel copied is the selection's (or the image's) last.
      const CRect from = row.stored.IsRectEmpty() ? CRect(0, 0, 100, 60) : row.stored;
      EXPECT_EQ(*sample.GetImageAdr(row.sample.cx - 1, row.sample.cy - 1, 0), (from.bottom - 1) * 100.0f + from.right - 1);
    });
  }
}

TEST_F(LumSampleDialogTest, RefusedMagnificationsAndAMissingImage) {
  auto image = orv::test::MakeLumImage(200, 100, 1);
  SampleDialog dialog(image.get());
  dialog.SetMag(2.0);
  for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) dialog.SetMag(bad);
  EXPECT_EQ(dialog.GetMag(), 2.0);

  MessageBoxRecorder boxes;
  SampleDialog empty(nullptr);
  empty.InitSample();
  ASSERT_EQ(boxes.Count(), 1);
  EXPECT_EQ(boxes.LastText(), L"CLumSampleDialog::InitSample(): No current image.");
  EXPECT_EQ(empty.GetSampleImage(), nullptr);
  // Scroll requests and paints before any sample do nothing.
  Run(empty, [&](DialogDriver& d) {
    d.Scroll(kH, SB_LINERIGHT);
    d.PaintClient();
    EXPECT_EQ(std::tuple(empty.GetHPos(), empty.IsBitmapReady(), empty.GetDisplayImageRect()),
              std::tuple(0, FALSE, CRect(0, 0, 0, 0)));
  });
}

}  // namespace
