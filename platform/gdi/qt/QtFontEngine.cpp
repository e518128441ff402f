// Fonts through QtGui: a LOGFONT request becomes a QFont of the right pixel size, lines of
// text are painted white on a transparent image and their alpha becomes the coverage mask.
// Loading this library installs the engine into the GDI.
#include <cwchar>
#include <memory>

#include "platform/gdi/detail/FontEngine.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/gdi/GuiApplication.h"

namespace orv::gdi {

namespace {

// A zero height asks for the face's default: the cell of the classic system font.
constexpr int kDefaultCellHeight = 16;
// Pixel size at which a face's proportions are measured.
constexpr int kReferencePixels = 256;
// Larger requests are served at this cell height (or character height), which keeps the
// rasterised lines of text within reasonable memory.
constexpr LONG kMaxHeight = 1024;

QString ToQString(std::wstring_view text) {
  return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

class QtFontEngine final : public FontEngine {
public:
  explicit QtFontEngine(const LOGFONT& request);
  std::wstring FamilyName() const override;
  int TextWidth(std::wstring_view text) const override;
  TextLineMask Render(std::wstring_view text, int visibleFrom, int visibleTo) const override;

private:
  int Advance(wchar_t c) const;

  bool usable_ = false;  // false without a GUI application that can draw text
  QFont font_;
  int ascent_ = 0;  // baseline row within the cell
};

QtFontEngine::QtFontEngine(const LOGFONT& lf) {
  metrics_.tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
  metrics_.tmItalic = lf.lfItalic != 0;
  metrics_.tmUnderlined = lf.lfUnderline != 0;
  metrics_.tmStruckOut = lf.lfStrikeOut != 0;
  metrics_.tmCharSet = lf.lfCharSet;
  antialiased_ = lf.lfQuality != NONANTIALIASED_QUALITY;
  const LONG height = std::clamp<LONG>(lf.lfHeight, -kMaxHeight, kMaxHeight);
  if (!EnsureGuiApplication()) {
    metrics_.tmHeight = height < 0 ? -height : height == 0 ? kDefaultCellHeight : height;
    metrics_.tmAscent = metrics_.tmHeight;
    return;
  }

  QFont& font = font_;
  const std::wstring_view face(lf.lfFaceName, std::wcslen(lf.lfFaceName));
  if (!face.empty()) font.setFamily(ToQString(face));
  font.setWeight(static_cast<QFont::Weight>(std::clamp<int>(metrics_.tmWeight, 1, 1000)));
  font.setItalic(lf.lfItalic != 0);
  font.setStyleStrategy(antialiased_ ? QFont::PreferAntialias : QFont::NoAntialias);
  font.setKerning(false);

  // A positive height is the whole cell, a negative one the character (em) height.
  const int cell = height > 0 ? height : kDefaultCellHeight;
  int pixelSize;
  if (height < 0) {
    pixelSize = -height;
  } else {
    font.setPixelSize(kReferencePixels);
    const QFontMetricsF ref(font);
    const double refCell = std::max(1.0, ref.ascent() + ref.descent());
    pixelSize = static_cast<int>(std::lround(cell * kReferencePixels / refCell));
  }
  pixelSize = std::clamp(pixelSize, 1, 2 * static_cast<int>(kMaxHeight));
  font.setPixelSize(pixelSize);

  if (lf.lfWidth != 0) {
    // A requested average width stretches the face horizontally.
    const int natural = std::max(1, QFontMetrics(font).averageCharWidth());
    const int width = lf.lfWidth < 0 ? -lf.lfWidth : lf.lfWidth;
    font.setStretch(std::clamp(static_cast<int>(std::lround(100.0 * width / natural)), 1, 4000));
  }

  const QFontMetrics fm(font);
  if (height >= 0) {
    const double total = std::max(1, fm.ascent() + fm.descent());
    metrics_.tmHeight = cell;
    metrics_.tmAscent = static_cast<LONG>(std::lround(cell * fm.ascent() / total));
    metrics_.tmDescent = cell - metrics_.tmAscent;
  } else {
    metrics_.tmAscent = fm.ascent();
    metrics_.tmDescent = fm.descent();
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
  }
  metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - pixelSize);
  metrics_.tmExternalLeading = std::max(0, fm.leading());
  metrics_.tmAveCharWidth = fm.averageCharWidth();
  metrics_.tmMaxCharWidth = fm.maxWidth();
  underlinePos_ = std::max(1, fm.underlinePos());
  strikeOutPos_ = std::max(1, fm.strikeOutPos());
  lineThickness_ = std::max(1, fm.lineWidth());
  ascent_ = metrics_.tmAscent;
  usable_ = true;
}

std::wstring QtFontEngine::FamilyName() const {
  if (!usable_) return {};
  return QFontInfo(font_).family().toStdWString();
}

// Characters advance by whole pixels, each by its own rounded advance, so that a string is
// as wide as its characters together (as the platform's text functions measure).
int QtFontEngine::Advance(wchar_t c) const {
  return QFontMetrics(font_).horizontalAdvance(ToQString(std::wstring_view(&c, 1)));
}

int QtFontEngine::TextWidth(std::wstring_view text) const {
  if (!usable_) return 0;
  long long width = 0;
  for (wchar_t c : text) width += Advance(c);
  return static_cast<int>(std::min<long long>(width, INT32_MAX / 2));
}

TextLineMask QtFontEngine::Render(std::wstring_view text, int visibleFrom, int visibleTo) const {
  TextLineMask mask;
  if (!usable_ || text.empty() || metrics_.tmHeight <= 0) return mask;
  const int advance = TextWidth(text);
  // Room for glyphs that reach past their advance (italics, side bearings).
  const int margin = metrics_.tmHeight / 2 + 2;
  const int from = std::max(visibleFrom, -margin);
  const int to = std::min(visibleTo, advance + margin);
  if (from >= to) return mask;
  mask.width = to - from;
  mask.height = metrics_.tmHeight;
  mask.originX = -from;
  QImage image(mask.width, mask.height, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return TextLineMask{};
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased_);
    painter.setFont(font_);
    painter.setPen(Qt::white);
    int pen = -from;
    for (wchar_t c : text) {
      const int advance = Advance(c);
      if (pen + advance + margin > 0 && pen - margin < mask.width)
        painter.drawText(QPointF(pen, ascent_), ToQString(std::wstring_view(&c, 1)));
      pen += advance;
    }
  }
  mask.coverage.resize(static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height));
  for (int y = 0; y < mask.height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    std::uint8_t* out = mask.coverage.data() + static_cast<std::size_t>(y) * mask.width;
    for (int x = 0; x < mask.width; ++x) out[x] = static_cast<std::uint8_t>(qAlpha(row[x]));
  }
  return mask;
}

std::unique_ptr<FontEngine> CreateQtFontEngine(const LOGFONT& request) {
  return std::make_unique<QtFontEngine>(request);
}

const bool kInstalled = (SetFontEngineFactory(&CreateQtFontEngine), true);

}  // namespace

}  // namespace orv::gdi
