#pragma once
// Shared pieces of the Qt backend: text and colour conversions, and the base of every peer
// (the widget, its link back to the model window, and what all windows do alike).
#include <QColor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/ui/detail/Window.h"

namespace orv::ui::qt {

QString ToQString(const CString& text);
CString ToCString(const QString& text);
// Character positions: the model counts wchar_t code points, Qt counts UTF-16 units.
int ToQtIndex(const QString& text, int modelIndex);
int ToModelIndex(const QString& text, int qtIndex);
QColor ToQColor(COLORREF color);
// The surface's pixels as an image sharing its memory (valid while the surface is).
QImage SurfaceImage(const gdi::Surface& surface);
// A bitmap of the graphics layer as an image of its own (monochrome ones in black and white).
QImage BitmapImage(HBITMAP bitmap);

// The model window a widget (or one of its inner widgets) shows; null when none.
Window* WindowOfWidget(const QObject* object);
// The widget that shows a window; null without a Qt peer.
QWidget* WidgetOfWindow(const Window* w);
// The widget that children of this window go into.
QWidget* ParentWidgetFor(const Window& w);

// Base of every Qt peer: owns the widget's lifetime from the model's side, keeps the
// widget-to-window link, and applies geometry, visibility, enabling, focus and font.
class QtPeer {
public:
  QtPeer(Window& w, QWidget* widget);
  virtual ~QtPeer();
  QtPeer(const QtPeer&) = delete;
  QtPeer& operator=(const QtPeer&) = delete;

  QWidget* Widget() const { return widget_; }
  Window& Model() const { return *window_; }
  // A context object for signal connections: they end with the peer.
  QObject* Guard() const { return guard_.get(); }

  void ApplyGeometry(const CRect& rect);
  void ApplyEnabled(bool enabled);
  void ApplyVisible(bool visible);
  void ApplyFocus();
  void ApplyFont(const CString& face, int pixelHeight, int weight);
  // Colours and theme of the model window (styled controls set them).
  void ApplyAppearance();

private:
  Window* window_;
  QPointer<QWidget> widget_;
  std::unique_ptr<QObject> guard_;
};

// Implements the WindowPeer operations common to all peers on top of QtPeer.
template <typename PeerInterface>
class QtPeerOf : public PeerInterface, public QtPeer {
public:
  QtPeerOf(Window& w, QWidget* widget) : QtPeer(w, widget) {}
  void SetGeometry(const CRect& rect) override { ApplyGeometry(rect); }
  void SetEnabled(bool enabled) override { ApplyEnabled(enabled); }
  void SetVisible(bool visible) override { ApplyVisible(visible); }
  void SetFocus() override { ApplyFocus(); }
  void SetFont(const CString& face, int pixelHeight, int weight) override { ApplyFont(face, pixelHeight, weight); }
  void StyleChanged() override { ApplyAppearance(); }
  void ScheduleRepaint(const CRect&) override {
    // Qt paints these controls itself; nothing of the model's update region remains due.
    Model().Validate(nullptr);
    if (Widget() != nullptr) Widget()->update();
  }
};

// Runs a user action from a Qt signal against the model, reporting framework exceptions.
template <typename F>
void FromUser(F&& f) {
  Guarded(L"", std::forward<F>(f));
}

}  // namespace orv::ui::qt
