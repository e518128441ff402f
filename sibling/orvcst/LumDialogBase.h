#pragma once
// CLumDialogBase: what the styled dialogs share besides being dialogs: the sky-view control
// they serve, the registry key under which they keep their own settings, and the colour
// scheme that selects their look.
//
// Colour scheme 0 is the night look the dialogs draw themselves: a dark background
// (DrawBackground), light labels and dark fields; any other value keeps the system's look.
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"

class CCorLum;
class CDC;

class ORV_API CLumDialogBase {
public:
  // The night look's colours.
  static constexpr COLORREF kNightBackground = RGB(48, 52, 60);
  static constexpr COLORREF kNightText = RGB(220, 220, 220);
  static constexpr COLORREF kNightField = RGB(28, 30, 36);
  static constexpr COLORREF kNightEdge = RGB(110, 110, 110);
  // DrawBackground's third argument: with kPanelEdge, a one-pixel edge frames the rectangle.
  static constexpr int kPanelEdge = 1;

  CLumDialogBase();
  explicit CLumDialogBase(CCorLum* corLum);
  // The first control that is not null is the dialog's own; both are kept.
  CLumDialogBase(CCorLum* corLum, CCorLum* secondCorLum);
  virtual ~CLumDialogBase();

  // Paints the dialog's background over the rectangle: the night background for colour
  // scheme 0, the system's dialog colour otherwise. The device context's colours come back
  // as they were.
  void DrawBackground(CDC* dc, CRect* rect, int flags);

  int m_nColorScheme = 0;
  CString m_strRegKey;        // where the dialog keeps its own settings; empty: nowhere
  CCorLum* m_pCorLum = nullptr;
  CCorLum* m_pCorLumSecond = nullptr;
};
