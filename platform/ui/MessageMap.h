#pragma once
// Message maps in the framework's shape: each class lists the messages it handles between
// BEGIN_MESSAGE_MAP(Class, Base) and END_MESSAGE_MAP(), and its map is chained to its base
// class's, so a message goes to the most derived handler and, when nobody maps it, to the
// window's default procedure.
//
// Handlers are named as members of the class, `ON_BN_CLICKED(IDC_APPLY, &CMyDialog::OnApply)`.
// Each entry holds a small typed thunk instead of a cast member pointer, so a handler of the
// wrong signature is a compile error rather than a crash.
#include <type_traits>

#include "platform/base/Object.h"
#include "platform/ui/WinUser.h"

class CCmdTarget;
class CScrollBar;
class CDC;

using AFX_THUNK = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_*; 0 ends the map
  UINT nCode;     // the control's notification code (WM_COMMAND, WM_NOTIFY)
  UINT nID;       // first control id
  UINT nLastID;   // last control id of a range
  AFX_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace orv::ui {
// The scroll bar object of a handle (the attached one, or the window's own wrapper).
ORV_API CScrollBar* ScrollBarFromHandle(HWND hwnd);
}  // namespace orv::ui

// A command target: anything with a message map.
class ORV_API CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget() = default;
  ~CCmdTarget() override;

  // Runs the handler mapped for a command or notification; FALSE when none is mapped.
  virtual BOOL OnCmdMsg(UINT message, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT* result);

  // The first entry for the message, searching this class's map and then its bases'.
  static const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

#define DECLARE_MESSAGE_MAP()                        \
protected:                                           \
  static const AFX_MSGMAP* GetThisMessageMap();      \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                         \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                                  \
    using ThisClass = theClass;                                                                       \
    using TheBaseClass = baseClass;                                                                   \
    static_assert(std::is_base_of_v<TheBaseClass, ThisClass>, "a message map chains to a base class"); \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                    \
  {0, 0, 0, 0, nullptr}};                                                                    \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                        \
  }

// --- commands and control notifications (WM_COMMAND)
#define ON_COMMAND(id, memberFxn)                                                                  \
  {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id),                                  \
   [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (static_cast<ThisClass*>(t)->*(memberFxn))(); return 0; }},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                    \
  {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(idLast),                              \
   [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {                                               \
     (static_cast<ThisClass*>(t)->*(memberFxn))(static_cast<UINT>(LOWORD(w)));                    \
     return 0;                                                                                     \
   }},
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
  {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id),     \
   [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { (static_cast<ThisClass*>(t)->*(memberFxn))(); return 0; }},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                                       \
  {WM_COMMAND, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast), \
   [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {                                               \
     (static_cast<ThisClass*>(t)->*(memberFxn))(static_cast<UINT>(LOWORD(w)));                    \
     return 0;                                                                                     \
   }},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// --- notifications of the common controls (WM_NOTIFY): void handler(NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
  {WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(id),      \
   [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {                                               \
     LRESULT r = 0;                                                                                \
     (static_cast<ThisClass*>(t)->*(memberFxn))(reinterpret_cast<NMHDR*>(l), &r);                  \
     return r;                                                                                     \
   }},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                        \
  {WM_NOTIFY, static_cast<UINT>(wNotifyCode), static_cast<UINT>(id), static_cast<UINT>(idLast),  \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     LRESULT r = 0;                                                                                \
     (static_cast<ThisClass*>(t)->*(memberFxn))(static_cast<UINT>(w), reinterpret_cast<NMHDR*>(l), &r); \
     return r;                                                                                     \
   }},

// --- any message: LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn)                                                             \
  {static_cast<UINT>(message), 0, 0, 0,                                                           \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT { return (static_cast<ThisClass*>(t)->*(memberFxn))(w, l); }},

// --- window messages with their usual handler names
#define ON_WM_PAINT()                                                                              \
  {WM_PAINT, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { static_cast<ThisClass*>(t)->OnPaint(); return 0; }},
#define ON_WM_DESTROY()                                                                            \
  {WM_DESTROY, 0, 0, 0,                                                                           \
   [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { static_cast<ThisClass*>(t)->OnDestroy(); return 0; }},
#define ON_WM_CLOSE()                                                                              \
  {WM_CLOSE, 0, 0, 0, [](CCmdTarget* t, WPARAM, LPARAM) -> LRESULT { static_cast<ThisClass*>(t)->OnClose(); return 0; }},
#define ON_WM_HSCROLL()                                                                            \
  {WM_HSCROLL, 0, 0, 0,                                                                           \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     static_cast<ThisClass*>(t)->OnHScroll(static_cast<UINT>(LOWORD(w)),                           \
                                           static_cast<UINT>(ScrollPosFromWParam(w)),              \
                                           orv::ui::ScrollBarFromHandle(reinterpret_cast<HWND>(l))); \
     return 0;                                                                                     \
   }},
#define ON_WM_VSCROLL()                                                                            \
  {WM_VSCROLL, 0, 0, 0,                                                                           \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     static_cast<ThisClass*>(t)->OnVScroll(static_cast<UINT>(LOWORD(w)),                           \
                                           static_cast<UINT>(ScrollPosFromWParam(w)),              \
                                           orv::ui::ScrollBarFromHandle(reinterpret_cast<HWND>(l))); \
     return 0;                                                                                     \
   }},
#define ON_WM_ERASEBKGND()                                                                         \
  {WM_ERASEBKGND, 0, 0, 0,                                                                        \
   [](CCmdTarget* t, WPARAM w, LPARAM) -> LRESULT {                                               \
     return static_cast<ThisClass*>(t)->OnEraseBkgnd(reinterpret_cast<CDC*>(w));                   \
   }},
#define ON_WM_DRAWITEM()                                                                           \
  {WM_DRAWITEM, 0, 0, 0,                                                                          \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     static_cast<ThisClass*>(t)->OnDrawItem(static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l)); \
     return TRUE;                                                                                  \
   }},
#define ON_WM_HELPINFO()                                                                           \
  {WM_HELP, 0, 0, 0,                                                                              \
   [](CCmdTarget* t, WPARAM, LPARAM l) -> LRESULT {                                               \
     return static_cast<ThisClass*>(t)->OnHelpInfo(reinterpret_cast<HELPINFO*>(l));                \
   }},
#define ON_WM_SIZE()                                                                               \
  {WM_SIZE, 0, 0, 0,                                                                              \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     static_cast<ThisClass*>(t)->OnSize(static_cast<UINT>(w), LOWORD(static_cast<WPARAM>(l)),      \
                                        HIWORD(static_cast<WPARAM>(l)));                           \
     return 0;                                                                                     \
   }},
#define ORV_ON_MOUSE_MESSAGE(message, handler)                                                     \
  {message, 0, 0, 0,                                                                              \
   [](CCmdTarget* t, WPARAM w, LPARAM l) -> LRESULT {                                             \
     static_cast<ThisClass*>(t)->handler(static_cast<UINT>(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l))); \
     return 0;                                                                                     \
   }},
#define ON_WM_LBUTTONDOWN() ORV_ON_MOUSE_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() ORV_ON_MOUSE_MESSAGE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() ORV_ON_MOUSE_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_MOUSEMOVE() ORV_ON_MOUSE_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
