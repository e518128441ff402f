#include "dialogs/HistoryDialog.h"

#include <algorithm>
#include <climits>

#include "platform/gdi/DC.h"
#include "platform/gdi/GdiObject.h"

IMPLEMENT_DYNAMIC(CHistoryDialog, CLumDialog)

BEGIN_MESSAGE_MAP(CHistoryDialog, CLumDialog)
  ON_WM_HSCROLL()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CHistoryDialog::CHistoryDialog(UINT templateId, UINT graphId, UINT scrollBarId, CWnd* parent)
    : CLumDialog(templateId, parent), m_nGraphId(graphId), m_nScrollBarId(scrollBarId) {}

CHistoryDialog::~CHistoryDialog() = default;

BOOL CHistoryDialog::OnInitDialog() {
  CLumDialog::OnInitDialog();
  SetScrollInfo();
  return TRUE;
}

void CHistoryDialog::DoDataExchange(CDataExchange* dx) { CLumDialog::DoDataExchange(dx); }

void CHistoryDialog::OnDestroy() { CLumDialog::OnDestroy(); }

int CHistoryDialog::ItemsPerPage() const {
  CWnd* graph = GetDlgItem(static_cast<int>(m_nGraphId));
  if (graph == nullptr) return 0;
  CRect r;
  graph->GetClientRect(&r);
  return r.Width() / kItemWidth;
}

int CHistoryDialog::LastFirstItem() {
  const long long last = static_cast<long long>(GetItemCount()) - ItemsPerPage() + 1;
  return static_cast<int>(std::clamp<long long>(last, 0, INT_MAX));
}

void CHistoryDialog::SetScrollInfo() {
  auto* bar = orv::ui::ScrollBarFromHandle(::GetDlgItem(m_hWnd, static_cast<int>(m_nScrollBarId)));
  if (bar == nullptr) return;
  const int n = GetItemCount();
  const int p = ItemsPerPage();
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, n,
                  static_cast<UINT>(std::max(p, 0)), m_nFirstItem, 0};
  bar->SetScrollInfo(&info, TRUE);
  bar->EnableScrollBar(n > p ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void CHistoryDialog::InvalidateGraph(BOOL erase) {
  CWnd* graph = GetDlgItem(static_cast<int>(m_nGraphId));
  if (graph == nullptr) return;
  CRect r;
  graph->GetClientRect(&r);
  InvalidateRect(&r, erase);
}

void CHistoryDialog::OnHScroll(UINT code, UINT pos, CScrollBar* scrollBar) {
  if (scrollBar != nullptr && scrollBar->GetDlgCtrlID() == static_cast<int>(m_nScrollBarId)) {
    long long first = m_nFirstItem;
    const int page = ItemsPerPage();
    switch (code) {
      case SB_LINELEFT: first -= 1; break;
      case SB_LINERIGHT: first += 1; break;
      case SB_PAGELEFT: first -= page; break;
      case SB_PAGERIGHT: first += page; break;
      case SB_THUMBTRACK: first = static_cast<int>(pos); break;
      default: break;  // the end of a drag, the ends, the end of scrolling: no change
    }
    m_nFirstItem = static_cast<int>(std::clamp<long long>(first, 0, LastFirstItem()));
    SetScrollInfo();
    InvalidateGraph(FALSE);
  }
  CLumDialog::OnHScroll(code, pos, scrollBar);
}

void CHistoryDialog::ScrollToEnd() {
  m_nFirstItem = LastFirstItem();
  SetScrollInfo();
  InvalidateGraph(TRUE);
}

void CHistoryDialog::OnPaint() {
  { CPaintDC validate(this); }
  OnPaintImpl();
}

void CHistoryDialog::OnPaintImpl() {
  CWnd* graph = GetDlgItem(static_cast<int>(m_nGraphId));
  if (graph == nullptr) return;
  CRect r;
  graph->GetClientRect(&r);
  graph->UpdateWindow();
  CClientDC dc(graph);
  CBrush night;
  CBrush* background = nullptr;
  if (m_nColorScheme != 0) {
    background = CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW));
  } else if (night.CreateSolidBrush(kNightGraphBackground)) {
    background = &night;
  }
  if (background == nullptr) return;
  dc.FillRect(&r, background);
  // The whole strip in one bitmap, as wide as the items need; when that cannot be made the
  // graph keeps its background.
  const long long stripWidth = static_cast<long long>(GetItemCount()) * kItemWidth;
  if (stripWidth <= 0 || stripWidth > INT_MAX || r.Height() <= 0) return;
  CDC memory;
  CBitmap strip;
  if (!memory.CreateCompatibleDC(&dc) || !strip.CreateCompatibleBitmap(&dc, static_cast<int>(stripWidth), r.Height()))
    return;
  CBitmap* old = memory.SelectObject(&strip);
  CRect whole(0, 0, static_cast<int>(stripWidth), r.Height());
  memory.FillRect(&whole, background);
  DrawItems(&memory);
  const long long firstColumn = static_cast<long long>(m_nFirstItem) * kItemWidth;
  if (firstColumn < stripWidth)
    dc.BitBlt(0, 0, r.Width(), r.Height(), &memory, static_cast<int>(firstColumn), 0, SRCCOPY);
  memory.SelectObject(old);
}
