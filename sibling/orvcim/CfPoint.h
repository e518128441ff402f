#pragma once
// A point with an integer position (the CPoint part) and a double-precision one beside it.
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"

class ORV_API CfPoint : public CPoint {
public:
  CfPoint() = default;
  CfPoint(double x0, double y0);
  CfPoint(const CfPoint&) = default;
  CfPoint& operator=(const CfPoint&) = default;
  virtual ~CfPoint();

  double fx = 0.0;
  double fy = 0.0;
};
