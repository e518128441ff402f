#include "GdiTestSupport.h"

#include <algorithm>
#include <sstream>

namespace orv::gdi::test {

Canvas::Canvas(int width, int height, PixelFormat format) {
  dc.CreateCompatibleDC(nullptr);
  bitmap.CreateBitmap(width, height, 1, format == PixelFormat::Rgb32 ? 32 : 1, nullptr);
  previous = dc.SelectObject(&bitmap);
}

Canvas::~Canvas() { dc.SelectObject(previous); }  // a null previous selects nothing

std::vector<std::uint32_t> RawPixels(const Surface& s, const CRect& area) {
  std::vector<std::uint32_t> out;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) out.push_back(s.RawPixel(x, y));
  return out;
}

void Fill(Surface& s, const std::function<std::uint32_t(int, int)>& fn) {
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const std::uint32_t v = fn(x, y);
      BYTE& b = s.Row(y)[x >> 3];
      const BYTE mask = static_cast<BYTE>(0x80u >> (x & 7));
      if (s.Format() == PixelFormat::Rgb32)
        s.Row32(y)[x] = v;
      else
        b = static_cast<BYTE>((v & 1u) ? (b | mask) : (b & ~mask));
    }
}

std::uint32_t Noise(int x, int y, std::uint32_t seed) {
  std::uint32_t v = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA77u ^ seed;
  v ^= v >> 15;
  v *= 0x2C1B3C6Du;
  v ^= v >> 12;
  v *= 0x297A2D39u;
  v ^= v >> 15;
  return v;
}

::testing::AssertionResult SameSurface(const std::string& step, const Surface& actual,
                                       const std::vector<std::uint32_t>& expected) {
  const std::vector<std::uint32_t> got = RawPixels(actual);
  std::ostringstream os;
  os << FormatName(actual.Format()) << ", step \"" << step << "\": ";
  if (got.size() != expected.size()) return ::testing::AssertionFailure() << os.str() << "size differs";
  const std::size_t i = std::mismatch(got.begin(), got.end(), expected.begin()).first - got.begin();
  if (i == got.size()) return ::testing::AssertionSuccess();
  os << "pixel (" << i % actual.Width() << ", " << i / actual.Width() << ") is 0x" << std::hex << got[i]
     << ", expected 0x" << expected[i];
  return ::testing::AssertionFailure() << os.str();
}

std::vector<int> Row(const Surface& s, int y) {
  std::vector<int> out;
  for (int x = 0; x < s.Width(); ++x) out.push_back(static_cast<int>(s.RawPixel(x, y)));
  return out;
}

std::vector<int> Column(const Surface& s, int x) {
  std::vector<int> out;
  for (int y = 0; y < s.Height(); ++y) out.push_back(static_cast<int>(s.RawPixel(x, y)));
  return out;
}

}  // namespace orv::gdi::test
