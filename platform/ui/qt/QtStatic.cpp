// Static controls, drawn by the widget from the model: text (with its "&" letter
// underlined), frames, rectangles, bitmaps, and whatever was drawn on the control's surface
// (owner drawing, or a device context opened on it). What a static does not paint shows the
// window beneath, as on the platform.
#include <QMouseEvent>
#include <QPainter>

#include "platform/gdi/GdiObject.h"
#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class StaticWidget : public QWidget {
public:
  StaticWidget(Window& w, StaticProc& proc, QWidget* parent) : QWidget(parent), window_(&w), proc_(&proc) {}
  void Unlink() { window_ = nullptr; }
  bool InPaint() const { return inPaint_; }

protected:
  void paintEvent(QPaintEvent*) override {
    if (!Window::IsLive(window_)) return;
    Window& w = *window_;
    DWORD type = proc_->Type(w);
    if (type == SS_OWNERDRAW) {
      // Through WM_PAINT, so that an object attached to the control may paint it instead.
      inPaint_ = true;
      w.Invalidate(nullptr, false);
      Guarded(L"", [&] { w.PaintNow(); });
      inPaint_ = false;
    }
    if (!Window::IsLive(window_)) return;
    QPainter p(this);
    QRect area = rect();
    if (w.backColor != CLR_INVALID) p.fillRect(area, qt::ToQColor(w.backColor));
    if (w.drawnOn && w.SurfaceIfAny() != nullptr) p.drawImage(QPoint(0, 0), qt::SurfaceImage(*w.SurfaceIfAny()));
    switch (type) {
      case SS_BLACKRECT: p.fillRect(area, qt::ToQColor(GetSysColor(COLOR_WINDOWFRAME))); break;
      case SS_GRAYRECT: p.fillRect(area, qt::ToQColor(GetSysColor(COLOR_BACKGROUND))); break;
      case SS_WHITERECT: p.fillRect(area, qt::ToQColor(GetSysColor(COLOR_WINDOW))); break;
      case SS_BLACKFRAME: Frame(p, area, GetSysColor(COLOR_WINDOWFRAME)); break;
      case SS_GRAYFRAME: Frame(p, area, GetSysColor(COLOR_BACKGROUND)); break;
      case SS_WHITEFRAME: Frame(p, area, GetSysColor(COLOR_WINDOW)); break;
      case SS_ETCHEDFRAME:
        Frame(p, area.adjusted(1, 1, 0, 0), GetSysColor(COLOR_3DHILIGHT));
        Frame(p, area.adjusted(0, 0, -1, -1), GetSysColor(COLOR_3DSHADOW));
        break;
      case SS_ETCHEDHORZ:
        p.fillRect(QRect(0, 0, area.width(), 1), qt::ToQColor(GetSysColor(COLOR_3DSHADOW)));
        p.fillRect(QRect(0, 1, area.width(), 1), qt::ToQColor(GetSysColor(COLOR_3DHILIGHT)));
        break;
      case SS_ETCHEDVERT:
        p.fillRect(QRect(0, 0, 1, area.height()), qt::ToQColor(GetSysColor(COLOR_3DSHADOW)));
        p.fillRect(QRect(1, 0, 1, area.height()), qt::ToQColor(GetSysColor(COLOR_3DHILIGHT)));
        break;
      case SS_BITMAP: {
        QImage image = qt::BitmapImage(proc_->image);
        if (image.isNull()) break;
        QPoint at(0, 0);
        if ((w.style & SS_CENTERIMAGE) != 0)
          at = QPoint((area.width() - image.width()) / 2, (area.height() - image.height()) / 2);
        p.drawImage(at, image);
        break;
      }
      case SS_OWNERDRAW:
      case SS_ICON:
        break;
      default:
        Text(p, w, type, area);
        break;
    }
    if ((w.style & SS_SUNKEN) != 0) {
      Frame(p, area, GetSysColor(COLOR_3DHILIGHT));
      Frame(p, area.adjusted(0, 0, -1, -1), GetSysColor(COLOR_3DSHADOW));
    }
  }

  void mousePressEvent(QMouseEvent*) override { Click(false); }
  void mouseDoubleClickEvent(QMouseEvent*) override { Click(true); }

private:
  static void Frame(QPainter& p, const QRect& r, COLORREF color) {
    p.setPen(qt::ToQColor(color));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }

  void Text(QPainter& p, const Window& w, DWORD type, const QRect& area) {
    int flags = Qt::AlignTop;
    if (type == SS_CENTER) flags |= Qt::AlignHCenter;
    else if (type == SS_RIGHT) flags |= Qt::AlignRight;
    else flags |= Qt::AlignLeft;
    if ((w.style & SS_CENTERIMAGE) != 0) flags = (flags & ~Qt::AlignTop) | Qt::AlignVCenter;
    if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) flags |= Qt::TextWordWrap;
    QString text = qt::ToQString(w.text);
    if ((w.style & SS_NOPREFIX) == 0) flags |= Qt::TextShowMnemonic;
    else text.replace(QStringLiteral("&"), QStringLiteral("&&"));
    QColor color = w.textColor != CLR_INVALID ? qt::ToQColor(w.textColor) : palette().color(QPalette::WindowText);
    if (!w.IsEnabled()) color = qt::ToQColor(GetSysColor(COLOR_GRAYTEXT));
    p.setPen(color);
    p.setFont(font());
    p.drawText(area, flags, text);
  }

  void Click(bool doubleClick) {
    if (!Window::IsLive(window_)) return;
    Window* w = window_;
    StaticProc* proc = proc_;
    qt::FromUser([&] { proc->UserClicked(*w, doubleClick); });
  }

  Window* window_;
  StaticProc* proc_;
  bool inPaint_ = false;
};

class QtStaticPeer final : public qt::QtPeerOf<StaticPeer> {
public:
  QtStaticPeer(Window& w, StaticWidget* widget) : QtPeerOf(w, widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, (w.style & SS_NOTIFY) == 0);
  }
  ~QtStaticPeer() override {
    if (auto* s = static_cast<StaticWidget*>(Widget())) s->Unlink();
  }
  void SetText(const CString&) override { Refresh(); }
  void Refresh() override {
    if (QWidget* widget = Widget()) widget->update();
  }
  void Present(const CRect&) override {
    if (auto* s = static_cast<StaticWidget*>(Widget()); s != nullptr && !s->InPaint()) s->update();
  }
  void ScheduleRepaint(const CRect&) override {
    // Owner-drawn statics paint through WM_PAINT when the widget paints.
    if (QWidget* widget = Widget()) widget->update();
  }
};

}  // namespace

std::unique_ptr<StaticPeer> CreateStaticPeer(Window& w, StaticProc& proc) {
  auto* widget = new StaticWidget(w, proc, qt::ParentWidgetFor(w));
  return std::make_unique<QtStaticPeer>(w, widget);
}

}  // namespace orv::ui
