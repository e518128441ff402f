// The sky view: a chart of the sky-view control in the library's colours and font sizes, and
// buttons that change some of them through the control's command channel, as the library's
// dialogs do, followed by "Show Sky".
#include "apps/demo/DemoDialogs.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TemplateBuilder.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "sibling/skyview/chart/SkyChartWnd.h"

using orv::ui::DialogItem;

namespace {

enum : UINT { kChart = 3100, kRedLines = 3101, kLargeNames = 3102, kSmallNames = 3103 };

const orv::DialogTemplate& SkyTemplate() {
  static const orv::DialogTemplate t = [] {
    orv::DialogTemplate d = orv::ui::DialogFrame(L"Sky view", 330, 250, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.items = {
        DialogItem(kChart, L"STATIC", L"", 7, 7, 316, 212, SS_OWNERDRAW),
        DialogItem(kRedLines, L"BUTTON", L"Red constellation lines", 7, 227, 100, 14, WS_TABSTOP),
        DialogItem(kLargeNames, L"BUTTON", L"Larger names", 111, 227, 60, 14, WS_TABSTOP),
        DialogItem(kSmallNames, L"BUTTON", L"Smaller names", 175, 227, 60, 14, WS_TABSTOP),
        DialogItem(IDCANCEL, L"BUTTON", L"Close", 273, 227, 50, 14, WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

class SkyViewDialog : public CDialog {
public:
  explicit SkyViewDialog(CWnd* owner) : m_sky(&m_control) { InitModalIndirect(&SkyTemplate(), owner); }

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_chart.SubclassDlgItem(kChart, this);
    m_chart.SetControl(&m_control);
    m_sky.Command(L"Show Sky");
    return TRUE;
  }
  void OnRedLines() { Send(L"Constellation.Line.Color = RGB(255, 64, 64)"); }
  void OnLargeNames() { Send(L"Constellation.Name.Size = 24"); }
  void OnSmallNames() { Send(L"Constellation.Name.Size = 14"); }
  DECLARE_MESSAGE_MAP()

private:
  void Send(const wchar_t* text) {
    m_sky.Command(text);
    m_sky.Command(L"Show Sky");
  }

  CSkyViewControl m_control;  // learns its keys from the library's catalogue
  CCorLum m_sky;
  CSkyChartWnd m_chart;
};

BEGIN_MESSAGE_MAP(SkyViewDialog, CDialog)
  ON_COMMAND(kRedLines, &SkyViewDialog::OnRedLines)
  ON_COMMAND(kLargeNames, &SkyViewDialog::OnLargeNames)
  ON_COMMAND(kSmallNames, &SkyViewDialog::OnSmallNames)
END_MESSAGE_MAP()

}  // namespace

ORV_DEMO_DIALOG(skyView, "skyview", L"Sky view", [](CWnd* owner) {
  SkyViewDialog dialog(owner);
  dialog.DoModal();
});
