// Windows that show their own surface: dialogs. The widget asks the model to paint what is
// invalid (WM_PAINT through the window's message map) and then shows the surface; mouse
// and close requests become the platform's messages.
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include "platform/ui/detail/Backend.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class CanvasWidget : public QWidget {
public:
  CanvasWidget(Window& w, QWidget* parent) : QWidget(parent), window_(&w) {}
  void Unlink() { window_ = nullptr; }
  bool InPaint() const { return inPaint_; }

protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    if (!Window::IsLive(window_)) return;
    Window& w = *window_;
    if (!w.painted) w.Invalidate(nullptr, true);
    inPaint_ = true;
    Guarded(L"", [&] { w.PaintNow(); });
    inPaint_ = false;
    if (!Window::IsLive(window_)) return;
    const gdi::Surface* surface = w.SurfaceIfAny();
    QImage image = surface != nullptr ? qt::SurfaceImage(*surface) : QImage();
    if (image.isNull()) {
      painter.fillRect(event->rect(), palette().window());
      return;
    }
    painter.drawImage(event->rect(), image, event->rect());
  }

  void closeEvent(QCloseEvent* event) override {
    // The window goes only when its owner decides (a dialog: IDCANCEL, then EndDialog).
    event->ignore();
    if (Window::IsLive(window_)) {
      Window* w = window_;
      qt::FromUser([&] { w->Send(WM_CLOSE); });
    }
  }

  void mousePressEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONDOWN, WM_RBUTTONDOWN); }
  void mouseReleaseEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONUP, WM_RBUTTONUP); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Mouse(event, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN); }
  void mouseMoveEvent(QMouseEvent* event) override { Mouse(event, WM_MOUSEMOVE, WM_MOUSEMOVE); }

  void moveEvent(QMoveEvent* event) override {
    QWidget::moveEvent(event);
    // A top-level window moved by the user (or the window manager): the model follows.
    if (!Window::IsLive(window_) || !window_->IsTopLevel() || !isVisible()) return;
    QRect g = geometry();
    if (g.x() != window_->rect.left || g.y() != window_->rect.top)
      window_->rect = CRect(g.x(), g.y(), g.x() + window_->rect.Width(), g.y() + window_->rect.Height());
  }

private:
  void Mouse(QMouseEvent* event, UINT left, UINT right) {
    if (!Window::IsLive(window_)) return;
    UINT message = event->button() == Qt::RightButton ? right : left;
    WPARAM keys = 0;
    if ((event->buttons() & Qt::LeftButton) != 0) keys |= MK_LBUTTON;
    if ((event->buttons() & Qt::RightButton) != 0) keys |= MK_RBUTTON;
    if ((event->modifiers() & Qt::ShiftModifier) != 0) keys |= MK_SHIFT;
    if ((event->modifiers() & Qt::ControlModifier) != 0) keys |= MK_CONTROL;
    QPoint p = event->position().toPoint();
    LPARAM where = MAKELPARAM(static_cast<WORD>(p.x()), static_cast<WORD>(p.y()));
    Window* w = window_;
    qt::FromUser([&] { w->Send(message, keys, where); });
  }

  Window* window_;
  bool inPaint_ = false;
};

class CanvasPeer final : public qt::QtPeerOf<WindowPeer> {
public:
  CanvasPeer(Window& w, CanvasWidget* widget, bool modal) : QtPeerOf(w, widget) {
    if (w.IsTopLevel()) {
      Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
      if ((w.style & WS_SYSMENU) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if ((w.exStyle & WS_EX_CONTEXTHELP) != 0) flags |= Qt::WindowContextHelpButtonHint;
      widget->setWindowFlags(flags);
      if (modal) widget->setWindowModality(Qt::ApplicationModal);
    }
    widget->setAttribute(Qt::WA_OpaquePaintEvent, true);
    widget->setFocusPolicy(Qt::NoFocus);
  }
  ~CanvasPeer() override {
    if (CanvasWidget* c = Canvas()) c->Unlink();
  }

  void SetText(const CString& text) override {
    if (CanvasWidget* c = Canvas(); c != nullptr && Model().IsTopLevel()) c->setWindowTitle(qt::ToQString(text));
  }
  void Present(const CRect& rect) override {
    if (CanvasWidget* c = Canvas(); c != nullptr && !c->InPaint())
      c->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
  }
  void ScheduleRepaint(const CRect& rect) override {
    if (CanvasWidget* c = Canvas()) c->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
  }
  void StyleChanged() override {
    ApplyAppearance();
    CanvasWidget* c = Canvas();
    if (c == nullptr || !Model().IsTopLevel()) return;
    bool help = (Model().exStyle & WS_EX_CONTEXTHELP) != 0;
    if (c->windowFlags().testFlag(Qt::WindowContextHelpButtonHint) == help) return;
    // Changing the flags of a shown window hides it; show it again.
    bool visible = c->isVisible();
    c->setWindowFlag(Qt::WindowContextHelpButtonHint, help);
    if (visible) c->show();
  }

private:
  CanvasWidget* Canvas() const { return static_cast<CanvasWidget*>(Widget()); }
};

}  // namespace

std::unique_ptr<WindowPeer> CreateCanvasPeer(Window& w, bool modal) {
  auto* widget = new CanvasWidget(w, qt::ParentWidgetFor(w));
  return std::make_unique<CanvasPeer>(w, widget, modal);
}

}  // namespace orv::ui
