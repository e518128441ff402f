// The application object, the event loop, message boxes, focus, cursor and screen metrics.
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <vector>

#include "platform/base/MessageBox.h"
#include "platform/gdi/GuiApplication.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/qt/QtCommon.h"
#include "platform/ui/qt/QtKeyboard.h"

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
    QCoreApplication::instance()->installEventFilter(qt::NewKeyboardHook());
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

CSize ScreenSize() {
  if (!EnsureApplication()) return CSize(0, 0);
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? CSize(screen->geometry().width(), screen->geometry().height()) : CSize(0, 0);
}

int ScrollBarExtent() {
  if (!EnsureApplication()) return 0;
  return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

}  // namespace orv::ui
