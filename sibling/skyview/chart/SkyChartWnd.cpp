#include "sibling/skyview/chart/SkyChartWnd.h"

#include "platform/gdi/DC.h"
#include "sibling/skyview/SkyViewControl.h"
#include "sibling/skyview/chart/SkyChartDraw.h"

BEGIN_MESSAGE_MAP(CSkyChartWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSkyChartWnd::~CSkyChartWnd() {
  if (m_pControl != nullptr) m_pControl->RemoveRedrawListener(m_nListener);
}

void CSkyChartWnd::SetControl(CSkyViewControl* control) {
  if (m_pControl != nullptr) m_pControl->RemoveRedrawListener(m_nListener);
  m_pControl = control;
  m_nListener = 0;
  if (m_pControl != nullptr) m_nListener = m_pControl->AddRedrawListener([this] { TakeStyle(); });
  TakeStyle();
}

void CSkyChartWnd::TakeStyle() {
  m_style = m_pControl != nullptr ? orv::sky::SkyChartStyle::FromControl(*m_pControl) : orv::sky::SkyChartStyle{};
  if (m_hWnd != nullptr) Invalidate(FALSE);
}

void CSkyChartWnd::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  orv::sky::DrawSkyChart(dc, client, m_style);
}

// The chart covers the whole client area: nothing to erase first.
BOOL CSkyChartWnd::OnEraseBkgnd(CDC*) { return TRUE; }
