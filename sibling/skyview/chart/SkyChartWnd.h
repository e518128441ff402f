#pragma once
// CSkyChartWnd: the window that shows a sky-view control's chart. It draws what the control
// held at its last "Show Sky" (or when it was attached): settings sent in between show on
// the next "Show Sky", as the sky view itself redraws only when told to.
//
//   CSkyChartWnd chart;
//   chart.SubclassDlgItem(IDC_SKY, dialog);   // an owner-drawn static (SS_OWNERDRAW)
//   chart.SetControl(&control);
#include "platform/ui/Wnd.h"
#include "sibling/skyview/chart/SkyChartStyle.h"

class CSkyViewControl;

class ORV_API CSkyChartWnd : public CWnd {
public:
  CSkyChartWnd() = default;
  ~CSkyChartWnd() override;
  CSkyChartWnd(const CSkyChartWnd&) = delete;
  CSkyChartWnd& operator=(const CSkyChartWnd&) = delete;

  // Follows this control (null: none; the chart then shows an empty sky). The control must
  // outlive the attachment.
  void SetControl(CSkyViewControl* control);
  CSkyViewControl* GetControl() const { return m_pControl; }
  // The colours and sizes the chart draws with now.
  const orv::sky::SkyChartStyle& GetStyle() const { return m_style; }

protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

private:
  void TakeStyle();

  CSkyViewControl* m_pControl = nullptr;
  int m_nListener = 0;
  orv::sky::SkyChartStyle m_style;
};
