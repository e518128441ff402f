#pragma once
// A font request resolved to an installed face: its metrics in pixels, text widths, and
// lines of text rasterised into coverage masks.
//
// The rasteriser needs the GUI toolkit's font database, which the rest of the GDI does not:
// the engine that uses it lives in liborvgdiqt, loaded when the first font is resolved (or
// already loaded by the window layer), so programs that never draw text never load Qt.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Export.h"
#include "platform/gdi/GdiTypes.h"

namespace orv::gdi {

struct TextLineMask {
  int width = 0;
  int height = 0;
  int originX = 0;  // mask column of the pen's starting point (glyphs may reach left of it)
  std::vector<std::uint8_t> coverage;  // width * height, rows top-down; row 0 is the cell top
};

class ORV_API FontEngine {
public:
  virtual ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  const TEXTMETRIC& Metrics() const { return metrics_; }
  int UnderlinePosition() const { return underlinePos_; }  // rows below the baseline
  int StrikeOutPosition() const { return strikeOutPos_; }  // rows above the baseline
  int LineThickness() const { return lineThickness_; }
  bool Antialiased() const { return antialiased_; }
  // The face actually used.
  virtual std::wstring FamilyName() const = 0;

  // Advance width of a line of text in pixels.
  virtual int TextWidth(std::wstring_view text) const = 0;
  // The line rasterised with its cell (coverage rows 0 .. tmHeight - 1), only as far as
  // columns visibleFrom .. visibleTo - 1 measured from the pen's starting point.
  virtual TextLineMask Render(std::wstring_view text, int visibleFrom, int visibleTo) const = 0;

protected:
  FontEngine() = default;

  TEXTMETRIC metrics_{};
  int underlinePos_ = 1;
  int strikeOutPos_ = 1;
  int lineThickness_ = 1;
  bool antialiased_ = true;
};

// Makes the engine of a request; the text engine's library installs it when it loads.
using FontEngineFactory = std::unique_ptr<FontEngine> (*)(const LOGFONT& request);
ORV_API void SetFontEngineFactory(FontEngineFactory factory);

// The engine for a request: the installed factory's (loading the text engine's library
// first when none is installed), else one that measures every text as empty and draws
// nothing, with the requested cell height.
std::unique_ptr<FontEngine> CreateFontEngine(const LOGFONT& request);

}  // namespace orv::gdi
