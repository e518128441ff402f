// The chart as drawn into a bitmap: each element in its own colour and size, and nothing
// drawn for what the style has no value for.
#include <gtest/gtest.h>

#include <functional>

#include "SkyChartImage.h"
#include "sibling/skyview/chart/SkyChartScene.h"

namespace {

using namespace orv::sky;
using namespace orv::sky::test;

const SkyChartStyle kFull = {.equatorialGrid = RGB(43, 83, 171), .altAzimuthGrid = RGB(46, 170, 184),
                             .horizon = RGB(40, 119, 158), .constellationLine = RGB(0, 112, 128),
                             .constellationName = {RGB(199, 255, 247), 14}, .starName = {RGB(192, 192, 255), 14},
                             .planetName = {RGB(255, 200, 199), 14}, .deepSkyMark = RGB(118, 255, 119),
                             .deepSkyName = {RGB(220, 255, 199), 14}};

struct Element {
  const char* name;
  std::function<void(SkyChartStyle&)> remove;
  std::optional<COLORREF> exact;  // a line or mark drawn in exactly its colour
};

TEST(SkyChartDraw, EachElementIsDrawnFromTheStyleAndLeftOutWithoutIt) {
  const Element elements[] = {
      {"equatorial grid", [](SkyChartStyle& s) { s.equatorialGrid.reset(); }, kFull.equatorialGrid},
      {"alt-azimuth grid", [](SkyChartStyle& s) { s.altAzimuthGrid.reset(); }, kFull.altAzimuthGrid},
      {"horizon", [](SkyChartStyle& s) { s.horizon.reset(); }, kFull.horizon},
      {"constellation lines", [](SkyChartStyle& s) { s.constellationLine.reset(); }, kFull.constellationLine},
      {"nebula mark", [](SkyChartStyle& s) { s.deepSkyMark.reset(); }, kFull.deepSkyMark},
      {"constellation name", [](SkyChartStyle& s) { s.constellationName.size.reset(); }, std::nullopt},
      {"star names", [](SkyChartStyle& s) { s.starName.color.reset(); }, std::nullopt},
      {"planet name", [](SkyChartStyle& s) { s.planetName.size.reset(); }, std::nullopt},
      {"nebula name", [](SkyChartStyle& s) { s.deepSkyName.color.reset(); }, std::nullopt},
  };
  orv::gdi::Surface all = DrawChart(kFull);
  for (const Element& e : elements) {
    SCOPED_TRACE(e.name);
    SkyChartStyle without = kFull;
    e.remove(without);
    orv::gdi::Surface less = DrawChart(without);
    EXPECT_FALSE(DifferenceBounds(all, less).IsRectEmpty());
    if (e.exact) {
      EXPECT_GT(PixelsOf(all, *e.exact).size(), 20u);
      EXPECT_TRUE(PixelsOf(less, *e.exact).empty());
    }
  }
}

TEST(SkyChartDraw, AnEmptyStyleGivesBlackSkyWithStarsAndThePlanetOnly) {
  orv::gdi::Surface s = DrawChart(SkyChartStyle{});
  const std::size_t sky = PixelsOf(s, kSkyColor).size(), stars = PixelsOf(s, kStarColor).size(),
                    planet = PixelsOf(s, kPlanetColor).size();
  EXPECT_GT(stars, 11u);   // eleven stars, each at least a dot
  EXPECT_GT(planet, 20u);  // a disc of radius 3
  EXPECT_EQ(sky + stars + planet, static_cast<std::size_t>(kWidth) * kHeight);
  EXPECT_EQ(s.PixelColor(0, 0), kSkyColor);
}

TEST(SkyChartDraw, TheStarsOfOrionAreAboveTheHorizonAndInsideTheChart) {
  SkyProjection view(CRect(0, 0, kWidth, kHeight));
  for (const ChartStar& star : ChartStars().first(8)) {
    SCOPED_TRACE(&star - ChartStars().data());
    EXPECT_GT(SkyProjection::Altitude(star.ra, star.dec), 10.0);
    EXPECT_TRUE(CRect(0, 0, kWidth, kHeight).PtInRect(view.FromEquatorial(star.ra, star.dec).value_or(CPoint(-1, -1))));
  }
  // Near the nadir is more than 90 degrees from where the chart looks, whatever the azimuth.
  for (double azimuth : {0.0, 90.0, 180.0, 270.0}) EXPECT_FALSE(view.FromHorizontal(azimuth, -80.0).has_value());
}

// The ink of a label: where the chart changes when only the label's colour does.
CRect NameInk(int size) {
  SkyChartStyle a = kFull, b = kFull;
  a.constellationName = {RGB(255, 255, 0), size};
  b.constellationName = {RGB(0, 255, 255), size};
  return DifferenceBounds(DrawChart(a), DrawChart(b));
}

TEST(SkyChartDraw, ALargerNameSizeGivesTallerInk) {
  CRect small = NameInk(10), medium = NameInk(14), large = NameInk(28);
  ASSERT_FALSE(small.IsRectEmpty());
  EXPECT_LT(small.Height(), medium.Height());
  EXPECT_GT(large.Height(), medium.Height() * 3 / 2);
  EXPECT_GT(large.Width(), medium.Width() * 3 / 2);
  // The label grows from the same place.
  EXPECT_NEAR(large.left, medium.left, 3);
  EXPECT_NEAR(large.top, medium.top, 6);
}

}  // namespace
