#include "platform/gdi/detail/StretchMap.h"

#include <algorithm>
#include <climits>

namespace orv::gdi {
namespace {

using Wide = __int128;  // (2j + 1) * s needs up to 66 bits for 32-bit spans

// ceil((2k + 1) * num / (2 * den)) - 1, for k >= 0, num > 0, den > 0.
std::int64_t CeilHalfStep(std::int64_t k, std::int64_t num, std::int64_t den) {
  const Wide a = static_cast<Wide>(2 * k + 1) * num;
  const Wide b = static_cast<Wide>(2) * den;
  return static_cast<std::int64_t>((a + b - 1) / b) - 1;
}

}  // namespace

bool MapAxis(const AxisRequest& request, AxisMap* map) {
  map->first.clear();
  map->last.clear();
  map->srcMin = 0;
  map->srcMax = -1;
  map->identity = false;
  const std::int64_t d = request.dstLen, s = request.srcLen;
  if (d <= 0 || s <= 0) return false;
  const std::int64_t lo = std::max(request.dstPos, request.visible0);
  const std::int64_t hi = std::min(request.dstPos + d, request.visible1);
  if (lo >= hi) return false;

  // Relative destination j -> destination device coordinate, honouring both flips.
  auto flipDst = [&](std::int64_t j) { return request.mirror != request.fromFarEdge ? d - 1 - j : j; };

  std::vector<int> first(static_cast<std::size_t>(hi - lo), INT_MAX);
  std::vector<int> last(static_cast<std::size_t>(hi - lo), INT_MIN);
  if (d >= s) {
    // Enlarging (or one-to-one): every destination pixel takes one source pixel.
    for (std::int64_t k = lo; k < hi; ++k) {
      const std::int64_t j = flipDst(k - request.dstPos);  // in the mapping's own direction
      std::int64_t i = CeilHalfStep(j, s, d);
      if (request.fromFarEdge) i = s - 1 - i;
      const std::int64_t src = request.srcPos + i;
      if (src < 0 || src >= request.srcLimit) continue;
      first[static_cast<std::size_t>(k - lo)] = last[static_cast<std::size_t>(k - lo)] = static_cast<int>(src);
    }
  } else {
    // Shrinking: each source pixel joins the group of one destination pixel.
    const std::int64_t i0 = std::max<std::int64_t>(0, -request.srcPos);
    const std::int64_t i1 = std::min<std::int64_t>(s, request.srcLimit - request.srcPos);
    for (std::int64_t i = i0; i < i1; ++i) {
      const std::int64_t ii = request.fromFarEdge ? s - 1 - i : i;
      const std::int64_t k = request.dstPos + flipDst(CeilHalfStep(ii, d, s));
      if (k < lo || k >= hi) continue;
      const auto slot = static_cast<std::size_t>(k - lo);
      const int src = static_cast<int>(request.srcPos + i);
      first[slot] = std::min(first[slot], src);
      last[slot] = std::max(last[slot], src);
    }
  }

  // Keep the contiguous run of destination pixels that received something.
  std::size_t a = 0, b = first.size();
  while (a < b && last[a] == INT_MIN) ++a;
  while (b > a && last[b - 1] == INT_MIN) --b;
  if (a == b) return false;
  map->dst0 = static_cast<int>(lo + static_cast<std::int64_t>(a));
  map->first.assign(first.begin() + static_cast<std::ptrdiff_t>(a), first.begin() + static_cast<std::ptrdiff_t>(b));
  map->last.assign(last.begin() + static_cast<std::ptrdiff_t>(a), last.begin() + static_cast<std::ptrdiff_t>(b));
  map->srcMin = *std::min_element(map->first.begin(), map->first.end());
  map->srcMax = *std::max_element(map->last.begin(), map->last.end());
  map->identity = d == s && !request.mirror;
  return true;
}

}  // namespace orv::gdi
