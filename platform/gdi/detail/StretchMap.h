#pragma once
// Which source pixels feed each destination pixel along one axis of a stretch.
//
// The platform's mapping: enlarging, destination pixel j takes source ceil((j + 0.5) * s / d) - 1;
// shrinking, source pixel i belongs to destination ceil((i + 0.5) * d / s) - 1, so a
// destination pixel gathers a group of neighbouring source pixels. Rows are mapped from the
// bottom edge, as the platform does for its bottom-up bitmaps: at an exact tie a row rounds
// the other way than a column (7 x 5 to 5 x 4 groups columns {0} {1 2} {3} {4 5} {6} but
// rows {0} {1} {2 3} {4}).
#include <cstdint>
#include <vector>

namespace orv::gdi {

struct AxisMap {
  int dst0 = 0;               // first destination pixel drawn (device coordinate)
  std::vector<int> first;     // per destination pixel: first and last source pixel of its
  std::vector<int> last;      // group, in source coordinates; first == last when enlarging
  int srcMin = 0, srcMax = -1;  // range of all source pixels used
  bool identity = false;      // one-to-one and in order: source = srcMin + (dst - dst0)
  int Count() const { return static_cast<int>(first.size()); }
};

struct AxisRequest {
  std::int64_t dstPos = 0, dstLen = 0;    // destination span (dstLen > 0)
  std::int64_t visible0 = 0, visible1 = 0;  // part of the destination that may be drawn
  std::int64_t srcPos = 0, srcLen = 0;    // source span (srcLen > 0)
  int srcLimit = 0;                       // source pixels exist at 0 .. srcLimit - 1
  bool mirror = false;                    // destination runs the other way
  bool fromFarEdge = false;               // map from the far edge (rows)
};

// Fills map with the drawable destination pixels (contiguous); false when there are none.
bool MapAxis(const AxisRequest& request, AxisMap* map);

}  // namespace orv::gdi
