#pragma once
// CLumButton: an owner-drawn push button in colours of the caller's choosing: a face, a
// frame of some width and the text, centred. Pressed, the face darkens and the text moves
// down by a pixel; disabled, the text fades into the face; with the focus, a dotted
// rectangle in the text colour lies inside the frame.
#include "platform/ui/Controls.h"

class ORV_API CLumButton : public CButton {
  DECLARE_DYNAMIC(CLumButton)
public:
  CLumButton();
  ~CLumButton() override;

  // Binds to the dialog's button of that id (making it owner-drawn) and sets its colours.
  // style is reserved (0). FALSE when there is no such button or it has an object already.
  BOOL Attach(UINT id, CWnd* parent, DWORD style, COLORREF textColor, COLORREF faceColor, COLORREF frameColor,
              UINT frameWidth);
  BOOL Attach(UINT id, CWnd* parent);
  using CWnd::Attach;

  void SetColors(COLORREF textColor, COLORREF faceColor, COLORREF frameColor, UINT frameWidth);
  COLORREF GetTextColor() const { return m_crText; }
  COLORREF GetFaceColor() const { return m_crFace; }
  COLORREF GetFrameColor() const { return m_crFrame; }
  UINT GetFrameWidth() const { return m_nFrameWidth; }

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

private:
  COLORREF m_crText;
  COLORREF m_crFace;
  COLORREF m_crFrame;
  UINT m_nFrameWidth = 1;
};
