#pragma once
// What the sky chart shows and where: a few bright stars of the winter sky around Orion, the
// figure of Orion, a planet and a nebula, seen from latitude 35 degrees north looking south
// east, in a stereographic projection onto the chart's rectangle.
#include <optional>
#include <span>

#include "platform/base/Export.h"
#include "platform/base/Geometry.h"

namespace orv::sky {

struct ChartStar {
  const wchar_t* name;  // shown only when labelled
  double ra;            // degrees (J2000)
  double dec;
  double magnitude;
  bool labelled;
  bool labelLeft = false;  // the name goes to the left of the star (clear of the figure)
};

struct ChartObject {
  const wchar_t* name;
  double ra;
  double dec;
};

struct ChartFigure {
  ChartObject name;            // the name and where it goes
  std::span<const int> lines;  // pairs of indexes into ChartStars()
};

ORV_API std::span<const ChartStar> ChartStars();
ORV_API const ChartFigure& ChartConstellation();
ORV_API const ChartObject& ChartPlanet();
ORV_API const ChartObject& ChartNebula();

class ORV_API SkyProjection {
public:
  // The fixed view, scaled so that 80 degrees of sky span the width of the area.
  explicit SkyProjection(const RECT& area);

  // Chart position of a point of the sky; nullopt for one more than 90 degrees from the
  // centre of the view, which the chart never shows.
  std::optional<CPoint> FromHorizontal(double azimuth, double altitude) const;
  std::optional<CPoint> FromEquatorial(double ra, double dec) const;
  // The altitude of an equatorial position (negative below the horizon).
  static double Altitude(double ra, double dec);

private:
  CRect area_;
  double scale_;
};

}  // namespace orv::sky
