#pragma once
// CHistoryDialog: a dialog base that shows a long history of items as a horizontal strip,
// four pixels per item (item i at columns 4i ... 4i + 3), in a graph control, with a
// horizontal scroll bar control that pages through it. The deriving dialog supplies the
// template, the item count and the drawing of the items; the base keeps the first visible
// item, sizes the scroll bar and paints through an off-screen bitmap.
//
// With n items and p = (graph client width) / 4 items per page, the first visible item stays
// within 0 ... max(n - p + 1, 0); the scroll bar has the range 0 ... n, the page p, and is
// disabled unless n > p.
//
//   1. OnInitDialog: the styled base initialises, then the scroll bar is sized;
//   2. scroll requests of the bar: line (1 item), page (p items), thumb tracking (item by
//      item); the graph is repainted. ScrollToEnd shows the last items;
//   3. every paint: the graph's client area and a bitmap of n * 4 pixels by the graph's
//      height are filled with the background (RGB(50, 50, 50) in colour scheme 0, the
//      system window colour otherwise), DrawItems draws every item into the bitmap, and
//      the page from the first visible item on is copied to the graph.
// A strip too wide for one bitmap (n * 4 beyond the int range or the largest bitmap the
// platform makes) shows the background only.
#include "platform/ui/Controls.h"
#include "sibling/orvcst/LumDialog.h"

class ORV_API CHistoryDialog : public CLumDialog {
  DECLARE_DYNAMIC(CHistoryDialog)
public:
  static constexpr int kItemWidth = 4;  // pixels per item
  static constexpr COLORREF kNightGraphBackground = RGB(50, 50, 50);

  CHistoryDialog(UINT templateId, UINT graphId, UINT scrollBarId, CWnd* parent = nullptr);
  ~CHistoryDialog() override;

  // The number of items.
  virtual int GetItemCount() = 0;
  // Draws every item, item i at columns 4i ... 4i + 3, into a memory context whose bitmap is
  // GetItemCount() * 4 pixels wide, as tall as the graph, and filled with the background.
  virtual void DrawItems(CDC* dc) = 0;

  int GetFirstVisibleItem() const { return m_nFirstItem; }

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnDestroy();
  void OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar);
  void OnPaint();
  void OnPaintImpl();
  void ScrollToEnd();

  DECLARE_MESSAGE_MAP()

private:
  int ItemsPerPage() const;
  int LastFirstItem();
  void SetScrollInfo();
  void InvalidateGraph(BOOL erase);

  UINT m_nGraphId;
  UINT m_nScrollBarId;
  int m_nFirstItem = 0;
};
