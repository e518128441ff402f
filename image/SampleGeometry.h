#pragma once
// Where the sample dialog's sample lies on screen and how one paint draws it, apart from any
// window, so the dialog, the tests and the benchmarks share one computation.
//
// The sample lies in the display area D as the image rectangle I at magnification 1 and is
// magnified by m about D's centre. Scroll positions are sample columns (rows) at D's left
// (top) edge at magnification 1: horizontal position = D.left - I.left, vertical = D.top - I.top.
// Integer halves truncate toward zero, as does every conversion of a double to an int.
//
// Whatever the magnification and the rectangles, no integer overflows: products are held
// to +-kCoordLimit before they are truncated and sums are taken in 64 bits and held alike.
#include "platform/base/Export.h"
#include "platform/base/Geometry.h"

class CDC;
class CVmDIB;

namespace orv::sample {

// Half of an int's range, so that the extent between two held coordinates fits an int too.
inline constexpr long long kCoordLimit = 1LL << 29;

// Holds v to +-kCoordLimit.
ORV_API LONG HoldCoord(long long v);
// truncate(v) held to +-kCoordLimit; NaN (0 x infinity) gives 0.
ORV_API LONG TruncateHeld(double v);
// A magnification worth keeping: finite and greater than 0.
ORV_API bool IsUsableMag(double m);

struct Geometry {
  CRect display;  // D, client coordinates
  CRect image;    // I
  double mag = 1.0;
  int hpos = 0;
  int vpos = 0;

  int HalfWidth() const { return static_cast<int>((static_cast<long long>(display.right) - display.left) / 2); }
  int HalfHeight() const { return static_cast<int>((static_cast<long long>(display.bottom) - display.top) / 2); }
  // Moves I so that its centre meets D's, then sets both positions from it.
  void ScrollToCenter();
  // The horizontal position becomes newPos; I moves by (oldPos - newPos, 0). Vertically alike.
  void UpdateHPos(int oldPos, int newPos);
  void UpdateVPos(int oldPos, int newPos);
  // Client point to sample pixel.
  CPoint DialogToImage(const CPoint& p) const;
  // Sample pixel to a point of the display area, relative to D's top-left corner.
  CPoint ImageToSampleArea(const CPoint& p) const;
  // The part of a sample of sampleWidth x sampleHeight visible in D, in sample pixels.
  CRect DisplayImageRect(int sampleWidth, int sampleHeight) const;
};

// Each edge e of rect becomes truncate((e - c) x factor) + c.
ORV_API void MagnifyRect(const CPoint& centre, CRect* rect, double factor);

// One paint of the sample: bitmap pixels src (size srcSize) go to dest on screen, copied at
// magnification 1 and stretched otherwise in stretchMode; fill says that D is filled with
// COLOR_3DFACE first, because dest does not cover it.
struct PaintPlan {
  CRect dest;
  CPoint src;
  CSize srcSize;
  bool stretch = false;
  int stretchMode = 0;
  bool fill = false;
};
ORV_API PaintPlan PlanPaint(const Geometry& g);

// Draws the bitmap on dc as planned: the fill (with dc's background colour restored after
// it), then the copy, or the stretch in the planned mode (which dc keeps). FALSE when the
// bitmap drew nothing.
ORV_API BOOL DrawPlanned(CDC* dc, CVmDIB* dib, const CRect& display, const PaintPlan& plan);

}  // namespace orv::sample
