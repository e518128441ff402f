#include "platform/ui/TestDriver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTreeWidget>

#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/DialogWindow.h"
#include "platform/ui/detail/Tree.h"
#include "platform/ui/qt/QtAccess.h"
#include "platform/ui/qt/QtCommon.h"
#include "platform/ui/qt/QtKeyboard.h"

namespace orv::ui::test {
namespace {

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QPointF local(at);
  QPointF global(target->mapToGlobal(at));
  QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

void ClickAt(QWidget* target, QPoint at, bool twice) {
  SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
  SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
  if (!twice) return;
  SendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
  SendMouse(target, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(target, &release);
}

QAbstractSlider::SliderAction ActionFor(UINT code) {
  switch (code) {
    case SB_LINEUP: return QAbstractSlider::SliderSingleStepSub;
    case SB_LINEDOWN: return QAbstractSlider::SliderSingleStepAdd;
    case SB_PAGEUP: return QAbstractSlider::SliderPageStepSub;
    case SB_PAGEDOWN: return QAbstractSlider::SliderPageStepAdd;
    case SB_TOP: return QAbstractSlider::SliderToMinimum;
    case SB_BOTTOM: return QAbstractSlider::SliderToMaximum;
    default: return QAbstractSlider::SliderNoAction;
  }
}

// Presses a key for each character where the widget's caret is.
bool TypeInto(QWidget* widget, const wchar_t* text) {
  QString typed = QString::fromWCharArray(text);
  for (int i = 0; i < typed.size(); ++i) {
    QString one = typed.mid(i, typed.at(i).isHighSurrogate() && i + 1 < typed.size() ? 2 : 1);
    i += one.size() - 1;
    QChar c = one.at(0);
    int key = c.isLetter() && c.unicode() < 128 ? Qt::Key_A + (c.toUpper().unicode() - 'A')
              : c.isDigit() && c.unicode() < 128 ? Qt::Key_0 + (c.unicode() - '0')
                                                 : Qt::Key_unknown;
    SendKey(widget, key, Qt::NoModifier, one);
  }
  return true;
}

}  // namespace

DialogDriver::DialogDriver(HWND dialog) : dialog_(dialog) {}

HWND DialogDriver::Item(int id) const { return ::GetDlgItem(dialog_, id); }
bool DialogDriver::IsOpen() const {
  Window* w = Window::FromHandle(dialog_);
  auto* proc = w != nullptr ? w->ProcAs<DialogProc>() : nullptr;
  return proc != nullptr && !proc->Ended();
}

CString DialogDriver::Text(int id) const {
  Window* w = Window::FromHandle(Item(id));
  return w != nullptr ? w->text : CString();
}

bool DialogDriver::IsEnabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
bool DialogDriver::IsVisible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }

int DialogDriver::FocusedId() const {
  Window* focus = FocusedWindow();
  return focus != nullptr && focus->parent == dialog_ ? static_cast<int>(focus->id) : 0;
}

namespace {
// The widget of a control the user can reach now.
QWidget* Reachable(HWND control) {
  Window* w = Window::FromHandle(control);
  if (w == nullptr || !w->IsVisible() || !w->IsEnabled()) return nullptr;
  Window* top = w->TopLevel();
  if (top != nullptr && !top->IsEnabled()) return nullptr;
  return qt::WidgetOfWindow(w);
}
}  // namespace

bool DialogDriver::Click(int id) {
  QWidget* widget = Reachable(Item(id));
  if (widget == nullptr) return false;
  ClickAt(widget, widget->rect().center(), false);
  return true;
}

bool DialogDriver::Type(int id, const wchar_t* text) {
  QWidget* widget = Reachable(Item(id));
  if (widget == nullptr || text == nullptr) return false;
  widget->setFocus(Qt::OtherFocusReason);
  // Typing goes at the end of the text, where a click after it puts the caret.
  SendKey(widget, Qt::Key_End, Qt::NoModifier, QString());
  return TypeInto(widget, text);
}

bool DialogDriver::ReplaceText(int id, const wchar_t* text) {
  QWidget* widget = Reachable(Item(id));
  if (widget == nullptr || text == nullptr) return false;
  widget->setFocus(Qt::OtherFocusReason);
  SendKey(widget, Qt::Key_A, Qt::ControlModifier, QString());
  if (*text == L'\0') {
    SendKey(widget, Qt::Key_Delete, Qt::NoModifier, QString());
    return true;
  }
  return TypeInto(widget, text);
}

bool DialogDriver::PressKey(UINT virtualKey, int id) {
  QWidget* widget = nullptr;
  if (id != 0) {
    widget = Reachable(Item(id));
  } else {
    Window* focus = FocusedWindow();
    widget = focus != nullptr && focus->TopLevel() == dialog_ ? qt::WidgetOfWindow(focus)
                                                               : qt::WidgetOfWindow(Window::FromHandle(dialog_));
  }
  qt::QtKey key = qt::QtKeyOf(virtualKey);
  if (widget == nullptr || key.key == 0) return false;
  SendKey(widget, key.key, Qt::NoModifier, key.text);
  return true;
}

bool DialogDriver::SelectTreeItem(int id, HTREEITEM item) {
  Window* w = Window::FromHandle(Item(id));
  auto* tree = qobject_cast<QTreeWidget*>(Reachable(Item(id)));
  QTreeWidgetItem* q = tree != nullptr ? QtTreeItem(*w, item) : nullptr;
  if (q == nullptr) return false;
  // A user opens the branches down to the item, then clicks it.
  for (QTreeWidgetItem* p = q->parent(); p != nullptr; p = p->parent())
    if (!p->isExpanded()) p->setExpanded(true);
  tree->scrollToItem(q);
  QRect r = tree->visualItemRect(q);
  if (r.isValid()) ClickAt(tree->viewport(), r.center(), false);
  if (tree->currentItem() != q) tree->setCurrentItem(q);
  return true;
}

bool DialogDriver::DoubleClickTreeItem(int id, HTREEITEM item) {
  Window* w = Window::FromHandle(Item(id));
  auto* tree = qobject_cast<QTreeWidget*>(Reachable(Item(id)));
  QTreeWidgetItem* q = tree != nullptr ? QtTreeItem(*w, item) : nullptr;
  if (q == nullptr) return false;
  SelectTreeItem(id, item);
  QRect r = tree->visualItemRect(q);
  if (r.isValid()) {
    SendMouse(tree->viewport(), QEvent::MouseButtonDblClick, r.center(), Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, r.center(), Qt::NoButton);
  } else {
    emit tree->itemDoubleClicked(q, 0);
  }
  return true;
}

bool DialogDriver::ExpandTreeItem(int id, HTREEITEM item, bool expand) {
  Window* w = Window::FromHandle(Item(id));
  auto* tree = qobject_cast<QTreeWidget*>(Reachable(Item(id)));
  QTreeWidgetItem* q = tree != nullptr ? QtTreeItem(*w, item) : nullptr;
  if (q == nullptr) return false;
  q->setExpanded(expand);
  return true;
}

bool DialogDriver::Scroll(int id, UINT code) {
  auto* bar = qobject_cast<QScrollBar*>(Reachable(Item(id)));
  QAbstractSlider::SliderAction action = ActionFor(code);
  // A bar with nothing to scroll, or its arrows disabled, takes no clicks.
  if (bar == nullptr || !bar->isEnabled() || action == QAbstractSlider::SliderNoAction) return false;
  bar->triggerAction(action);
  return true;
}

bool DialogDriver::DragThumb(int id, int position) {
  auto* bar = qobject_cast<QScrollBar*>(Reachable(Item(id)));
  if (bar == nullptr || !bar->isEnabled()) return false;
  bar->setSliderDown(true);
  bar->setSliderPosition(position);
  bar->setSliderDown(false);
  return true;
}

bool DialogDriver::StepUpDown(int id, int direction) {
  Window* w = Window::FromHandle(Item(id));
  if (Reachable(Item(id)) == nullptr || direction == 0) return false;
  QWidget* arrow = QtUpDownArrow(*w, direction > 0 ? 1 : -1);
  if (arrow == nullptr) return false;
  ClickAt(arrow, arrow->rect().center(), false);
  return true;
}

bool DialogDriver::SelectListItem(int id, int index, bool doubleClick) {
  QWidget* widget = Reachable(Item(id));
  if (auto* list = qobject_cast<QListWidget*>(widget)) {
    if (index < 0 || index >= list->count()) return false;
    list->setCurrentRow(index);
    if (doubleClick) emit list->itemDoubleClicked(list->item(index));
    return true;
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (index < 0 || index >= combo->count()) return false;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    return true;
  }
  return false;
}

bool DialogDriver::Close() {
  QWidget* widget = qt::WidgetOfWindow(Window::FromHandle(dialog_));
  if (widget == nullptr) return false;
  widget->close();
  return true;
}

gdi::Surface DialogDriver::PaintClient() {
  Window* w = Window::FromHandle(dialog_);
  if (w == nullptr) return gdi::Surface();
  w->Invalidate(nullptr, true);
  w->PaintNow();
  return Window::IsLive(w) ? w->ClientSurface() : gdi::Surface();
}

bool DialogDriver::SaveScreenshot(const std::string& path) const {
  QWidget* widget = qt::WidgetOfWindow(Window::FromHandle(dialog_));
  if (widget == nullptr) return false;
  ProcessPendingEvents();
  return widget->grab().save(QString::fromStdString(path), "PNG");
}

ModalScripts::ModalScripts() {
  previous_ = SetModalHook([this](HWND dialog) { Run(dialog); });
}

ModalScripts::~ModalScripts() { SetModalHook(std::move(previous_)); }

void ModalScripts::Add(Script script) { scripts_.push_back(std::move(script)); }

void ModalScripts::Run(HWND dialog) {
  Window* w = Window::FromHandle(dialog);
  CString caption = w != nullptr ? w->text : CString();
  ProcessPendingEvents();
  if (scripts_.empty()) {
    problems_.push_back(L"no script for the dialog \"" + caption + L"\"");
    ::EndDialog(dialog, IDCANCEL);
    return;
  }
  Script script = std::move(scripts_.front());
  scripts_.erase(scripts_.begin());
  DialogDriver driver(dialog);
  script(driver);
  ProcessPendingEvents();
  auto* proc = Window::IsLive(w) ? w->ProcAs<DialogProc>() : nullptr;
  if (proc != nullptr && !proc->Ended()) {
    problems_.push_back(L"the dialog \"" + caption + L"\" was left open by its script");
    ::EndDialog(dialog, IDCANCEL);
  }
}

MessageBoxRecorder::MessageBoxRecorder() {
  previous_ = SetMessageBoxSink([this](const MessageBoxRequest& request) {
    boxes_.push_back(request);
    if (answers_.empty()) return DefaultMessageBoxAnswer(request.type);
    int answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxSink(std::move(previous_)); }

void ProcessEvents() { ProcessPendingEvents(); }

}  // namespace orv::ui::test
