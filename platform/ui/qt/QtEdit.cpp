// Edit controls on QLineEdit. Typing goes through a validator that asks the model whether
// the new text is within the limit; a text set by the program bypasses it, as the platform's
// limit only binds what the user types.
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

class EditValidator : public QValidator {
public:
  EditValidator(Window& w, EditProc& proc, QObject* parent) : QValidator(parent), window_(&w), proc_(&proc) {}
  void Unlink() { window_ = nullptr; }

  State validate(QString& input, int&) const override {
    if (!Window::IsLive(window_)) return Acceptable;
    CString typed = qt::ToCString(input);
    if (!proc_->Accepts(*window_, typed.GetLength())) return Invalid;
    if ((window_->style & ES_NUMBER) != 0)
      for (QChar c : input)
        if (!c.isDigit()) return Invalid;
    CString filtered = proc_->Filter(*window_, typed);
    if (filtered != typed) input = qt::ToQString(filtered);
    return Acceptable;
  }

private:
  Window* window_;
  EditProc* proc_;
};

class EditWidget : public QLineEdit {
public:
  EditWidget(Window& w, EditProc& proc, QWidget* parent) : QLineEdit(parent), window_(&w), proc_(&proc) {}
  void Unlink() { window_ = nullptr; }

protected:
  void keyPressEvent(QKeyEvent* event) override {
    int direction = event->key() == Qt::Key_Up ? 1 : event->key() == Qt::Key_Down ? -1 : 0;
    if (direction != 0 && Window::IsLive(window_)) {
      bool taken = false;
      Window* w = window_;
      qt::FromUser([&] { taken = proc_->UserArrow(*w, direction); });
      if (taken) return;
    }
    QLineEdit::keyPressEvent(event);
  }
  void focusInEvent(QFocusEvent* event) override {
    QLineEdit::focusInEvent(event);
    Notify(EN_SETFOCUS);
  }
  void focusOutEvent(QFocusEvent* event) override {
    QLineEdit::focusOutEvent(event);
    Notify(EN_KILLFOCUS);
  }

private:
  void Notify(UINT code) {
    if (!Window::IsLive(window_)) return;
    Window* w = window_;
    qt::FromUser([&] { w->NotifyParentCommand(code); });
  }

  Window* window_;
  EditProc* proc_;
};

class QtEditPeer final : public qt::QtPeerOf<EditPeer> {
public:
  QtEditPeer(Window& w, EditProc& proc, EditWidget* edit, EditValidator* validator)
      : QtPeerOf(w, edit), validator_(validator) {
    edit->setValidator(validator);
    Window* model = &w;
    EditProc* logic = &proc;
    QObject::connect(edit, &QLineEdit::textEdited, Guard(), [=, this](const QString& text) {
      qt::FromUser([&] {
        if (!logic->UserEdited(*model, qt::ToCString(text)) && Window::IsLive(model)) SetText(model->text);
      });
    });
    ApplyStyle();
  }
  ~QtEditPeer() override {
    if (auto* edit = static_cast<EditWidget*>(Widget())) edit->Unlink();
    if (validator_ != nullptr) validator_->Unlink();
  }

  void SetText(const CString& text) override {
    auto* edit = static_cast<QLineEdit*>(Widget());
    if (edit == nullptr) return;
    QSignalBlocker block(edit);
    edit->setText(qt::ToQString(text));
  }
  void GetSelection(int* anchor, int* caret) const override {
    auto* edit = static_cast<QLineEdit*>(Widget());
    *anchor = *caret = 0;
    if (edit == nullptr) return;
    QString text = edit->text();
    int cursor = edit->cursorPosition();
    int start = edit->hasSelectedText() ? edit->selectionStart() : cursor;
    int end = edit->hasSelectedText() ? edit->selectionEnd() : cursor;
    int other = cursor == start ? end : start;
    *caret = qt::ToModelIndex(text, cursor);
    *anchor = qt::ToModelIndex(text, other);
  }
  void SetSelection(int anchor, int caret) override {
    auto* edit = static_cast<QLineEdit*>(Widget());
    if (edit == nullptr) return;
    QString text = edit->text();
    int a = qt::ToQtIndex(text, anchor);
    int c = qt::ToQtIndex(text, caret);
    QSignalBlocker block(edit);
    if (a == c) edit->setCursorPosition(c);
    else edit->setSelection(a, c - a);
  }
  void EnsureCaretVisible() override {
    // A line edit keeps its cursor in view on every move; nothing is left to scroll.
  }
  void StyleChanged() override {
    ApplyAppearance();
    ApplyStyle();
  }

private:
  void ApplyStyle() {
    auto* edit = static_cast<QLineEdit*>(Widget());
    if (edit == nullptr) return;
    DWORD style = Model().style;
    edit->setReadOnly((style & ES_READONLY) != 0);
    edit->setEchoMode((style & ES_PASSWORD) != 0 ? QLineEdit::Password : QLineEdit::Normal);
    Qt::Alignment align = (style & ES_RIGHT) != 0    ? Qt::AlignRight
                          : (style & ES_CENTER) != 0 ? Qt::AlignHCenter
                                                     : Qt::AlignLeft;
    edit->setAlignment(align | Qt::AlignVCenter);
    bool framed = (Model().exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0 || (style & WS_BORDER) != 0;
    edit->setFrame(framed);
  }

  QPointer<EditValidator> validator_;
};

}  // namespace

std::unique_ptr<EditPeer> CreateEditPeer(Window& w, EditProc& proc) {
  auto* edit = new EditWidget(w, proc, qt::ParentWidgetFor(w));
  auto* validator = new EditValidator(w, proc, edit);
  return std::make_unique<QtEditPeer>(w, proc, edit, validator);
}

}  // namespace orv::ui
