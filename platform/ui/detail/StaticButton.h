#pragma once
// Static controls and buttons: the classes "STATIC" and "BUTTON".
#include "platform/ui/detail/Window.h"

namespace orv::ui {

// --- STATIC: text, frames and rectangles, bitmaps, owner-drawn
class StaticPeer : public WindowPeer {
public:
  // Redraws from the model (text, type, colours, image).
  virtual void Refresh() = 0;
};

class StaticProc : public ClassProc {
public:
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;
  void DialogComplete(Window& w) override;

  DWORD Type(const Window& w) const { return w.style & SS_TYPEMASK; }
  bool IsText(const Window& w) const;
  // Owner-drawn statics ask their parent to draw them (WM_DRAWITEM) on the surface.
  void DrawOwner(Window& w);
  // A click from the user (reported with SS_NOTIFY).
  void UserClicked(Window& w, bool doubleClick);

  HBITMAP image = nullptr;  // STM_SETIMAGE
  Window* mnemonicTarget = nullptr;  // the control its "&" letter moves the focus to

private:
  StaticPeer* peer_ = nullptr;
};

// --- BUTTON: push, default push, check boxes, radio buttons, group boxes, owner-drawn
class ButtonPeer : public WindowPeer {
public:
  virtual void SetCheck(int check) = 0;
  virtual void SetPushed(bool pushed) = 0;
  virtual void Refresh() = 0;
  // Whether the button has the keyboard focus (drawn as ODS_FOCUS).
  virtual bool HasFocus() const = 0;
};

class ButtonProc : public ClassProc {
public:
  void Create(Window& w) override;
  LRESULT WndProc(Window& w, UINT message, WPARAM wParam, LPARAM lParam) override;
  void StyleChanged(Window& w, DWORD oldStyle) override;

  DWORD Type(const Window& w) const { return w.style & BS_TYPEMASK; }
  bool IsCheckable(const Window& w) const;
  // The user pressed and released the button: auto check boxes and radio buttons change
  // their state, then the parent hears BN_CLICKED.
  void UserClicked(Window& w);
  void UserPressed(Window& w, bool isPressed);
  // Owner-drawn buttons: a plain button face first, then WM_DRAWITEM to the parent.
  void DrawOwner(Window& w);

  int check = BST_UNCHECKED;
  bool pushed = false;

private:
  void CheckRadioInGroup(Window& w);
  ButtonPeer* peer_ = nullptr;
};

}  // namespace orv::ui
