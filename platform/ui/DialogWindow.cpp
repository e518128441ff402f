#include "platform/ui/detail/DialogWindow.h"

#include <cstdint>
#include <utility>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/Classes.h"
#include "platform/ui/detail/DialogKeyboard.h"

namespace orv::ui {
namespace {

// a * b / c rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  std::int64_t p = static_cast<std::int64_t>(a) * b;
  bool negative = (p < 0) != (c < 0);
  std::int64_t ap = p < 0 ? -p : p;
  std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
  std::int64_t q = (ap + ac / 2) / ac;
  return static_cast<int>(negative ? -q : q);
}

Window* FirstTabStop(const Window& dialog) {
  for (Window* c : dialog.children)
    if ((c->style & WS_TABSTOP) != 0 && (c->style & WS_VISIBLE) != 0 && c->IsEnabled()) return c;
  return nullptr;
}

ModalHook& Hook() {
  static ModalHook hook;
  return hook;
}

}  // namespace

DialogProc::DialogProc() = default;
DialogProc::~DialogProc() = default;

void DialogProc::Create(Window& w) { w.peer = CreateCanvasPeer(w, modal != nullptr); }

void DialogProc::End(Window& w, INT_PTR value) {
  DialogEnding& ending = modal != nullptr ? *modal : modelessEnding_;
  ending.ended = true;
  ending.result = value;
  if (modal != nullptr) {
    WakeModalLoops();
  } else {
    // A modeless dialog ended by its OK or Cancel only goes out of sight.
    ::ShowWindow(&w, SW_HIDE);
  }
}

LRESULT DialogProc::WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      auto* dc = reinterpret_cast<CDC*>(wParam);
      if (dc == nullptr) return 0;
      CRect clip;
      dc->GetClipBox(&clip);
      COLORREF keep = dc->GetBkColor();
      dc->FillSolidRect(&clip, GetSysColor(COLOR_3DFACE));
      dc->SetBkColor(keep);
      return 1;
    }
    case WM_CLOSE: {
      Window* cancel = w.Child(IDCANCEL);
      if (cancel != nullptr && !cancel->IsEnabled()) return 0;
      w.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID:
      return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(defId), static_cast<WORD>(DC_HASDEFID)));
    case DM_SETDEFID: {
      auto restyle = [&](UINT id, DWORD type) {
        Window* b = w.Child(id);
        if (b == nullptr || !b->IsClass(WC_BUTTON)) return;
        DWORD current = b->style & BS_TYPEMASK;
        if (current == BS_PUSHBUTTON || current == BS_DEFPUSHBUTTON) b->SetStyle((b->style & ~BS_TYPEMASK) | type);
      };
      restyle(defId, BS_PUSHBUTTON);
      defId = static_cast<UINT>(wParam);
      restyle(defId, BS_DEFPUSHBUTTON);
      return TRUE;
    }
    case WM_HELP:
      if (w.IsTopLevel()) return TRUE;
      break;
    default:
      break;
  }
  return DefaultProc(w, message, wParam, lParam);
}

CSize MeasureDialogBaseUnits(const CString& face, int pointSize) {
  CFont font;
  CDC dc;
  if (!font.CreateFont(-MulDiv(pointSize, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face) ||
      !dc.CreateCompatibleDC(nullptr))
    return CSize(6, 13);
  CFont* old = dc.SelectObject(&font);
  CSize extent = dc.GetTextExtent(CString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  TEXTMETRIC tm{};
  BOOL haveMetrics = dc.GetTextMetrics(&tm);
  dc.SelectObject(old);
  int cx = (extent.cx / 26 + 1) / 2;
  int cy = haveMetrics ? static_cast<int>(tm.tmHeight) : extent.cy;
  if (cx <= 0 || cy <= 0) return CSize(6, 13);
  return CSize(cx, cy);
}

CRect DialogUnitsToPixels(const CRect& rect, CSize baseUnits) {
  return CRect(MulDiv(rect.left, baseUnits.cx, 4), MulDiv(rect.top, baseUnits.cy, 8),
               MulDiv(rect.right, baseUnits.cx, 4), MulDiv(rect.bottom, baseUnits.cy, 8));
}

Window* CreateDialogWindow(const DialogBuild& build, CString* error) {
  auto fail = [&](const CString& why) -> Window* {
    if (error != nullptr) *error = why;
    return nullptr;
  };
  if (build.dialogTemplate == nullptr) return fail(L"no dialog template");
  const DialogTemplate& t = *build.dialogTemplate;
  if (t.cx < 0 || t.cy < 0) return fail(L"the dialog has a negative size");
  for (const DialogItemTemplate& item : t.items) {
    CString name;
    if (item.cx < 0 || item.cy < 0) {
      name.Format(L"control %u has a negative size", item.id);
      return fail(name);
    }
    if (!MakeClassProc(CString(item.className))) {
      name.Format(L"control %u is of the unknown class \"%s\"", item.id, item.className);
      return fail(name);
    }
  }
  if (!EnsureApplication()) return fail(L"the host's application object cannot show windows");

  auto proc = std::make_unique<DialogProc>();
  DialogProc* dp = proc.get();
  dp->modal = build.modal;
  CString face = t.fontFace.empty() ? CString(L"MS Shell Dlg") : CString(t.fontFace);
  int pointSize = t.pointSize > 0 ? t.pointSize : 8;
  dp->baseUnits = MeasureDialogBaseUnits(face, pointSize);
  dp->font = std::make_unique<CFont>();
  dp->font->CreateFont(-MulDiv(pointSize, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);

  CRect client = DialogUnitsToPixels(CRect(t.x, t.y, t.x + t.cx, t.y + t.cy), dp->baseUnits);
  WindowCreate params;
  params.className = kDialogClass;
  params.text = CString(t.caption);
  params.style = t.style & ~WS_VISIBLE;
  params.exStyle = t.exStyle | ((t.style & DS_CONTEXTHELP) != 0 ? WS_EX_CONTEXTHELP : 0);
  if (build.child) {
    params.style = (params.style & ~WS_POPUP) | WS_CHILD;
    params.parent = build.parent;
    params.rect = client;
  } else {
    params.owner = build.parent;
    CPoint origin = build.parent != nullptr ? build.parent->ClientOriginOnScreen() : CPoint(0, 0);
    CRect r = client;
    r.OffsetRect(origin.x, origin.y);
    if ((t.style & DS_CENTER) != 0) {
      CRect area = build.parent != nullptr
                       ? build.parent->WindowRectOnScreen()
                       : CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
      int x = area.left + (area.Width() - client.Width()) / 2;
      int y = area.top + (area.Height() - client.Height()) / 2;
      r = CRect(x, y, x + client.Width(), y + client.Height());
    }
    params.rect = r;
  }
  Window* w = Window::Create(params, std::move(proc));
  if (w == nullptr) return fail(L"the dialog window could not be created");
  if (build.object != nullptr && !build.object->Attach(w)) {
    w->Destroy();
    return fail(L"the dialog object already has a window");
  }
  w->DefProc(WM_SETFONT, reinterpret_cast<WPARAM>(dp->font->GetSafeHandle()), FALSE);

  for (const DialogItemTemplate& item : t.items) {
    WindowCreate c;
    c.className = CString(item.className);
    c.text = CString(item.text);
    c.style = item.style | WS_CHILD;
    c.exStyle = item.exStyle;
    c.rect = DialogUnitsToPixels(CRect(item.x, item.y, item.x + item.cx, item.y + item.cy), dp->baseUnits);
    c.parent = w;
    c.id = item.id;
    Window* child = Window::Create(c);
    if (child == nullptr) {
      w->Destroy();
      return fail(L"a control could not be created");
    }
    child->DefProc(WM_SETFONT, reinterpret_cast<WPARAM>(dp->font->GetSafeHandle()), FALSE);
    if (child->IsClass(WC_BUTTON) && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) dp->defId = item.id;
  }
  for (Window* child : std::vector<Window*>(w->children)) child->proc->DialogComplete(*child);

  Window* first = FirstTabStop(*w);
  LRESULT focusDefault = w->Send(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), build.initParam);
  if (!Window::IsLive(w)) return fail(L"the dialog was destroyed while it initialised");
  if (focusDefault != 0 && Window::IsLive(first) && first->parent == w) FocusDialogControl(*first);
  return w;
}

ModalHook SetModalHook(ModalHook hook) {
  ModalHook previous = std::move(Hook());
  Hook() = std::move(hook);
  return previous;
}

void RunModalHook(HWND dialog) {
  if (Hook()) {
    ModalHook hook = Hook();  // the hook may replace itself while it runs
    hook(dialog);
  }
}

}  // namespace orv::ui

using orv::ui::Window;

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  Window* w = Window::FromHandle(dialog);
  auto* proc = w != nullptr ? w->ProcAs<orv::ui::DialogProc>() : nullptr;
  if (proc == nullptr || rect == nullptr) return FALSE;
  *rect = orv::ui::DialogUnitsToPixels(CRect(*rect), proc->baseUnits);
  return TRUE;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  Window* w = Window::FromHandle(dialog);
  auto* proc = w != nullptr ? w->ProcAs<orv::ui::DialogProc>() : nullptr;
  if (proc == nullptr) return FALSE;
  proc->End(*w, result);
  return TRUE;
}
