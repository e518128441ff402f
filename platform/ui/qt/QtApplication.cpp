// The application object, the event loop, focus, cursor, screen metrics and the keyboard
// hook that gives dialogs their PreTranslateMessage.
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/DialogWindow.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

void CreateWidgetApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "orvdcm";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives for the rest of the process
}

// Fonts made before any window ask the graphics layer for the application object: it then
// makes this one, so windows can follow.
const bool kFactoryInstalled = (gdi::SetGuiApplicationFactory(&CreateWidgetApplication), true);

UINT VirtualKey(const QKeyEvent& e) {
  int k = e.key();
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<UINT>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<UINT>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return VK_F1 + static_cast<UINT>(k - Qt::Key_F1);
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
  }
}

// Offers key presses to the PreTranslateMessage of the window's objects before the widget
// sees them. A key that a widget leaves unhandled travels on to its parents as the same
// event; it is offered once, to the first receiver. The key's release ends its delivery.
class KeyboardHook : public QObject {
public:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease) last_ = nullptr;
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (widget == nullptr) return false;
    if (event == last_ && widget != lastReceiver_) return false;
    last_ = event;
    lastReceiver_ = widget;
    Window* w = qt::WindowOfWidget(widget);
    auto* key = static_cast<QKeyEvent*>(event);
    UINT vk = VirtualKey(*key);
    if (w == nullptr || vk == 0) return false;
    bool alt = (key->modifiers() & Qt::AltModifier) != 0;
    MSG msg{w, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1, 0, POINT{0, 0}};
    BOOL taken = FALSE;
    Guarded(L"", [&] { taken = WalkPreTranslate(&msg); });
    return taken != FALSE;
  }

private:
  const QEvent* last_ = nullptr;
  QPointer<QWidget> lastReceiver_;
};

int ShowQtMessageBox(const MessageBoxRequest& request) {
  QMessageBox box;
  box.setText(qt::ToQString(request.text));
  box.setWindowTitle(request.caption.IsEmpty() ? QGuiApplication::applicationDisplayName()
                                               : qt::ToQString(request.caption));
  switch (request.type & MB_ICONMASK) {
    case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
    default: break;
  }
  struct Choice {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<Choice> choices;
  switch (request.type & MB_TYPEMASK) {
    case MB_OKCANCEL: choices = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_ABORTRETRYIGNORE:
      choices = {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
      break;
    case MB_YESNOCANCEL:
      choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
      break;
    case MB_YESNO: choices = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    case MB_RETRYCANCEL: choices = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}}; break;
    default: choices = {{QMessageBox::Ok, IDOK}}; break;
  }
  QMessageBox::StandardButtons buttons;
  for (const Choice& c : choices) buttons |= c.button;
  box.setStandardButtons(buttons);
  box.setDefaultButton(choices.front().button);
  int clicked = box.exec();
  for (const Choice& c : choices)
    if (clicked == c.button) return c.answer;
  // Closed without a button: the platform answers Cancel where there is one, else the first.
  for (const Choice& c : choices)
    if (c.answer == IDCANCEL) return IDCANCEL;
  return choices.front().answer;
}

std::vector<QEventLoop*>& ModalLoops() {
  static std::vector<QEventLoop*> loops;
  return loops;
}

int& WaitDepth() {
  static int depth = 0;
  return depth;
}

}  // namespace

bool EnsureApplication() {
  (void)kFactoryInstalled;
  static bool initialised = false;
  gdi::InstallFontAliases();
  CreateWidgetApplication();
  bool widgets = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
  if (!initialised) {
    initialised = true;
    if (!widgets) {
      ShowMessageBox(L"The window layer needs a widget application object; the host made another kind, so no "
                     L"window can be shown.",
                     L"", MB_OK | MB_ICONERROR);
      return false;
    }
    QCoreApplication::instance()->installEventFilter(new KeyboardHook);
    // Real boxes on a real screen; a sink that a caller installed still comes first.
    if (HasScreen()) SetDefaultMessageBoxSink(&ShowQtMessageBox);
  }
  return widgets;
}

bool HasScreen() {
  if (QCoreApplication::instance() == nullptr) return false;
  QString platform = QGuiApplication::platformName();
  return platform != QStringLiteral("offscreen") && platform != QStringLiteral("minimal");
}

void PostToEventLoop(std::function<void()> fn) {
  if (!EnsureApplication()) return;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [fn = std::move(fn)] { fn(); }, Qt::QueuedConnection);
}

void ProcessPendingEvents() {
  if (QCoreApplication::instance() == nullptr) return;
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void RunModalLoop(Window& dialog, const bool& ended) {
  QEventLoop loop;
  ModalLoops().push_back(&loop);
  while (!ended && Window::IsLive(&dialog)) loop.exec(QEventLoop::DialogExec);
  ModalLoops().pop_back();
}

void WakeModalLoops() {
  for (QEventLoop* loop : ModalLoops()) loop->quit();
}

Window* FocusedWindow() {
  if (QCoreApplication::instance() == nullptr) return nullptr;
  return qt::WindowOfWidget(QApplication::focusWidget());
}

void BeginWaitCursor() {
  if (WaitDepth()++ == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void EndWaitCursor() {
  if (WaitDepth() <= 0) return;
  if (--WaitDepth() == 0 && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    QGuiApplication::restoreOverrideCursor();
}

int WaitCursorDepth() { return WaitDepth(); }

}  // namespace orv::ui

int GetSystemMetrics(int index) {
  if (!orv::ui::EnsureApplication()) return 0;
  QScreen* screen = QGuiApplication::primaryScreen();
  switch (index) {
    case SM_CXSCREEN: return screen != nullptr ? screen->geometry().width() : 0;
    case SM_CYSCREEN: return screen != nullptr ? screen->geometry().height() : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    default: return 0;
  }
}
