#pragma once
// Every message box of the framework and the library goes through one sink. Without a
// window system the default sink writes the text to standard error and answers with the
// box's first button; the window layer shows real boxes when there is a screen; tests
// install a sink that records the text and chooses the answer.
#include <functional>

#include "platform/base/CString.h"

// Buttons and icons (type), and answers.
inline constexpr UINT MB_OK = 0x0, MB_OKCANCEL = 0x1, MB_ABORTRETRYIGNORE = 0x2, MB_YESNOCANCEL = 0x3,
                      MB_YESNO = 0x4, MB_RETRYCANCEL = 0x5, MB_TYPEMASK = 0xF;
inline constexpr UINT MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20,
                      MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40,
                      MB_ICONASTERISK = 0x40, MB_ICONMASK = 0xF0;
inline constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

namespace orv {
struct MessageBoxRequest {
  CString text;
  CString caption;
  UINT type = MB_OK;
};
using MessageBoxSink = std::function<int(const MessageBoxRequest&)>;

// Installs a sink and returns the one it replaces (empty when none was installed); an
// empty sink restores the default.
ORV_API MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);
// Replaces the default itself, the sink used while none is installed (the window layer's
// real message boxes); an empty sink brings back standard error. Returns the previous one.
ORV_API MessageBoxSink SetDefaultMessageBoxSink(MessageBoxSink sink);
// The first button of a box of that type: the answer when nobody can be asked.
ORV_API int DefaultMessageBoxAnswer(UINT type);
ORV_API int ShowMessageBox(const wchar_t* text, const wchar_t* caption, UINT type);
}  // namespace orv

ORV_API int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);
ORV_API int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
