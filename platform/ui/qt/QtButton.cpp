// Buttons: push buttons, check boxes, radio buttons and group boxes are Qt's own widgets;
// owner-drawn buttons are painted by their owner (WM_DRAWITEM) onto the control's surface.
// Whatever the kind, the check state shown is the model's: Qt's own toggling is put back
// after each click to what the model decided.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class OwnerDrawButton : public QAbstractButton {
public:
  OwnerDrawButton(Window& w, QWidget* parent) : QAbstractButton(parent), window_(&w) {}
  void Unlink() { window_ = nullptr; }
  bool InPaint() const { return inPaint_; }

protected:
  void paintEvent(QPaintEvent*) override {
    if (!Window::IsLive(window_)) return;
    Window* w = window_;
    inPaint_ = true;
    // Every paint asks the owner again, as the platform does for owner-drawn controls.
    w->Invalidate(nullptr, false);
    Guarded(L"", [&] { w->PaintNow(); });
    inPaint_ = false;
    if (!Window::IsLive(window_) || w->SurfaceIfAny() == nullptr) return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), qt::SurfaceImage(*w->SurfaceIfAny()));
  }
  void focusInEvent(QFocusEvent* e) override {
    QAbstractButton::focusInEvent(e);
    update();
  }
  void focusOutEvent(QFocusEvent* e) override {
    QAbstractButton::focusOutEvent(e);
    update();
  }

private:
  Window* window_;
  bool inPaint_ = false;
};

class QtButtonPeer final : public qt::QtPeerOf<ButtonPeer> {
public:
  QtButtonPeer(Window& w, ButtonProc& proc, QWidget* widget) : QtPeerOf(w, widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (button == nullptr) return;
    Window* model = &w;
    ButtonProc* logic = &proc;
    QObject::connect(button, &QAbstractButton::pressed, Guard(),
                     [=] { qt::FromUser([&] { logic->UserPressed(*model, true); }); });
    QObject::connect(button, &QAbstractButton::released, Guard(),
                     [=] { qt::FromUser([&] { logic->UserPressed(*model, false); }); });
    QObject::connect(button, &QAbstractButton::clicked, Guard(),
                     [=] { qt::FromUser([&] { logic->UserClicked(*model); }); });
  }
  ~QtButtonPeer() override {
    if (auto* owner = dynamic_cast<OwnerDrawButton*>(Widget())) owner->Unlink();
  }

  void SetText(const CString&) override { Refresh(); }
  void SetCheck(int check) override {
    QWidget* widget = Widget();
    QSignalBlocker block(widget);
    if (auto* box = qobject_cast<QCheckBox*>(widget))
      box->setCheckState(check == BST_CHECKED         ? Qt::Checked
                         : check == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                      : Qt::Unchecked);
    else if (auto* radio = qobject_cast<QRadioButton*>(widget))
      radio->setChecked(check == BST_CHECKED);
  }
  void SetPushed(bool pushed) override {
    auto* button = qobject_cast<QAbstractButton*>(Widget());
    if (button == nullptr || button->isDown() == pushed) return;
    QSignalBlocker block(button);
    button->setDown(pushed);
  }
  void Refresh() override {
    QWidget* widget = Widget();
    if (widget == nullptr) return;
    QString text = qt::ToQString(Model().text);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(widget)) group->setTitle(text);
    widget->update();
  }
  bool HasFocus() const override { return Widget() != nullptr && Widget()->hasFocus(); }
  void Present(const CRect&) override {
    auto* owner = dynamic_cast<OwnerDrawButton*>(Widget());
    if (owner != nullptr && !owner->InPaint()) owner->update();
  }
  void ScheduleRepaint(const CRect& rect) override { Present(rect); }
};

QWidget* MakeButtonWidget(Window& w, DWORD type, QWidget* parent) {
  switch (type) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
      auto* box = new QCheckBox(parent);
      box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
      return box;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
      auto* radio = new QRadioButton(parent);
      radio->setAutoExclusive(false);  // the model keeps the group's one checked button
      return radio;
    }
    case BS_GROUPBOX:
      return new QGroupBox(parent);
    case BS_OWNERDRAW: {
      auto* owner = new OwnerDrawButton(w, parent);
      owner->setFocusPolicy(Qt::StrongFocus);
      return owner;
    }
    default: {
      auto* push = new QPushButton(parent);
      // Enter and the default button belong to the dialog's keyboard interface.
      push->setAutoDefault(false);
      push->setDefault(false);
      return push;
    }
  }
}

}  // namespace

std::unique_ptr<ButtonPeer> CreateButtonPeer(Window& w, ButtonProc& proc) {
  QWidget* widget = MakeButtonWidget(w, proc.Type(w), qt::ParentWidgetFor(w));
  auto peer = std::make_unique<QtButtonPeer>(w, proc, widget);
  peer->Refresh();
  return peer;
}

}  // namespace orv::ui
