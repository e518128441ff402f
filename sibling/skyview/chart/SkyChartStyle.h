#pragma once
// The colours and font sizes a sky chart is drawn with, taken from a sky-view control at one
// moment. An element whose key the control does not know is left out of the chart.
#include <optional>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

class CSkyViewControl;

namespace orv::sky {

struct ChartLabel {
  std::optional<COLORREF> color;
  std::optional<int> size;  // character height in pixels
  bool Drawn() const { return color.has_value() && size.has_value(); }
};

struct SkyChartStyle {
  std::optional<COLORREF> equatorialGrid;
  std::optional<COLORREF> altAzimuthGrid;
  std::optional<COLORREF> horizon;
  std::optional<COLORREF> constellationLine;
  ChartLabel constellationName;
  ChartLabel starName;
  ChartLabel planetName;
  std::optional<COLORREF> deepSkyMark;
  ChartLabel deepSkyName;

  // The control's current values.
  ORV_API static SkyChartStyle FromControl(const CSkyViewControl& control);
};

}  // namespace orv::sky
