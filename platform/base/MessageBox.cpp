#include "platform/base/MessageBox.h"

#include <cstdio>
#include <utility>

namespace orv {
namespace {
int WriteToStandardError(const MessageBoxRequest& r) {
  std::string caption = r.caption.ToUtf8();
  std::fprintf(stderr, "%s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ", r.text.ToUtf8().c_str());
  return DefaultMessageBoxAnswer(r.type);
}

// The sink a caller installed (empty when none) and the default behind it.
MessageBoxSink& Sink() {
  static MessageBoxSink sink;
  return sink;
}

MessageBoxSink& DefaultSink() {
  static MessageBoxSink sink = WriteToStandardError;
  return sink;
}
}  // namespace

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
  MessageBoxSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

MessageBoxSink SetDefaultMessageBoxSink(MessageBoxSink sink) {
  MessageBoxSink previous = std::move(DefaultSink());
  DefaultSink() = sink ? std::move(sink) : MessageBoxSink(WriteToStandardError);
  return previous;
}

int DefaultMessageBoxAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
  }
}

int ShowMessageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
  MessageBoxRequest request{CString(text), CString(caption), type};
  // A copy: the sink may replace itself while it answers.
  MessageBoxSink sink = Sink() ? Sink() : DefaultSink();
  return sink(request);
}
}  // namespace orv

int AfxMessageBox(const wchar_t* text, UINT type, UINT /*helpId*/) {
  return orv::ShowMessageBox(text, L"", type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
  CString text;
  text.LoadString(stringId);
  return AfxMessageBox(text, type, helpId);
}
