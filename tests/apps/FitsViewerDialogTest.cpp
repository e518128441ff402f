// The demo's FITS viewer on a small file: the file's first row at the bottom, and a level
// bar that moves the window and repaints.
#include <gtest/gtest.h>

#include "apps/demo/DemoDialogs.h"
#include "platform/ui/TestDriver.h"
#include "platform/ui/Wnd.h"
#include "tests/sibling/orvcim/FitsSamples.h"
#include "tests/support/TempDir.h"
#include "tests/support/WindowReads.h"

namespace {

constexpr int kFrame = 124, kBlackLabel = 3207, kBlack = 3208;

TEST(FitsViewerDialog, TheFirstRowIsAtTheBottomAndTheBlackBarMovesTheWindow) {
  orv::test::TempDir dir;
  const orv::test::FitsSample sample{
      .bitpix = -32, .width = 4, .height = 2, .raw = {0, 100, 200, 300, /*second row*/ 400, 500, 600, 700}};
  ASSERT_EQ(orv::test::WriteFits(dir.File("small.fits"), sample), 0);
  orv::demo::DemoFiles() = {dir.File("small.fits")};

  orv::ui::test::ModalScripts scripts;
  scripts.Add([&](orv::ui::test::DialogDriver& d) {
    CRect frame = orv::test::WindowRect(orv::test::Item<CWnd>(d, kFrame));
    CWnd::FromHandle(d.Dialog())->ScreenToClient(&frame);
    const CPoint c = frame.CenterPoint();  // the 4 x 2 sample lies at (c.x - 2, c.y - 1) at magnification 1
    // The first-look window spans 200 ... 700 (the quarter and the top of the pixels).
    orv::gdi::Surface before = d.PaintClient();
    EXPECT_EQ(before.PixelColor(c.x + 1, c.y - 1), RGB(255, 255, 255)) << "700, file row 1, on top";
    EXPECT_EQ(before.PixelColor(c.x, c.y), RGB(0, 0, 0)) << "200, file row 0, at the bottom";
    EXPECT_EQ(d.Text(kBlackLabel), L"Black: 200");
    // Position 100 of 1000 on the quadratic scale over 0 ... 700 is 7.
    EXPECT_TRUE(d.DragThumb(kBlack, 100));
    EXPECT_EQ(d.Text(kBlackLabel), L"Black: 7");
    const int level = static_cast<int>((200.0f - 7.0f) * static_cast<float>(255.0 / 693.0));
    EXPECT_EQ(d.PaintClient().PixelColor(c.x, c.y), RGB(level, level, level));
    d.Close();
  });
  for (const orv::demo::DemoDialog& demo : orv::demo::DemoDialogs())
    if (std::string(demo.name) == "fits-viewer") demo.open(nullptr);
  EXPECT_EQ(scripts.Pending(), 0);
  EXPECT_TRUE(scripts.Problems().empty());
}

}  // namespace
