#pragma once
// Ternary raster operations over rows of 32-bit words. A word is one Rgb32 pixel, or one
// monochrome pixel spread to all 32 bits (0 or 0xFFFFFFFF), so the same functions serve both
// formats and every code is evaluated bitwise on all 32 bits.
#include <cstdint>

namespace orv::gdi {

// d[i] = rop(p, s[i], d[i]) for i < n; s is ignored (may be null) when the code does not
// read the source.
using RopRowFn = void (*)(std::uint32_t* d, const std::uint32_t* s, std::uint32_t p, int n);

// The row function of a raster operation (the high word's low byte of the DWORD code).
RopRowFn RopRow(std::uint8_t code);

// The code's 8-bit truth table: bit (P << 2 | S << 1 | D) is the result for those inputs.
inline constexpr std::uint8_t RopCode(std::uint32_t rop) { return static_cast<std::uint8_t>(rop >> 16); }
inline constexpr bool RopUsesSource(std::uint8_t code) { return ((code >> 2) & 0x33) != (code & 0x33); }
inline constexpr bool RopUsesPattern(std::uint8_t code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }

// The reference rule, one bit at a time (tests and single pixels).
inline constexpr std::uint32_t RopApplyBitwise(std::uint8_t code, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t r = 0;
  for (int bit = 0; bit < 32; ++bit) {
    const unsigned idx = (((p >> bit) & 1u) << 2) | (((s >> bit) & 1u) << 1) | ((d >> bit) & 1u);
    r |= static_cast<std::uint32_t>((code >> idx) & 1u) << bit;
  }
  return r;
}

}  // namespace orv::gdi
