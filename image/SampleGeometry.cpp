// The sample dialog's geometry and the plan of one paint.
#include "image/SampleGeometry.h"

#include <algorithm>
#include <cmath>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "sibling/orvcim/Dib.h"

namespace orv::sample {

LONG HoldCoord(long long v) { return static_cast<LONG>(std::clamp(v, -kCoordLimit, kCoordLimit)); }

LONG TruncateHeld(double v) {
  if (std::isnan(v)) return 0;
  const double limit = static_cast<double>(kCoordLimit);
  return static_cast<LONG>(std::clamp(v, -limit, limit));
}

bool IsUsableMag(double m) { return std::isfinite(m) && m > 0.0; }

namespace {
// a + b + c in 64 bits, held.
LONG Sum(long long a, long long b, long long c = 0) { return HoldCoord(a + b + c); }

// The centre in integer halves, without overflow.
CPoint Centre(const CRect& r) {
  return CPoint(static_cast<LONG>((static_cast<long long>(r.left) + r.right) / 2),
                static_cast<LONG>((static_cast<long long>(r.top) + r.bottom) / 2));
}
}  // namespace

void Geometry::ScrollToCenter() {
  const CPoint d = Centre(display);
  const CPoint i = Centre(image);
  const long long dx = static_cast<long long>(d.x) - i.x, dy = static_cast<long long>(d.y) - i.y;
  image = CRect(Sum(image.left, dx), Sum(image.top, dy), Sum(image.right, dx), Sum(image.bottom, dy));
  hpos = Sum(display.left, -static_cast<long long>(image.left));
  vpos = Sum(display.top, -static_cast<long long>(image.top));
}

void Geometry::UpdateHPos(int oldPos, int newPos) {
  hpos = newPos;
  const LONG dx = HoldCoord(static_cast<long long>(oldPos) - newPos);
  image.left = Sum(image.left, dx);
  image.right = Sum(image.right, dx);
}

void Geometry::UpdateVPos(int oldPos, int newPos) {
  vpos = newPos;
  const LONG dy = HoldCoord(static_cast<long long>(oldPos) - newPos);
  image.top = Sum(image.top, dy);
  image.bottom = Sum(image.bottom, dy);
}

CPoint Geometry::DialogToImage(const CPoint& p) const {
  const double m = IsUsableMag(mag) ? mag : 1.0;
  const int hw = HalfWidth(), hh = HalfHeight();
  return CPoint(Sum(hpos, hw, TruncateHeld((static_cast<double>(p.x) - display.left - hw) / m)),
                Sum(vpos, hh, TruncateHeld((static_cast<double>(p.y) - display.top - hh) / m)));
}

CPoint Geometry::ImageToSampleArea(const CPoint& p) const {
  const double m = IsUsableMag(mag) ? mag : 1.0;
  const int hw = HalfWidth(), hh = HalfHeight();
  return CPoint(Sum(TruncateHeld((static_cast<double>(p.x) - hpos - hw) * m), hw),
                Sum(TruncateHeld((static_cast<double>(p.y) - vpos - hh) * m), hh));
}

CRect Geometry::DisplayImageRect(int sampleWidth, int sampleHeight) const {
  const CPoint a = DialogToImage(display.TopLeft());
  const CPoint b = DialogToImage(display.BottomRight());
  return CRect(std::max<LONG>(a.x, 0), std::max<LONG>(a.y, 0), std::min<LONG>(b.x, sampleWidth),
               std::min<LONG>(b.y, sampleHeight));
}

void MagnifyRect(const CPoint& c, CRect* r, double f) {
  auto edge = [f](LONG e, LONG centre) {
    return Sum(TruncateHeld((static_cast<double>(e) - centre) * f), centre);
  };
  r->left = edge(r->left, c.x);
  r->right = edge(r->right, c.x);
  r->top = edge(r->top, c.y);
  r->bottom = edge(r->bottom, c.y);
}

PaintPlan PlanPaint(const Geometry& g) {
  PaintPlan plan;
  CRect visible;
  if (g.mag == 1.0) {
    visible.IntersectRect(g.display, g.image);
    plan.dest = visible;
  } else {
    const double m = IsUsableMag(g.mag) ? g.mag : 1.0;
    const CPoint centre = Centre(g.display);
    CRect shown = g.display;
    MagnifyRect(centre, &shown, 1.0 / m);
    visible.IntersectRect(shown, g.image);
    plan.dest = visible;
    MagnifyRect(centre, &plan.dest, m);
    plan.stretch = true;
    plan.stretchMode = m < 1.0 ? COLORONCOLOR : WHITEONBLACK;
  }
  plan.src = CPoint(Sum(visible.left, -static_cast<long long>(g.image.left)),
                    Sum(visible.top, -static_cast<long long>(g.image.top)));
  plan.srcSize = visible.Size();
  plan.fill = plan.dest != g.display;
  return plan;
}

BOOL DrawPlanned(CDC* dc, CVmDIB* dib, const CRect& display, const PaintPlan& plan) {
  if (dc == nullptr || dib == nullptr) return FALSE;
  if (plan.fill) {
    const COLORREF background = dc->GetBkColor();
    dc->FillSolidRect(&display, GetSysColor(COLOR_3DFACE));
    dc->SetBkColor(background);
  }
  if (!plan.stretch) return dib->BitBlt(nullptr, dc, plan.dest, plan.src, SRCCOPY);
  dc->SetStretchBltMode(plan.stretchMode);
  return dib->StretchBlt(nullptr, dc, plan.dest, plan.src, plan.srcSize, SRCCOPY);
}

}  // namespace orv::sample
