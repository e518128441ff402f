#pragma once
// Draws the sky chart into a rectangle of a device context: black sky, the equatorial and
// alt-azimuth grids, the horizon, the stars, the figure and name of Orion, star names, a
// planet and a nebula, each in the style's colour and size. Lines run on to the edges of
// what the context shows, so the area is meant to be all of it (a window's client area).
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"
#include "sibling/skyview/chart/SkyChartStyle.h"

class CDC;

namespace orv::sky {

// The colours of what the style has no key for.
inline constexpr COLORREF kSkyColor = RGB(0, 0, 0);
inline constexpr COLORREF kStarColor = RGB(255, 255, 255);
inline constexpr COLORREF kPlanetColor = RGB(255, 204, 128);
inline constexpr const wchar_t* kChartFace = L"MS UI Gothic";

ORV_API void DrawSkyChart(CDC& dc, const RECT& area, const SkyChartStyle& style);

}  // namespace orv::sky
