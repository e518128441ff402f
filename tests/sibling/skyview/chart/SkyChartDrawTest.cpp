// The chart as drawn into a bitmap: each element in its own colour and size, and nothing
// drawn for what the style has no value for.
#include <gtest/gtest.h>

#include <functional>

#include "SkyChartImage.h"
#include "sibling/skyview/chart/SkyChartScene.h"

namespace {

using namespace orv::sky;
using namespace orv::sky::test;

SkyChartStyle FullStyle() {
  SkyChartStyle s;
  s.equatorialGrid = RGB(43, 83, 171);
  s.altAzimuthGrid = RGB(46, 170, 184);
  s.horizon = RGB(40, 119, 158);
  s.constellationLine = RGB(0, 112, 128);
  s.constellationName = {RGB(199, 255, 247), 14};
  s.starName = {RGB(192, 192, 255), 14};
  s.planetName = {RGB(255, 200, 199), 14};
  s.deepSkyMark = RGB(118, 255, 119);
  s.deepSkyName = {RGB(220, 255, 199), 14};
  return s;
}

struct Element {
  const char* name;
  std::function<void(SkyChartStyle&)> remove;
  std::optional<COLORREF> exact;  // a line or mark drawn in exactly its colour
};

TEST(SkyChartDraw, EachElementIsDrawnFromTheStyleAndLeftOutWithoutIt) {
  const SkyChartStyle full = FullStyle();
  const Element elements[] = {
      {"equatorial grid", [](SkyChartStyle& s) { s.equatorialGrid.reset(); }, full.equatorialGrid},
      {"alt-azimuth grid", [](SkyChartStyle& s) { s.altAzimuthGrid.reset(); }, full.altAzimuthGrid},
      {"horizon", [](SkyChartStyle& s) { s.horizon.reset(); }, full.horizon},
      {"constellation lines", [](SkyChartStyle& s) { s.constellationLine.reset(); }, full.constellationLine},
      {"nebula mark", [](SkyChartStyle& s) { s.deepSkyMark.reset(); }, full.deepSkyMark},
      {"constellation name", [](SkyChartStyle& s) { s.constellationName.size.reset(); }, std::nullopt},
      {"star names", [](SkyChartStyle& s) { s.starName.color.reset(); }, std::nullopt},
      {"planet name", [](SkyChartStyle& s) { s.planetName.size.reset(); }, std::nullopt},
      {"nebula name", [](SkyChartStyle& s) { s.deepSkyName.color.reset(); }, std::nullopt},
  };
  orv::gdi::Surface all = DrawChart(full);
  for (const Element& e : elements) {
    SCOPED_TRACE(e.name);
    SkyChartStyle without = full;
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
  std::size_t sky = PixelsOf(s, kSkyColor).size();
  std::size_t stars = PixelsOf(s, kStarColor).size();
  std::size_t planet = PixelsOf(s, kPlanetColor).size();
  EXPECT_GT(stars, 11u);   // eleven stars, each at least a dot
  EXPECT_GT(planet, 20u);  // a disc of radius 3
  EXPECT_EQ(sky + stars + planet, static_cast<std::size_t>(kWidth) * kHeight);
  EXPECT_EQ(s.PixelColor(0, 0), kSkyColor);
}

TEST(SkyChartDraw, TheStarsOfOrionAreAboveTheHorizonAndInsideTheChart) {
  SkyProjection view(CRect(0, 0, kWidth, kHeight));
  std::span<const ChartStar> stars = ChartStars();
  for (int i : {0, 1, 2, 3, 4, 5, 6, 7}) {
    const ChartStar& star = stars[static_cast<std::size_t>(i)];
    SCOPED_TRACE(i);
    EXPECT_GT(SkyProjection::Altitude(star.ra, star.dec), 10.0);
    auto p = view.FromEquatorial(star.ra, star.dec);
    ASSERT_TRUE(p.has_value());
    EXPECT_TRUE(CRect(0, 0, kWidth, kHeight).PtInRect(*p));
  }
  // Near the nadir is more than 90 degrees from where the chart looks, whatever the azimuth.
  for (double azimuth : {0.0, 90.0, 180.0, 270.0}) EXPECT_FALSE(view.FromHorizontal(azimuth, -80.0).has_value());
}

// The ink of a label: where the chart changes when only the label's colour does.
CRect NameInk(int size) {
  SkyChartStyle a = FullStyle(), b = FullStyle();
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
