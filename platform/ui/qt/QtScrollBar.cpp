// Scroll-bar controls on QScrollBar. Each user action goes to the owner as a scroll request;
// the bar then shows the position the model holds, so it only moves when the owner sets it,
// as the platform's scroll-bar controls behave. While the thumb is dragged it follows the
// mouse (the track position).
#include <QScrollBar>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

UINT CodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub: return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd: return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub: return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum: return SB_TOP;
    case QAbstractSlider::SliderToMaximum: return SB_BOTTOM;
    default: return SB_ENDSCROLL;
  }
}

class QtScrollBarPeer final : public qt::QtPeerOf<ScrollBarPeer> {
public:
  QtScrollBarPeer(Window& w, ScrollBarProc& proc, QScrollBar* bar) : QtPeerOf(w, bar), proc_(&proc) {
    Window* model = &w;
    QObject::connect(bar, &QAbstractSlider::actionTriggered, Guard(), [=, this](int action) {
      if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction) return;
      UINT code = CodeOf(action);
      qt::FromUser([&] { proc_->UserScroll(*model, code); });
      // The bar moves only as far as the owner moved the model.
      if (Window::IsLive(model) && Bar() != nullptr) Bar()->setSliderPosition(Shown());
    });
    QObject::connect(bar, &QAbstractSlider::sliderMoved, Guard(),
                     [=, this](int value) { qt::FromUser([&] { proc_->UserTrack(*model, value); }); });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, Guard(),
                     [=, this] { qt::FromUser([&] { proc_->UserEndTrack(*model); }); });
    Refresh();
  }

  void Refresh() override {
    QScrollBar* bar = Bar();
    if (bar == nullptr) return;
    QSignalBlocker block(bar);
    bar->setOrientation(proc_->Vertical(Model()) ? Qt::Vertical : Qt::Horizontal);
    bar->setRange(proc_->minPos, proc_->MaxPosition());
    bar->setPageStep(proc_->page > 0 ? static_cast<int>(proc_->page) : 1);
    bar->setSingleStep(1);
    if (!bar->isSliderDown()) {
      bar->setSliderPosition(Shown());
      bar->setValue(Shown());
    }
    bar->setEnabled(proc_->Interactive(Model()));
  }

private:
  QScrollBar* Bar() const { return static_cast<QScrollBar*>(Widget()); }
  int Shown() const { return proc_->tracking ? proc_->trackPos : proc_->pos; }

  ScrollBarProc* proc_;
};

}  // namespace

std::unique_ptr<ScrollBarPeer> CreateScrollBarPeer(Window& w, ScrollBarProc& proc) {
  auto* bar = new QScrollBar(qt::ParentWidgetFor(w));
  bar->setTracking(true);
  return std::make_unique<QtScrollBarPeer>(w, proc, bar);
}

}  // namespace orv::ui
