#include "platform/gdi/detail/Rop.h"

#include <array>
#include <utility>

namespace orv::gdi {
namespace {

// A function of two inputs from its 4-bit table (bit x << 1 | y is the result for x, y).
template <unsigned T>
inline std::uint32_t Fn2(std::uint32_t x, std::uint32_t y) {
  if constexpr (T == 0x0) return 0;
  else if constexpr (T == 0x1) return ~(x | y);
  else if constexpr (T == 0x2) return ~x & y;
  else if constexpr (T == 0x3) return ~x;
  else if constexpr (T == 0x4) return x & ~y;
  else if constexpr (T == 0x5) return ~y;
  else if constexpr (T == 0x6) return x ^ y;
  else if constexpr (T == 0x7) return ~(x & y);
  else if constexpr (T == 0x8) return x & y;
  else if constexpr (T == 0x9) return ~(x ^ y);
  else if constexpr (T == 0xA) return y;
  else if constexpr (T == 0xB) return ~x | y;
  else if constexpr (T == 0xC) return x;
  else if constexpr (T == 0xD) return x | ~y;
  else if constexpr (T == 0xE) return x | y;
  else return ~0u;
}

// The code split on the source bit: with S fixed, the result is a function of P and D.
constexpr unsigned HalfTable(unsigned code, unsigned s) {
  const unsigned b = code >> (s << 1);  // bits for S = s sit at indexes s*2 + {0, 1, 4, 5}
  return (b & 0x3u) | ((b >> 2) & 0xCu);
}

// Each code becomes at most a multiplexer between two one-operation functions, so every
// inner loop is a handful of branch-free word operations that the compiler vectorises.
template <unsigned Code>
void RopRowImpl(std::uint32_t* d, const std::uint32_t* s, std::uint32_t p, int n) {
  constexpr unsigned t0 = HalfTable(Code, 0);
  constexpr unsigned t1 = HalfTable(Code, 1);
  if constexpr (t0 == t1) {
    (void)s;
    for (int i = 0; i < n; ++i) d[i] = Fn2<t0>(p, d[i]);
  } else {
    for (int i = 0; i < n; ++i) {
      const std::uint32_t f0 = Fn2<t0>(p, d[i]);
      const std::uint32_t f1 = Fn2<t1>(p, d[i]);
      d[i] = f0 ^ ((f0 ^ f1) & s[i]);
    }
  }
}

template <std::size_t... I>
constexpr std::array<RopRowFn, 256> MakeTable(std::index_sequence<I...>) {
  return {&RopRowImpl<static_cast<unsigned>(I)>...};
}

constexpr std::array<RopRowFn, 256> kRows = MakeTable(std::make_index_sequence<256>());

// Plain copies and fills need no arithmetic at all.
void CopyRow(std::uint32_t* d, const std::uint32_t* s, std::uint32_t, int n) {
  for (int i = 0; i < n; ++i) d[i] = s[i];
}
void FillRow(std::uint32_t* d, const std::uint32_t*, std::uint32_t p, int n) {
  for (int i = 0; i < n; ++i) d[i] = p;
}

}  // namespace

RopRowFn RopRow(std::uint8_t code) {
  if (code == 0xCC) return &CopyRow;
  if (code == 0xF0) return &FillRow;
  return kRows[code];
}

}  // namespace orv::gdi
