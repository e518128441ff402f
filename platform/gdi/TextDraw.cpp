// Text on device contexts: lines laid out by DrawText's formats, painted from the font
// engine's coverage masks in the text colour.
#include <algorithm>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/DC.h"
#include "platform/gdi/detail/DcState.h"
#include "platform/gdi/detail/FontEngine.h"

using orv::gdi::DcState;
using orv::gdi::FontEngine;

namespace {

constexpr int kTabColumns = 8;  // tab stops every eight average characters

struct Line {
  std::size_t start = 0;  // offset into the laid-out text
  std::wstring_view text;
};

using orv::gdi::ClampCoord;

class LineWriter {
public:
  LineWriter(DcState& st, const FontEngine& font, bool expandTabs)
      : st_(st), font_(font), tabStop_(std::max<int>(1, font.Metrics().tmAveCharWidth) * kTabColumns),
        expandTabs_(expandTabs) {}

  int Width(std::wstring_view text) const {
    if (!expandTabs_) return font_.TextWidth(text);
    int x = 0;
    ForSegments(text, [&](std::wstring_view segment, int at) { x = at + font_.TextWidth(segment); });
    return x;
  }

  // Draws a line with its cell's top-left corner at device (x, y) inside `clip` (device);
  // `mnemonic` is the index of the character to underline, or npos.
  void Draw(std::wstring_view text, std::int64_t x, std::int64_t y, const RECT& clip, std::size_t mnemonic) {
    RECT visible;
    if (st_.surface == nullptr || !orv::gdi::IntersectRects(clip, st_.clip, &visible)) return;
    const orv::gdi::RasterTarget target{st_.surface, visible};
    const TEXTMETRIC& tm = font_.Metrics();
    const int width = Width(text);
    const LONG left = ClampCoord(x), top = ClampCoord(y);
    const auto word = [&](COLORREF c) { return orv::gdi::ColorValue(st_.surface->Format(), c); };
    if (st_.bkMode == OPAQUE)
      orv::gdi::RopRect(target, RECT{left, top, ClampCoord(x + width), ClampCoord(y + tm.tmHeight)}, word(st_.bkColor), 0xF0);
    ForSegments(text, [&](std::wstring_view segment, int at) {
      const std::int64_t pen = x + at;
      const orv::gdi::TextLineMask mask = font_.Render(segment, ClampCoord(visible.left - pen), ClampCoord(visible.right - pen));
      if (mask.coverage.empty()) return;
      orv::gdi::PaintMask(target, ClampCoord(pen - mask.originX), top,
                          orv::gdi::AlphaMask{mask.width, mask.height, mask.coverage.data()}, st_.textColor);
    });
    const std::uint32_t ink = word(st_.textColor);
    const int thick = font_.LineThickness();
    const std::int64_t base = y + tm.tmAscent;
    auto rule = [&](std::int64_t from, std::int64_t to, std::int64_t row) {
      orv::gdi::RopRect(target, RECT{ClampCoord(from), ClampCoord(row), ClampCoord(to), ClampCoord(row + thick)}, ink, 0xF0);
    };
    if (tm.tmUnderlined) rule(x, x + width, base + font_.UnderlinePosition());
    if (tm.tmStruckOut) rule(x, x + width, base - font_.StrikeOutPosition());
    if (mnemonic < text.size()) {
      rule(x + Width(text.substr(0, mnemonic)), x + Width(text.substr(0, mnemonic + 1)),
           base + font_.UnderlinePosition());
    }
  }

private:
  // Calls fn(segment, x offset) for each run between tabs (the whole line without tabs).
  template <typename Fn>
  void ForSegments(std::wstring_view text, Fn fn) const {
    if (!expandTabs_) {
      fn(text, 0);
      return;
    }
    int x = 0;
    for (;;) {
      const std::size_t tab = text.find(L'\t');
      const std::wstring_view segment = text.substr(0, tab);
      fn(segment, x);
      if (tab == std::wstring_view::npos) return;
      x += font_.TextWidth(segment);
      x = (x / tabStop_ + 1) * tabStop_;
      text.remove_prefix(tab + 1);
    }
  }

  DcState& st_;
  const FontEngine& font_;
  int tabStop_;
  bool expandTabs_;
};

// Removes mnemonic marks: "&&" stays one "&", "&x" underlines x (the first one only).
std::wstring StripPrefixes(std::wstring_view text, std::size_t* mnemonic) {
  std::wstring out;
  out.reserve(text.size());
  *mnemonic = std::wstring::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != L'&' && *mnemonic == std::wstring::npos) *mnemonic = out.size();
    } else if (text[i] == L'&') {
      continue;  // a trailing mark has nothing to underline
    }
    out += text[i];
  }
  return out;
}

bool BreaksAfter(wchar_t c) { return c == L' ' || c >= 0x2E80; }
bool BreaksBefore(wchar_t c) { return c >= 0x2E80; }

// Greedy word wrap of one paragraph: breaks after blanks and around CJK characters; a
// word wider than the width stays whole on its own line.
void Wrap(const std::wstring& text, std::size_t start, std::size_t end, int width, const LineWriter& writer,
          std::vector<Line>* lines) {
  while (start < end) {
    std::size_t fit = start;  // end of the longest line that fits so far (a break position)
    std::size_t pos = start;
    while (pos < end) {
      std::size_t next = pos + 1;
      while (next < end && !BreaksAfter(text[next - 1]) && !BreaksBefore(text[next])) ++next;
      std::size_t trimmed = next;
      while (trimmed > start && text[trimmed - 1] == L' ') --trimmed;
      if (fit != start && writer.Width(std::wstring_view(text).substr(start, trimmed - start)) > width) break;
      fit = next;
      pos = next;
    }
    std::size_t lineEnd = fit;
    while (lineEnd > start && text[lineEnd - 1] == L' ') --lineEnd;
    lines->push_back(Line{start, std::wstring_view(text).substr(start, lineEnd - start)});
    start = fit;
    while (start < end && text[start] == L' ') ++start;
  }
}

std::vector<Line> LayOut(const std::wstring& text, UINT format, int width, const LineWriter& writer) {
  std::vector<Line> lines;
  if (format & DT_SINGLELINE) {
    lines.push_back(Line{0, text});
    return lines;
  }
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    const std::size_t stop = end == std::wstring::npos ? text.size() : end;
    if ((format & DT_WORDBREAK) && stop > start) {
      Wrap(text, start, stop, width, writer, &lines);
    } else {
      lines.push_back(Line{start, std::wstring_view(text).substr(start, stop - start)});
    }
    if (end == std::wstring::npos) break;
    start = end + 1;
    if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
  }
  return lines;
}

}  // namespace

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
  return DrawText(text.GetString(), text.GetLength(), rect, format);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
  if (text == nullptr || rect == nullptr) return 0;
  DcState& st = *m_state;
  const std::size_t length = count < 0 ? std::wcslen(text) : static_cast<std::size_t>(count);
  std::size_t mnemonic = std::wstring::npos;
  const std::wstring laid = (format & DT_NOPREFIX) ? std::wstring(text, length)
                                                   : StripPrefixes(std::wstring_view(text, length), &mnemonic);
  const std::shared_ptr<FontEngine> font = orv::gdi::EngineOf(*st.font);
  LineWriter writer(st, *font, (format & DT_EXPANDTABS) != 0);
  const std::int64_t rectWidth = std::int64_t{rect->right} - rect->left;
  const std::vector<Line> lines = LayOut(laid, format, static_cast<int>(std::clamp<std::int64_t>(rectWidth, 0, INT32_MAX)), writer);
  const int lineHeight = font->Metrics().tmHeight;
  const std::int64_t total = static_cast<std::int64_t>(lineHeight) * static_cast<std::int64_t>(lines.size());

  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, writer.Width(line.text));
    rect->right = ClampCoord(std::int64_t{rect->left} + widest);
    rect->bottom = ClampCoord(std::int64_t{rect->top} + total);
    return static_cast<int>(std::min<std::int64_t>(total, INT32_MAX));
  }

  std::int64_t y = rect->top;
  if (format & DT_SINGLELINE) {
    if (format & DT_BOTTOM) {
      y = std::int64_t{rect->bottom} - lineHeight;
    } else if (format & DT_VCENTER) {
      y = rect->top + (std::int64_t{rect->bottom} - rect->top - lineHeight) / 2;
    }
  }
  const std::int64_t firstTop = y;
  const RECT clip = (format & DT_NOCLIP)
                        ? st.clip
                        : RECT{ClampCoord(std::int64_t{rect->left} + st.OffsetX()), ClampCoord(std::int64_t{rect->top} + st.OffsetY()),
                               ClampCoord(std::int64_t{rect->right} + st.OffsetX()), ClampCoord(std::int64_t{rect->bottom} + st.OffsetY())};
  for (const Line& line : lines) {
    const int width = writer.Width(line.text);
    std::int64_t x = rect->left;
    if (format & DT_CENTER) {
      x = rect->left + (rectWidth - width) / 2;
    } else if (format & DT_RIGHT) {
      x = std::int64_t{rect->right} - width;
    }
    const std::size_t mark = mnemonic >= line.start && mnemonic < line.start + line.text.size()
                                 ? mnemonic - line.start
                                 : std::wstring::npos;
    writer.Draw(line.text, x + st.OffsetX(), y + st.OffsetY(), clip, mark);
    y += lineHeight;
  }
  return static_cast<int>(std::clamp<std::int64_t>(firstTop - rect->top + total, 0, INT32_MAX));
}

BOOL CDC::TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count) {
  DcState& st = *m_state;
  if (st.surface == nullptr || text == nullptr || count < 0) return FALSE;
  const std::shared_ptr<FontEngine> font = orv::gdi::EngineOf(*st.font);
  LineWriter writer(st, *font, false);
  writer.Draw(std::wstring_view(text, static_cast<std::size_t>(count)), std::int64_t{x} + st.OffsetX(),
              std::int64_t{y} + st.OffsetY(), st.clip, std::wstring::npos);
  return TRUE;
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
  const std::shared_ptr<FontEngine> font = orv::gdi::EngineOf(*m_state->font);
  if (text == nullptr || count < 0) return CSize(0, font->Metrics().tmHeight);
  return CSize(font->TextWidth(std::wstring_view(text, static_cast<std::size_t>(count))), font->Metrics().tmHeight);
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (metrics == nullptr) return FALSE;
  *metrics = orv::gdi::EngineOf(*m_state->font)->Metrics();
  return TRUE;
}
