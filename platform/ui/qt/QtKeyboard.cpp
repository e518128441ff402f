#include "platform/ui/qt/QtKeyboard.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "platform/ui/detail/DialogKeyboard.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui::qt {
namespace {

struct KeyPair {
  int qtKey;
  UINT virtualKey;
  const char* text;
};

// Where two Qt keys share a code, the first is the one a code becomes.
constexpr KeyPair kKeys[] = {
    {Qt::Key_Return, VK_RETURN, "\r"},   {Qt::Key_Enter, VK_RETURN, "\r"}, {Qt::Key_Escape, VK_ESCAPE, "\x1b"},
    {Qt::Key_Tab, VK_TAB, "\t"},         {Qt::Key_Backtab, VK_TAB, ""},    {Qt::Key_Backspace, VK_BACK, "\b"},
    {Qt::Key_Space, VK_SPACE, " "},      {Qt::Key_Left, VK_LEFT, ""},      {Qt::Key_Right, VK_RIGHT, ""},
    {Qt::Key_Up, VK_UP, ""},             {Qt::Key_Down, VK_DOWN, ""},      {Qt::Key_Home, VK_HOME, ""},
    {Qt::Key_End, VK_END, ""},           {Qt::Key_PageUp, VK_PRIOR, ""},   {Qt::Key_PageDown, VK_NEXT, ""},
    {Qt::Key_Insert, VK_INSERT, ""},     {Qt::Key_Delete, VK_DELETE, ""},  {Qt::Key_Shift, VK_SHIFT, ""},
    {Qt::Key_Control, VK_CONTROL, ""},   {Qt::Key_Alt, VK_MENU, ""},
};

constexpr int kFunctionKeys = 24;

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
    Window* w = WindowOfWidget(widget);
    auto* key = static_cast<QKeyEvent*>(event);
    UINT vk = VirtualKeyOf(key->key());
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

}  // namespace

UINT VirtualKeyOf(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<UINT>('A' + (qtKey - Qt::Key_A));
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return static_cast<UINT>('0' + (qtKey - Qt::Key_0));
  if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeys) return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  for (const KeyPair& k : kKeys)
    if (k.qtKey == qtKey) return k.virtualKey;
  return 0;
}

QtKey QtKeyOf(UINT vk) {
  if (vk >= 'A' && vk <= 'Z') return {Qt::Key_A + static_cast<int>(vk - 'A'), QString(QChar(vk + ('a' - 'A')))};
  if (vk >= '0' && vk <= '9') return {Qt::Key_0 + static_cast<int>(vk - '0'), QString(QChar(vk))};
  if (vk >= VK_F1 && vk < VK_F1 + kFunctionKeys) return {Qt::Key_F1 + static_cast<int>(vk - VK_F1), QString()};
  for (const KeyPair& k : kKeys)
    if (k.virtualKey == vk) return {k.qtKey, QString::fromLatin1(k.text)};
  return {};
}

QObject* NewKeyboardHook() { return new KeyboardHook; }

}  // namespace orv::ui::qt
