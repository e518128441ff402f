#pragma once
// Dialog windows: the dialog class's behaviour (the dialog manager's default procedure) and
// the construction of a dialog and its controls from a template.
#include <functional>
#include <memory>

#include "platform/base/Resources.h"
#include "platform/ui/detail/Window.h"

class CFont;

namespace orv::ui {

// The class name the platform gives dialog windows.
inline constexpr const wchar_t* kDialogClass = L"#32770";

// How a dialog ended: whether EndDialog was called, and its value. A modal loop waits for
// it; DoModal keeps it on its stack, so the result survives a window destroyed before the
// loop ends.
struct DialogEnding {
  bool ended = false;
  INT_PTR result = -1;
};

class DialogProc : public ClassProc {
public:
  DialogProc();
  ~DialogProc() override;
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;

  CSize baseUnits{6, 13};  // average character width and height of the dialog font, pixels
  std::unique_ptr<CFont> font;
  UINT defId = 1;  // IDOK unless the template or DM_SETDEFID says otherwise
  DialogEnding* modal = nullptr;  // DoModal's record; null for a modeless dialog

  // EndDialog: records the result and lets a modal loop finish.
  void End(Window& w, INT_PTR value);
  bool Ended() const { return modal != nullptr ? modal->ended : modelessEnding_.ended; }

private:
  DialogEnding modelessEnding_;
};

struct DialogBuild {
  const DialogTemplate* dialogTemplate = nullptr;
  Window* parent = nullptr;  // the parent of a child dialog, or the owner of a top-level one
  bool child = false;
  CWnd* object = nullptr;  // the object that receives the dialog's messages
  LPARAM initParam = 0;
  DialogEnding* modal = nullptr;  // set for a dialog that DoModal runs
};

// Creates the dialog and its controls and runs WM_INITDIALOG. Returns null, with the reason
// in `error`, for a damaged template (negative size, a control of an unknown class).
Window* CreateDialogWindow(const DialogBuild& build, CString* error);

// Base units of a dialog font: the average width of the letters A-Z a-z and the character
// height, in pixels, as the dialog manager computes them.
CSize MeasureDialogBaseUnits(const CString& face, int pointSize);

// Dialog units to pixels with the given base units.
CRect DialogUnitsToPixels(const CRect& rect, CSize baseUnits);

// Called when a modal loop is about to run for a dialog; the test driver's scripts start
// here. A hook that ends the dialog keeps the loop from running at all.
using ModalHook = std::function<void(HWND dialog)>;
ModalHook SetModalHook(ModalHook hook);
void RunModalHook(HWND dialog);

}  // namespace orv::ui
