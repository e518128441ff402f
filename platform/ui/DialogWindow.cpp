#include "platform/ui/detail/DialogWindow.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/detail/Backend.h"
#include "platform/ui/detail/Classes.h"
#include "platform/ui/detail/StaticButton.h"

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

bool IsClass(const Window* w, const wchar_t* name) { return w != nullptr && w->className.CompareNoCase(name) == 0; }

bool IsPushButton(const Window* w) {
  if (!IsClass(w, WC_BUTTON)) return false;
  DWORD type = w->style & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
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
  ended = true;
  result = value;
  if (modal != nullptr) {
    modal->ended = true;
    modal->result = value;
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
        if (b == nullptr || !IsClass(b, WC_BUTTON)) return;
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

CRect DialogUnitsToPixels(const CRect& r, CSize units) {
  return CRect(MulDiv(r.left, units.cx, 4), MulDiv(r.top, units.cy, 8), MulDiv(r.right, units.cx, 4),
               MulDiv(r.bottom, units.cy, 8));
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
    if (IsClass(child, WC_BUTTON) && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) dp->defId = item.id;
  }
  for (Window* child : std::vector<Window*>(w->children)) child->proc->DialogComplete(*child);

  Window* first = FirstTabStop(*w);
  LRESULT focusDefault = w->Send(WM_INITDIALOG, reinterpret_cast<WPARAM>(first), build.initParam);
  if (!Window::IsLive(w)) return fail(L"the dialog was destroyed while it initialised");
  if (focusDefault != 0 && Window::IsLive(first) && first->parent == w) {
    ::SetFocus(first);
    if (IsClass(first, WC_EDIT)) first->Send(EM_SETSEL, 0, -1);
  }
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

namespace {
// Alt with the "&" letter of a label moves the focus to the control the label names.
BOOL HandleMnemonic(Window& dialog, UINT vk) {
  if (!((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) return FALSE;
  for (Window* c : dialog.children) {
    auto* label = c->ProcAs<StaticProc>();
    if (label == nullptr || !Window::IsLive(label->mnemonicTarget) || !c->IsVisible()) continue;
    int at = c->text.Find(L'&');
    while (at >= 0 && at + 1 < c->text.GetLength() && c->text[at + 1] == L'&') at = c->text.Find(L'&', at + 2);
    if (at < 0 || at + 1 >= c->text.GetLength() || FoldCase(c->text[at + 1]) != FoldCase(static_cast<wchar_t>(vk)))
      continue;
    Window* target = label->mnemonicTarget;
    ::SetFocus(target);
    if (IsClass(target, WC_EDIT)) target->Send(EM_SETSEL, 0, -1);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

BOOL IsDialogMessage(Window& dialog, MSG* msg) {
  if (msg != nullptr && msg->message == WM_SYSKEYDOWN) return HandleMnemonic(dialog, static_cast<UINT>(msg->wParam));
  if (msg == nullptr || msg->message != WM_KEYDOWN) return FALSE;
  Window* focus = Window::FromHandle(msg->hwnd);
  switch (msg->wParam) {
    case VK_ESCAPE: {
      Window* cancel = dialog.Child(IDCANCEL);
      if (cancel == nullptr || cancel->IsEnabled())
        dialog.Send(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return TRUE;
    }
    case VK_RETURN: {
      if (focus != nullptr && focus != &dialog && IsPushButton(focus)) {
        focus->Send(BM_CLICK);
        return TRUE;
      }
      if (IsClass(focus, WC_EDIT) && (focus->style & ES_MULTILINE) != 0 && (focus->style & ES_WANTRETURN) != 0)
        return FALSE;
      LRESULT def = dialog.Send(DM_GETDEFID);
      UINT id = HIWORD(static_cast<WPARAM>(def)) == DC_HASDEFID ? LOWORD(static_cast<WPARAM>(def)) : IDOK;
      Window* button = dialog.Child(id);
      if (button != nullptr && (!button->IsEnabled() || !button->IsVisible())) return TRUE;
      dialog.Send(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return TRUE;
    }
    case VK_F1: {
      Window* target = focus != nullptr ? focus : &dialog;
      HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, static_cast<int>(target->id), target, 0, POINT{0, 0}};
      target->Send(WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL WalkPreTranslate(MSG* msg) {
  Window* w = Window::FromHandle(msg->hwnd);
  Window* top = w != nullptr ? w->TopLevel() : nullptr;
  for (; Window::IsLive(w); w = w->IsTopLevel() ? nullptr : w->parent) {
    if (w->attached != nullptr) {
      BOOL taken = FALSE;
      CWnd* object = w->attached;
      Guarded(L"", [&] { taken = object->PreTranslateMessage(msg); });
      if (taken) return TRUE;
    }
  }
  // A dialog that no object serves still has the dialog manager's keyboard interface.
  if (Window::IsLive(top) && top->attached == nullptr && top->ProcAs<DialogProc>() != nullptr)
    return IsDialogMessage(*top, msg);
  return FALSE;
}

}  // namespace orv::ui
