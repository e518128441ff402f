// The sample dialog's geometry and paint plans, apart from any window: the 200 x 100 sample
// in the 300 x 200 display area at (10, 10), at several magnifications and positions.
#include "image/SampleGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "platform/gdi/GdiTypes.h"

namespace {

using orv::sample::Geometry;
using orv::sample::PaintPlan;

Geometry Centred(double mag, CRect display = CRect(10, 10, 310, 210), CSize sample = CSize(200, 100)) {
  Geometry g;
  g.display = display;
  g.image = CRect(0, 0, sample.cx, sample.cy);
  g.mag = mag;
  g.ScrollToCenter();
  return g;
}

// Plans after moving the horizontal position to hpos: where, from where, and whether the
// display area is filled first (a stretch mode of 0 is a plain copy).
const struct PlanRow {
  double mag;
  int hpos;
  CRect dest;
  CRect src;  // position and size
  int mode;
  bool fill;
} kPlans[] = {{1.0, 50, {10, 60, 160, 160}, {50, 0, 150, 100}, 0, true},
              {2.0, -50, {10, 10, 310, 210}, {25, 0, 150, 100}, WHITEONBLACK, false},
              {2.0, 50, {10, 10, 160, 210}, {125, 0, 75, 100}, WHITEONBLACK, true},
              {4.0, -150, {160, 10, 308, 210}, {0, 25, 37, 50}, WHITEONBLACK, true}};

TEST(SampleGeometry, PaintPlansCopyOrStretchTheVisiblePart) {
  for (const PlanRow& row : kPlans) {
    Geometry g = Centred(row.mag);
    g.UpdateHPos(g.hpos, row.hpos);
    const PaintPlan plan = orv::sample::PlanPaint(g);
    SCOPED_TRACE(testing::Message() << "mag " << row.mag << " hpos " << row.hpos);
    EXPECT_EQ(std::tuple(plan.dest, CRect(plan.src.x, plan.src.y, plan.srcSize.cx, plan.srcSize.cy), plan.stretchMode,
                         plan.stretch, plan.fill),
              std::tuple(row.dest, row.src, row.mode, row.mode != 0, row.fill));
  }
}

TEST(SampleGeometry, PointsBetweenDisplayAndSample) {
  const Geometry g2 = Centred(2.0);
  // The centre of the display area shows the sample pixel (hpos + hw, vpos + hh).
  EXPECT_EQ(std::tuple(g2.DialogToImage(CPoint(160, 110)), g2.ImageToSampleArea(CPoint(100, 50)),
                       g2.DialogToImage(CPoint(10, 10)), g2.DisplayImageRect(200, 100)),
            std::tuple(CPoint(100, 50), CPoint(150, 100), CPoint(25, 0), CRect(25, 0, 175, 100)));
  // Clipped to the sample where the area shows more than it.
  EXPECT_EQ(Centred(1.0).DisplayImageRect(200, 100), CRect(0, 0, 200, 100));
  EXPECT_EQ(Centred(0.5).DisplayImageRect(200, 100), CRect(0, 0, 200, 100));

  CRect r(10, 10, 310, 210);
  orv::sample::MagnifyRect(CPoint(160, 110), &r, 1.0 / 3.0);
  EXPECT_EQ(r, CRect(110, 77, 210, 143));
}

TEST(SampleGeometry, ExtremeMagnificationsAndAreasOverflowNothing) {
  const double inf = std::numeric_limits<double>::infinity();
  const CRect areas[] = {CRect(10, 10, 310, 210), CRect(-2000000000, -2000000000, 2000000000, 2000000000)};
  for (double mag : {1e-300, 1e-9, 3e-5, 7e8, 1e300, inf, 0.0, -2.0, std::nan("")})
    for (const CRect& area : areas) {
      Geometry g = Centred(mag, area, CSize(2000000000, 3));
      g.UpdateHPos(g.hpos, 2147483647);
      const CRect d = orv::sample::PlanPaint(g).dest;
      const CPoint p = g.DialogToImage(area.BottomRight());
      for (LONG v : {d.left, d.right, d.top, d.bottom, p.x, p.y})
        EXPECT_LE(std::abs(static_cast<long long>(v)), orv::sample::kCoordLimit) << mag;
      g.ImageToSampleArea(CPoint(-2147483647, 2147483647));
      g.DisplayImageRect(2000000000, 3);
    }
  for (double mag : {0.0, -inf, 1e-300}) EXPECT_EQ(orv::sample::IsUsableMag(mag), mag > 0) << mag;
}

}  // namespace
