// The sample dialog driven as a user drives it: opening with an image, every scroll request
// and its limits, the pixels of a paint at several magnifications, selections, and the
// magnifications and images it must refuse.
#include "image/LumSampleDialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "platform/gdi/GdiObject.h"
#include "platform/ui/Controls.h"
#include "platform/ui/TestDriver.h"
#include "tests/image/ImageFixture.h"
#include "tests/platform/ui/DialogTemplates.h"

namespace {

using orv::ui::test::DialogDriver;
using orv::ui::test::MessageBoxRecorder;
using orv::ui::test::ModalScripts;
using namespace orv::ui::testing;

constexpr UINT kTemplate = 31411;

// The display area is moved to (10, 10, 310, 210) before the dialog measures it.
class SampleDialog : public CLumSampleDialog {
public:
  explicit SampleDialog(CLumImage* image) : CLumSampleDialog(kTemplate) { SetCurrentImage(image); }
  using CLumSampleDialog::DialogToImage;
  using CLumSampleDialog::InitSample;
  using CLumSampleDialog::MakeSampleImage;
  using CLumSampleDialog::SetCurrentImage;
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
  // Opens dialog and runs script while it is shown.
  void Run(SampleDialog& dialog, const std::function<void(DialogDriver&)>& script) {
    ModalScripts scripts;
    scripts.Add([&](DialogDriver& d) {
      script(d);
      d.Close();
    });
    dialog.DoModal();
    EXPECT_TRUE(scripts.Problems().empty());
  }
  static int Pos(DialogDriver& d, int id) { return static_cast<CScrollBar*>(CWnd::FromHandle(d.Item(id)))->GetScrollPos(); }
  static void Range(DialogDriver& d, int id, int* lo, int* hi) {
    static_cast<CScrollBar*>(CWnd::FromHandle(d.Item(id)))->GetScrollRange(lo, hi);
  }
  ScopedResources resources_;
};

TEST_F(LumSampleDialogTest, AnImageSetBeforeOpeningIsSampledAndCentred) {
  auto image = orv::test::MakeLumImage(200, 100, 1);
  SampleDialog dialog(image.get());
  Run(dialog, [&](DialogDriver& d) {
    ASSERT_NE(dialog.GetSampleImage(), nullptr);
    EXPECT_EQ(dialog.GetDisplayRect(), CRect(10, 10, 310, 210));
    EXPECT_EQ(dialog.GetImageRect(), CRect(60, 60, 260, 160));
    int lo = 0, hi = 0;
    Range(d, CLumSampleDialog::kHScrollBar, &lo, &hi);
    EXPECT_EQ(lo, -150);
    EXPECT_EQ(hi, 50);
    Range(d, CLumSampleDialog::kVScrollBar, &lo, &hi);
    EXPECT_EQ(lo, -100);
    EXPECT_EQ(hi, 0);
    EXPECT_EQ(Pos(d, CLumSampleDialog::kHScrollBar), -50);
    EXPECT_EQ(Pos(d, CLumSampleDialog::kVScrollBar), -50);
  });
}

struct ScrollRow {
  int bar;
  UINT code;
  int expected;  // position after the request, starting from -50
};

const ScrollRow kScrolls[] = {
    {CLumSampleDialog::kHScrollBar, SB_LINELEFT, -51},  {CLumSampleDialog::kHScrollBar, SB_LINERIGHT, -49},
    {CLumSampleDialog::kHScrollBar, SB_PAGELEFT, -55},  {CLumSampleDialog::kHScrollBar, SB_PAGERIGHT, -45},
    {CLumSampleDialog::kHScrollBar, SB_LEFT, -150},     {CLumSampleDialog::kHScrollBar, SB_RIGHT, 50},
    {CLumSampleDialog::kVScrollBar, SB_LINEUP, -51},    {CLumSampleDialog::kVScrollBar, SB_LINEDOWN, -49},
    {CLumSampleDialog::kVScrollBar, SB_PAGEDOWN, -45},  {CLumSampleDialog::kVScrollBar, SB_TOP, -100},
    {CLumSampleDialog::kVScrollBar, SB_BOTTOM, 0},
};

TEST_F(LumSampleDialogTest, EveryScrollRequestMovesTheSampleWithinTheRange) {
  auto image = orv::test::MakeLumImage(200, 100, 1);
  for (const ScrollRow& row : kScrolls) {
    SampleDialog dialog(image.get());
    dialog.SetMag(2.0);  // the steps are sample pixels whatever the magnification
    Run(dialog, [&](DialogDriver& d) {
      const bool h = row.bar == CLumSampleDialog::kHScrollBar;
      EXPECT_TRUE(d.Scroll(row.bar, row.code));
      SCOPED_TRACE(testing::Message() << "bar " << row.bar << " code " << row.code);
      EXPECT_EQ(h ? dialog.GetHPos() : dialog.GetVPos(), row.expected);
      EXPECT_EQ(Pos(d, row.bar), row.expected);
      const CRect i = dialog.GetImageRect();
      EXPECT_EQ(h ? 10 - i.left : 10 - i.top, row.expected);
    });
  }
  // At an end a further step changes nothing; the thumb is followed while it is dragged.
  SampleDialog dialog(image.get());
  Run(dialog, [&](DialogDriver& d) {
    d.Scroll(CLumSampleDialog::kHScrollBar, SB_RIGHT);
    d.Scroll(CLumSampleDialog::kHScrollBar, SB_PAGERIGHT);
    EXPECT_EQ(dialog.GetHPos(), 50);
    EXPECT_EQ(dialog.GetImageRect(), CRect(-40, 60, 160, 160));
    d.DragThumb(CLumSampleDialog::kHScrollBar, 17);
    EXPECT_EQ(dialog.GetHPos(), 17);
  });
}

// Expected colour of screen pixel (x, y): the sample pixel it shows, or the face colour.
using Expect = std::function<COLORREF(int x, int y, bool* inSample)>;

void ExpectDisplay(const orv::gdi::Surface& s, const Expect& expect, const char* what) {
  int wrong = 0;
  for (int y = 10; y < 210; ++y)
    for (int x = 10; x < 310; ++x) {
      bool in = false;
      COLORREF want = expect(x, y, &in);
      if (!in) want = GetSysColor(COLOR_3DFACE);
      if (s.PixelColor(x, y) != want && ++wrong <= 3)
        ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex << s.PixelColor(x, y)
                      << ", not " << want;
    }
}

TEST_F(LumSampleDialogTest, PaintsExactPixelsAtEachMagnification) {
  // Grey 8 x 4, levels 0 ... 31 through the window 0 ... 255 give level 8 v.
  std::vector<float> values;
  for (int i = 0; i < 32; ++i) values.push_back(8.0f * i);
  auto grey = orv::test::MakeLumImage(8, 4, 1, values);
  grey->SetLevel(0, 0, 255);
  auto greyAt = [](int sx, int sy) {
    const int v = 8 * (sy * 8 + sx);
    return RGB(v, v, v);
  };
  // Colour 2 x 1: red, then blue.
  auto colour = orv::test::MakeLumImage(2, 1, 3, {1, 0, /*g*/ 0, 0, /*b*/ 0, 1});
  for (int p = 0; p < 3; ++p) colour->SetLevel(p, 0, 1);

  struct Row {
    CLumImage* image;
    double mag;
    Expect expect;
    const char* what;
  } rows[] = {
      // The 8 x 4 sample lies at (156, 108) at magnification 1.
      {grey.get(), 1.0, [&](int x, int y, bool* in) {
         *in = x >= 156 && x < 164 && y >= 108 && y < 112;
         return *in ? greyAt(x - 156, y - 108) : 0;
       }, "grey x1"},
      {grey.get(), 2.0, [&](int x, int y, bool* in) {
         *in = x >= 152 && x < 168 && y >= 106 && y < 114;
         return *in ? greyAt((x - 152) / 2, (y - 106) / 2) : 0;
       }, "grey x2"},
      // Halved, every second column and row is kept.
      {grey.get(), 0.5, [&](int x, int y, bool* in) {
         *in = x >= 158 && x < 162 && y >= 109 && y < 111;
         return *in ? greyAt(2 * (x - 158) + 1, 2 * (y - 109) + 1) : 0;
       }, "grey x1/2"},
      {colour.get(), 1.0, [&](int x, int y, bool* in) {
         *in = (x == 159 || x == 160) && y == 110;
         return x == 159 ? RGB(255, 0, 0) : RGB(0, 0, 255);
       }, "colour x1"},
      {colour.get(), 2.0, [&](int x, int y, bool* in) {
         *in = x >= 158 && x < 162 && y >= 110 && y < 112;
         return x < 160 ? RGB(255, 0, 0) : RGB(0, 0, 255);
       }, "colour x2"},
  };
  for (const Row& row : rows) {
    SampleDialog dialog(row.image);
    dialog.SetMag(row.mag);
    Run(dialog, [&](DialogDriver& d) { ExpectDisplay(d.PaintClient(), row.expect, row.what); });
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
    EXPECT_EQ(s.PixelColor(159, 110), RGB(0, 0, 0));
    EXPECT_EQ(s.PixelColor(160, 110), RGB(255, 255, 255));
    // The reference copy keeps the windows it was taken with.
    EXPECT_EQ(dialog.GetReferenceImage()->GetLevelMax(0), 1000.0);
  });
}

TEST_F(LumSampleDialogTest, SelectionsAreNormalisedAndCutToTheImage) {
  std::vector<float> values;
  for (int i = 0; i < 100 * 60; ++i) values.push_back(static_cast<float>(i));
  auto image = orv::test::MakeLumImage(100, 60, 1, values);
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
      const CLumImage* sample = dialog.GetSampleImage();
      ASSERT_NE(sample, nullptr);
      EXPECT_EQ(sample->GetWidth(), row.sample.cx);
      EXPECT_EQ(sample->GetHeight(), row.sample.cy);
      const CPoint last(row.stored.IsRectEmpty() ? 99 : row.stored.right - 1, row.stored.IsRectEmpty() ? 59 : row.stored.bottom - 1);
      EXPECT_EQ(*sample->GetImageAdr(row.sample.cx - 1, row.sample.cy - 1, 0), static_cast<float>(last.y * 100 + last.x));
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
    d.Scroll(CLumSampleDialog::kHScrollBar, SB_LINERIGHT);
    d.PaintClient();
    EXPECT_EQ(empty.GetHPos(), 0);
    EXPECT_FALSE(empty.IsBitmapReady());
    EXPECT_EQ(empty.GetDisplayImageRect(), CRect(0, 0, 0, 0));
  });
}

}  // namespace
