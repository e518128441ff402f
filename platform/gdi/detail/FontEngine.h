#pragma once
// A font request resolved to an installed face: its metrics in pixels, text widths, and
// lines of text rasterised into coverage masks. The Qt side stays in FontEngine.cpp.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/GdiTypes.h"

namespace orv::gdi {

struct TextLineMask {
  int width = 0;
  int height = 0;
  int originX = 0;  // mask column of the pen's starting point (glyphs may reach left of it)
  std::vector<std::uint8_t> coverage;  // width * height, rows top-down; row 0 is the cell top
};

class FontEngine {
public:
  explicit FontEngine(const LOGFONT& request);
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  const TEXTMETRIC& Metrics() const { return m_metrics; }
  int UnderlinePosition() const { return m_underlinePos; }  // rows below the baseline
  int StrikeOutPosition() const { return m_strikeOutPos; }  // rows above the baseline
  int LineThickness() const { return m_lineThickness; }
  bool Antialiased() const { return m_antialiased; }
  // The face actually used.
  std::wstring FamilyName() const;

  // Advance width of a line of text in pixels.
  int TextWidth(std::wstring_view text) const;
  // The line rasterised with its cell (coverage rows 0 .. tmHeight - 1), only as far as
  // columns visibleFrom .. visibleTo - 1 measured from the pen's starting point.
  TextLineMask Render(std::wstring_view text, int visibleFrom, int visibleTo) const;

private:
  int Advance(wchar_t c) const;

  struct Impl;
  std::unique_ptr<Impl> m_impl;
  TEXTMETRIC m_metrics{};
  int m_underlinePos = 1;
  int m_strikeOutPos = 1;
  int m_lineThickness = 1;
  bool m_antialiased = true;
};

}  // namespace orv::gdi
