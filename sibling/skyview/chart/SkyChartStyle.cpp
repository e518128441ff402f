#include "sibling/skyview/chart/SkyChartStyle.h"

#include "sibling/skyview/SkyViewControl.h"

namespace orv::sky {
namespace {

ChartLabel LabelOf(const CSkyViewControl& control, const wchar_t* sizeKey, const wchar_t* colorKey) {
  return ChartLabel{control.GetColor(colorKey), control.GetSize(sizeKey)};
}

}  // namespace

SkyChartStyle SkyChartStyle::FromControl(const CSkyViewControl& control) {
  SkyChartStyle s;
  s.equatorialGrid = control.GetColor(L"CoordinatesLine.EquatorialGrid.Color");
  s.altAzimuthGrid = control.GetColor(L"CoordinatesLine.AltAzimuthGrid.Color");
  s.horizon = control.GetColor(L"CoordinatesLine.Horizon.Color");
  s.constellationLine = control.GetColor(L"Constellation.Line.Color");
  s.constellationName = LabelOf(control, L"Constellation.Name.Size", L"Constellation.Name.Color");
  s.starName = LabelOf(control, L"Star.Name.Size", L"Star.Name.Color");
  s.planetName = LabelOf(control, L"Solar.Planet.Name.Size", L"Solar.Planet.Name.Color");
  s.deepSkyMark = control.GetColor(L"DeepSky.DiffuseNebula.Mark.Color");
  s.deepSkyName = LabelOf(control, L"DeepSky.DiffuseNebula.Name.Size", L"DeepSky.DiffuseNebula.Name.Color");
  return s;
}

}  // namespace orv::sky
