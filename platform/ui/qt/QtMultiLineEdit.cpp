// Multi-line edit controls (ES_MULTILINE) on QPlainTextEdit. The model keeps the platform's
// line breaks, "\r\n", and counts them as two characters in positions and in the limit;
// the widget shows "\n". Positions are converted both ways.
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "platform/ui/detail/Peers.h"
#include "platform/ui/qt/QtCommon.h"

namespace orv::ui {
namespace {

bool IsBreakAt(const CString& text, int i) {
  return text[i] == L'\r' && i + 1 < text.GetLength() && text[i + 1] == L'\n';
}

QString ToPlain(const CString& text) {
  CString plain = text;
  plain.Replace(L"\r\n", L"\n");
  return qt::ToQString(plain);
}

CString FromPlain(const QString& text) {
  CString model = qt::ToCString(text);
  model.Replace(L"\n", L"\r\n");
  return model;
}

// Model position (line breaks two characters) to plain position (one) and back.
int ModelToPlain(const CString& text, int position) {
  int plain = 0;
  for (int i = 0; i < position && i < text.GetLength(); ++i)
    if (!IsBreakAt(text, i)) ++plain;
  return plain;
}

int PlainToModel(const CString& text, int plain) {
  int i = 0;
  for (int p = 0; i < text.GetLength() && p < plain; ++p) i += IsBreakAt(text, i) ? 2 : 1;
  return i;
}

class QtMultiLineEditPeer final : public qt::QtPeerOf<EditPeer> {
public:
  QtMultiLineEditPeer(Window& w, EditProc& proc, QPlainTextEdit* edit) : QtPeerOf(w, edit) {
    edit->setTabChangesFocus(true);  // Tab moves through the dialog, as there
    Window* model = &w;
    EditProc* logic = &proc;
    QObject::connect(edit, &QPlainTextEdit::textChanged, Guard(), [=, this] {
      CString typed = FromPlain(Edit()->toPlainText());
      qt::FromUser([&] {
        bool taken = logic->UserEdited(*model, typed);
        // A refused edit, or one the style changed (letter case), shows the model's text.
        if (Window::IsLive(model) && (!taken || model->text != typed)) {
          SetText(model->text);
          Edit()->moveCursor(QTextCursor::End);
        }
      });
    });
    ApplyStyle();
  }

  void SetText(const CString& text) override {
    QPlainTextEdit* edit = Edit();
    if (edit == nullptr) return;
    QSignalBlocker block(edit);
    edit->setPlainText(ToPlain(text));
  }

  void GetSelection(int* anchor, int* caret) const override {
    *anchor = *caret = 0;
    QPlainTextEdit* edit = Edit();
    if (edit == nullptr) return;
    QString plain = edit->toPlainText();
    QTextCursor cursor = edit->textCursor();
    const CString& text = Model().text;
    *anchor = PlainToModel(text, qt::ToModelIndex(plain, cursor.anchor()));
    *caret = PlainToModel(text, qt::ToModelIndex(plain, cursor.position()));
  }

  void SetSelection(int anchor, int caret) override {
    QPlainTextEdit* edit = Edit();
    if (edit == nullptr) return;
    QString plain = edit->toPlainText();
    const CString& text = Model().text;
    QTextCursor cursor(edit->document());
    cursor.setPosition(qt::ToQtIndex(plain, ModelToPlain(text, anchor)));
    cursor.setPosition(qt::ToQtIndex(plain, ModelToPlain(text, caret)), QTextCursor::KeepAnchor);
    QSignalBlocker block(edit);
    edit->setTextCursor(cursor);
  }

  void EnsureCaretVisible() override {
    if (QPlainTextEdit* edit = Edit()) edit->ensureCursorVisible();
  }

  void StyleChanged() override {
    ApplyAppearance();
    ApplyStyle();
  }

private:
  QPlainTextEdit* Edit() const { return static_cast<QPlainTextEdit*>(Widget()); }

  void ApplyStyle() {
    QPlainTextEdit* edit = Edit();
    if (edit == nullptr) return;
    DWORD style = Model().style;
    edit->setReadOnly((style & ES_READONLY) != 0);
    // Without a horizontal scroll, the platform wraps the lines at the control's edge.
    edit->setLineWrapMode((style & ES_AUTOHSCROLL) != 0 ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    bool framed = (Model().exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0 || (style & WS_BORDER) != 0;
    edit->setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
  }
};

}  // namespace

std::unique_ptr<EditPeer> CreateMultiLineEditPeer(Window& w, EditProc& proc) {
  auto* edit = new QPlainTextEdit(qt::ParentWidgetFor(w));
  return std::make_unique<QtMultiLineEditPeer>(w, proc, edit);
}

}  // namespace orv::ui
