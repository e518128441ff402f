// Up-down controls: two arrow buttons, stacked (or side by side with UDS_HORZ); each press
// is a step of the model, repeated while the button is held.
#include <QBoxLayout>
#include <QToolButton>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtAccess.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class QtUpDownPeer final : public qt::QtPeerOf<UpDownPeer> {
public:
  QtUpDownPeer(Window& w, UpDownProc& proc, QWidget* widget) : QtPeerOf(w, widget) {
    bool horizontal = (w.style & UDS_HORZ) != 0;
    auto* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(widget))
                              : static_cast<QBoxLayout*>(new QVBoxLayout(widget));
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = MakeArrow(widget, horizontal ? Qt::RightArrow : Qt::UpArrow);
    down_ = MakeArrow(widget, horizontal ? Qt::LeftArrow : Qt::DownArrow);
    // Left (or top) first, as the platform draws them.
    if (horizontal) {
      layout->addWidget(down_);
      layout->addWidget(up_);
    } else {
      layout->addWidget(up_);
      layout->addWidget(down_);
    }
    Window* model = &w;
    UpDownProc* logic = &proc;
    QObject::connect(up_, &QToolButton::clicked, Guard(), [=] { qt::FromUser([&] { logic->UserStep(*model, 1); }); });
    QObject::connect(down_, &QToolButton::clicked, Guard(),
                     [=] { qt::FromUser([&] { logic->UserStep(*model, -1); }); });
  }

  void Refresh() override {
    if (QWidget* widget = Widget()) widget->update();
  }

  // For the test driver: the arrow of that direction.
  QToolButton* Arrow(int direction) const { return direction > 0 ? up_ : down_; }

private:
  static QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType type) {
    auto* arrow = new QToolButton(parent);
    arrow->setArrowType(type);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setMinimumSize(1, 1);
    return arrow;
  }

  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
};

}  // namespace

std::unique_ptr<UpDownPeer> CreateUpDownPeer(Window& w, UpDownProc& proc) {
  auto* widget = new QWidget(qt::ParentWidgetFor(w));
  return std::make_unique<QtUpDownPeer>(w, proc, widget);
}

QWidget* QtUpDownArrow(Window& upDown, int direction) {
  auto* peer = dynamic_cast<QtUpDownPeer*>(upDown.peer.get());
  return peer != nullptr ? static_cast<QWidget*>(peer->Arrow(direction)) : nullptr;
}

}  // namespace orv::ui
