#pragma once
// Helpers for drawing tests: memory contexts with a bitmap of a chosen format, pixel
// patterns that exercise every bit, and whole-surface comparison that names the format, the
// step and the first differing pixel.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gdi/DC.h"

namespace orv::gdi::test {

inline const char* FormatName(PixelFormat f) { return f == PixelFormat::Rgb32 ? "Rgb32" : "Mono1"; }

// A memory context with a width x height bitmap of the format selected, all pixels zero.
struct Canvas {
  Canvas(int width, int height, PixelFormat format);
  ~Canvas();
  CDC dc;
  CBitmap bitmap;
  CBitmap* previous = nullptr;
  Surface& surface() { return *bitmap.GetSurface(); }
};

// Raw pixel words of a surface, or of an area of it, row by row (Mono1: 0 or 1 per pixel).
std::vector<std::uint32_t> RawPixels(const Surface& s, const CRect& area);
inline std::vector<std::uint32_t> RawPixels(const Surface& s) {
  return RawPixels(s, CRect(0, 0, s.Width(), s.Height()));
}
// Sets every pixel from fn(x, y) (raw word; Mono1 uses bit 0).
void Fill(Surface& s, const std::function<std::uint32_t(int, int)>& fn);
// A deterministic pseudo-random word for (x, y, seed), with all 32 bits in play.
std::uint32_t Noise(int x, int y, std::uint32_t seed);

// Compares a surface with the expected raw pixels; the message names the step and the
// first pixel that differs.
::testing::AssertionResult SameSurface(const std::string& step, const Surface& actual,
                                       const std::vector<std::uint32_t>& expected);

// The columns (row y) or rows (column x) that equal a marker value, in order; used to read
// which source pixel each destination pixel received.
std::vector<int> Row(const Surface& s, int y);
std::vector<int> Column(const Surface& s, int x);

}  // namespace orv::gdi::test
