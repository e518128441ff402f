#include "sibling/skyview/chart/SkyChartDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "sibling/skyview/chart/SkyChartScene.h"

namespace orv::sky {
namespace {

// A curve through the chart, sampled; a piece with an end out of view is left out.
template <typename PointAt>
void DrawCurve(CDC& dc, double from, double to, double step, PointAt pointAt) {
  std::optional<CPoint> last;
  for (double t = from; t <= to + step / 2; t += step) {
    std::optional<CPoint> p = pointAt(std::min(t, to));
    if (p && last) {
      dc.MoveTo(*last);
      dc.LineTo(*p);
    }
    last = p;
  }
}

class PenScope {
public:
  PenScope(CDC& dc, COLORREF color) : dc_(dc), pen_(PS_SOLID, 1, color), old_(dc.SelectObject(&pen_)) {}
  ~PenScope() { dc_.SelectObject(old_); }
  PenScope(const PenScope&) = delete;
  PenScope& operator=(const PenScope&) = delete;

private:
  CDC& dc_;
  CPen pen_;
  CPen* old_;
};

void DrawGrids(CDC& dc, const SkyProjection& view, const SkyChartStyle& style) {
  if (style.equatorialGrid) {
    PenScope pen(dc, *style.equatorialGrid);
    for (int ra = 0; ra < 360; ra += 15)
      DrawCurve(dc, -80, 80, 2, [&](double dec) { return view.FromEquatorial(ra, dec); });
    for (int dec = -80; dec <= 80; dec += 10)
      DrawCurve(dc, 0, 360, 2, [&](double ra) { return view.FromEquatorial(ra, dec); });
  }
  if (style.altAzimuthGrid) {
    PenScope pen(dc, *style.altAzimuthGrid);
    for (int az = 0; az < 360; az += 15)
      DrawCurve(dc, 0, 80, 2, [&](double alt) { return view.FromHorizontal(az, alt); });
    for (int alt = 10; alt <= 80; alt += 10)
      DrawCurve(dc, 0, 360, 2, [&](double az) { return view.FromHorizontal(az, alt); });
  }
  if (style.horizon) {
    PenScope pen(dc, *style.horizon);
    DrawCurve(dc, 0, 360, 1, [&](double az) { return view.FromHorizontal(az, 0); });
  }
}

void FillDisc(CDC& dc, CPoint centre, int radius, COLORREF color) {
  for (int dy = -radius; dy <= radius; ++dy) {
    int half = static_cast<int>(std::lround(std::sqrt(double(radius * radius - dy * dy))));
    dc.FillSolidRect(centre.x - half, centre.y + dy, 2 * half + 1, 1, color);
  }
}

// Brighter stars are bigger: radius 1 at magnitude 3 and fainter, up to 4 for the brightest.
int StarRadius(double magnitude) { return std::clamp(static_cast<int>(std::lround((4.2 - magnitude) * 0.8)), 1, 4); }

// A name with its top left at `at`, or with its top right there when `left`.
void DrawLabel(CDC& dc, const ChartLabel& label, CPoint at, const wchar_t* text, bool left = false) {
  if (!label.Drawn()) return;
  CFont font;
  font.CreateFont(-*label.size, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kChartFace);
  CFont* old = dc.SelectObject(&font);
  dc.SetTextColor(*label.color);
  CString s(text);
  if (left) at.x -= dc.GetTextExtent(s).cx;
  dc.TextOut(at.x, at.y, s);
  dc.SelectObject(old);
}

bool Visible(double ra, double dec) { return SkyProjection::Altitude(ra, dec) > 0.0; }

}  // namespace

void DrawSkyChart(CDC& dc, const RECT& area, const SkyChartStyle& style) {
  int saved = dc.SaveDC();
  CRect box(area);
  dc.FillSolidRect(&box, kSkyColor);
  dc.SetBkMode(TRANSPARENT);
  SkyProjection view(box);
  DrawGrids(dc, view, style);

  std::span<const ChartStar> stars = ChartStars();
  const ChartFigure& figure = ChartConstellation();
  if (style.constellationLine) {
    PenScope pen(dc, *style.constellationLine);
    for (std::size_t i = 0; i + 1 < figure.lines.size(); i += 2) {
      const ChartStar& a = stars[static_cast<std::size_t>(figure.lines[i])];
      const ChartStar& b = stars[static_cast<std::size_t>(figure.lines[i + 1])];
      auto p = view.FromEquatorial(a.ra, a.dec), q = view.FromEquatorial(b.ra, b.dec);
      if (!p || !q) continue;
      dc.MoveTo(*p);
      dc.LineTo(*q);
    }
  }
  for (const ChartStar& star : stars) {
    auto p = view.FromEquatorial(star.ra, star.dec);
    if (p && Visible(star.ra, star.dec)) FillDisc(dc, *p, StarRadius(star.magnitude), kStarColor);
  }

  const ChartObject& nebula = ChartNebula();
  auto nebulaAt = view.FromEquatorial(nebula.ra, nebula.dec);
  if (nebulaAt && style.deepSkyMark) {
    // A nebula's mark: a small square frame.
    CRect mark(nebulaAt->x - 4, nebulaAt->y - 4, nebulaAt->x + 5, nebulaAt->y + 5);
    CBrush brush(*style.deepSkyMark);
    dc.FrameRect(&mark, &brush);
  }
  const ChartObject& planet = ChartPlanet();
  auto planetAt = view.FromEquatorial(planet.ra, planet.dec);
  if (planetAt) FillDisc(dc, *planetAt, 3, kPlanetColor);

  // Names last, over everything they may cross.
  if (auto at = view.FromEquatorial(figure.name.ra, figure.name.dec))
    DrawLabel(dc, style.constellationName, *at, figure.name.name);
  for (const ChartStar& star : stars) {
    auto p = view.FromEquatorial(star.ra, star.dec);
    if (star.labelled && p && Visible(star.ra, star.dec))
      DrawLabel(dc, style.starName, star.labelLeft ? *p + CSize(-6, -4) : *p + CSize(6, 2), star.name, star.labelLeft);
  }
  if (planetAt) DrawLabel(dc, style.planetName, *planetAt + CSize(6, -4), planet.name);
  if (nebulaAt) DrawLabel(dc, style.deepSkyName, *nebulaAt + CSize(7, 0), nebula.name);
  dc.RestoreDC(saved);
}

}  // namespace orv::sky
