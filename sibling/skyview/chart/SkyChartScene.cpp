#include "sibling/skyview/chart/SkyChartScene.h"

#include <cmath>
#include <numbers>

namespace orv::sky {
namespace {

constexpr double kLatitude = 35.0;        // observer, degrees north
constexpr double kSiderealTime = 22.5;    // local sidereal time, degrees (1 h 30 m)
constexpr double kCentreAltitude = 22.0;  // where the chart looks
constexpr double kHalfWidth = 36.0;       // degrees from the centre to the left and right edges

constexpr double Rad(double degrees) { return degrees * std::numbers::pi / 180.0; }
constexpr double Deg(double radians) { return radians * 180.0 / std::numbers::pi; }

// Right ascension in hours, minutes, seconds; declination in degrees.
constexpr double Hms(int h, int m, double s) { return (h + m / 60.0 + s / 3600.0) * 15.0; }

constexpr ChartStar kStars[] = {
    {L"ベテルギウス", Hms(5, 55, 10.3), 7.407, 0.5, true, true},  // 0
    {L"リゲル", Hms(5, 14, 32.3), -8.202, 0.1, true},          // 1
    {L"ベラトリックス", Hms(5, 25, 7.9), 6.350, 1.6, false},  // 2
    {L"サイフ", Hms(5, 47, 45.4), -9.670, 2.1, false},         // 3
    {L"アルニタク", Hms(5, 40, 45.5), -1.943, 1.8, false},     // 4
    {L"アルニラム", Hms(5, 36, 12.8), -1.202, 1.7, false},     // 5
    {L"ミンタカ", Hms(5, 32, 0.4), -0.299, 2.2, false},        // 6
    {L"メイサ", Hms(5, 35, 8.3), 9.934, 3.4, false},           // 7
    {L"シリウス", Hms(6, 45, 8.9), -16.716, -1.5, true},       // 8
    {L"アルデバラン", Hms(4, 35, 55.2), 16.509, 0.9, true},    // 9
    {L"プロキオン", Hms(7, 39, 18.1), 5.225, 0.4, true},       // 10
};

// Shoulders, head, belt, knees and the lines between them.
constexpr int kOrionLines[] = {0, 2, 0, 7, 2, 7, 0, 4, 2, 6, 6, 5, 5, 4, 4, 3, 6, 1};
constexpr ChartFigure kOrion{{L"オリオン座", Hms(5, 12, 0), 2.0}, kOrionLines};
constexpr ChartObject kPlanet{L"木星", Hms(5, 2, 0), 18.0};
constexpr ChartObject kNebula{L"M42", Hms(5, 35, 17.3), -5.391};

}  // namespace

std::span<const ChartStar> ChartStars() { return kStars; }
const ChartFigure& ChartConstellation() { return kOrion; }
const ChartObject& ChartPlanet() { return kPlanet; }
const ChartObject& ChartNebula() { return kNebula; }

SkyProjection::SkyProjection(const RECT& area)
    : area_(area), scale_(area_.Width() / 2.0 / (2.0 * std::tan(Rad(kHalfWidth) / 2.0))) {}

namespace {

struct Horizontal {
  double azimuth;  // from north through east
  double altitude;
};

Horizontal ToHorizontal(double ra, double dec) {
  double ha = Rad(kSiderealTime - ra);
  double d = Rad(dec);
  double phi = Rad(kLatitude);
  double alt = std::asin(std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(ha));
  double az = std::atan2(-std::cos(d) * std::sin(ha), std::sin(d) * std::cos(phi) - std::cos(d) * std::sin(phi) * std::cos(ha));
  return {Deg(az), Deg(alt)};
}

// The chart looks at the azimuth of Orion's belt.
double CentreAzimuth() {
  static const double azimuth = ToHorizontal(kStars[5].ra, kStars[5].dec).azimuth;
  return azimuth;
}

}  // namespace

double SkyProjection::Altitude(double ra, double dec) { return ToHorizontal(ra, dec).altitude; }

std::optional<CPoint> SkyProjection::FromHorizontal(double azimuth, double altitude) const {
  double h0 = Rad(kCentreAltitude), h = Rad(altitude), da = Rad(azimuth - CentreAzimuth());
  double cosc = std::sin(h0) * std::sin(h) + std::cos(h0) * std::cos(h) * std::cos(da);
  if (!(cosc > 0.0)) return std::nullopt;
  double k = 2.0 / (1.0 + cosc);
  double x = k * std::cos(h) * std::sin(da);
  double y = k * (std::cos(h0) * std::sin(h) - std::sin(h0) * std::cos(h) * std::cos(da));
  double cx = (area_.left + area_.right) / 2.0, cy = (area_.top + area_.bottom) / 2.0;
  return CPoint(static_cast<int>(std::lround(cx + x * scale_)), static_cast<int>(std::lround(cy - y * scale_)));
}

std::optional<CPoint> SkyProjection::FromEquatorial(double ra, double dec) const {
  Horizontal p = ToHorizontal(ra, dec);
  return FromHorizontal(p.azimuth, p.altitude);
}

}  // namespace orv::sky
