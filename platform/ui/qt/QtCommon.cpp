#include "platform/ui/qt/QtCommon.h"

#include "platform/gdi/GdiObject.h"
#include "platform/ui/detail/Backend.h"

#include <algorithm>

#include <QHash>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace orv::ui::qt {
namespace {

QHash<const QObject*, Window*>& WidgetWindows() {
  static QHash<const QObject*, Window*> map;
  return map;
}

// The classic look for windows whose theme was turned off; shared, never freed.
QStyle* ClassicStyle() {
  static QStyle* style = [] {
    QStyle* s = QStyleFactory::create(QStringLiteral("Windows"));
    return s != nullptr ? s : QStyleFactory::create(QStringLiteral("Fusion"));
  }();
  return style;
}

}  // namespace

QString ToQString(const CString& text) { return QString::fromStdWString(text.str()); }

CString ToCString(const QString& text) { return CString(text.toStdWString()); }

int ToQtIndex(const QString& text, int modelIndex) {
  int units = 0;
  for (int i = 0; i < modelIndex && units < text.size(); ++i)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  return units;
}

int ToModelIndex(const QString& text, int qtIndex) {
  int chars = 0;
  for (int units = 0; units < qtIndex && units < text.size(); ++chars)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  return chars;
}

QColor ToQColor(COLORREF color) { return QColor(GetRValue(color), GetGValue(color), GetBValue(color)); }

QImage SurfaceImage(const gdi::Surface& surface) {
  if (surface.IsEmpty() || surface.Format() != gdi::PixelFormat::Rgb32) return QImage();
  return QImage(surface.Bits(), surface.Width(), surface.Height(), surface.Stride(), QImage::Format_RGB32);
}

QImage BitmapImage(HBITMAP bitmap) {
  CBitmap* object = CBitmap::FromHandle(bitmap);
  const gdi::Surface* surface = object != nullptr ? object->GetSurface() : nullptr;
  if (surface == nullptr || surface->IsEmpty()) return QImage();
  if (surface->Format() == gdi::PixelFormat::Rgb32) return SurfaceImage(*surface).copy();
  QImage image(surface->Width(), surface->Height(), QImage::Format_RGB32);
  for (int y = 0; y < surface->Height(); ++y)
    for (int x = 0; x < surface->Width(); ++x)
      image.setPixel(x, y, surface->RawPixel(x, y) != 0 ? 0xFFFFFFFFu : 0xFF000000u);
  return image;
}

Window* WindowOfWidget(const QObject* object) {
  for (const QObject* o = object; o != nullptr; o = o->parent()) {
    auto it = WidgetWindows().constFind(o);
    if (it != WidgetWindows().constEnd()) return Window::IsLive(it.value()) ? it.value() : nullptr;
  }
  return nullptr;
}

QWidget* WidgetOfWindow(const Window* w) {
  if (!Window::IsLive(w) || !w->peer) return nullptr;
  auto* peer = dynamic_cast<QtPeer*>(w->peer.get());
  return peer != nullptr ? peer->Widget() : nullptr;
}

QWidget* ParentWidgetFor(const Window& w) {
  if (w.IsTopLevel()) {
    QWidget* owner = WidgetOfWindow(w.owner);
    return owner != nullptr ? owner->window() : nullptr;
  }
  return WidgetOfWindow(w.parent);
}

QtPeer::QtPeer(Window& w, QWidget* widget) : window_(&w), widget_(widget), guard_(std::make_unique<QObject>()) {
  WidgetWindows().insert(widget, &w);
}

QtPeer::~QtPeer() {
  guard_.reset();  // ends every connection made with it
  if (widget_ != nullptr) {
    WidgetWindows().remove(widget_.data());
    widget_->hide();
    // Later: this may run inside one of the widget's own signals.
    widget_->deleteLater();
  }
}

void QtPeer::ApplyGeometry(const CRect& rect) {
  if (widget_ == nullptr) return;
  QRect r(rect.left, rect.top, std::max(0, rect.Width()), std::max(0, rect.Height()));
  // A dialog without a sizing frame keeps its size (the window manager is told so).
  if (window_->IsTopLevel() && (window_->style & WS_THICKFRAME) == 0 && HasScreen()) widget_->setFixedSize(r.size());
  widget_->setGeometry(r);
}

void QtPeer::ApplyEnabled(bool enabled) {
  if (widget_ != nullptr) widget_->setEnabled(enabled);
}

void QtPeer::ApplyVisible(bool visible) {
  if (widget_ == nullptr) return;
  widget_->setVisible(visible);
  if (visible && window_->IsTopLevel()) {
    if (HasScreen()) widget_->raise();
    widget_->activateWindow();
  }
}

void QtPeer::ApplyFocus() {
  if (widget_ == nullptr) return;
  if (!window_->IsTopLevel() && widget_->window() != nullptr) widget_->window()->activateWindow();
  widget_->setFocus(Qt::OtherFocusReason);
}

void QtPeer::ApplyFont(const CString& face, int pixelHeight, int weight) {
  if (widget_ == nullptr) return;
  QFont font = widget_->font();
  if (!face.IsEmpty()) font.setFamily(ToQString(face));
  if (pixelHeight > 0) font.setPixelSize(pixelHeight);
  if (weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
  widget_->setFont(font);
}

void QtPeer::ApplyAppearance() {
  if (widget_ == nullptr) return;
  QPalette palette = widget_->style() == ClassicStyle() ? ClassicStyle()->standardPalette() : QPalette();
  if (window_->textColor != CLR_INVALID) {
    QColor text = ToQColor(window_->textColor);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
      palette.setColor(QPalette::Active, role, text);
      palette.setColor(QPalette::Inactive, role, text);
    }
  }
  bool fill = window_->backColor != CLR_INVALID;
  if (fill) {
    QColor back = ToQColor(window_->backColor);
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) palette.setColor(role, back);
  }
  widget_->setAutoFillBackground(fill);
  if (!window_->themed && widget_->style() != ClassicStyle()) widget_->setStyle(ClassicStyle());
  if (window_->themed && widget_->style() == ClassicStyle()) widget_->setStyle(nullptr);
  widget_->setPalette(palette);
}

}  // namespace orv::ui::qt
