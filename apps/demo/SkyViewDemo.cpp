// The sky view: a chart of the sky-view control in the colours and font sizes of the
// colour-font file in the demo's data folder, with the colour and font dialog and the
// commands that make all labels larger, smaller or their default size.
#include "apps/demo/SkyViewDemo.h"

#include "apps/demo/DemoDialogs.h"
#include "platform/ui/TemplateBuilder.h"

using orv::ui::DialogItem;

namespace orv::demo {

const DialogTemplate& SkyViewDialog::Template() {
  static const DialogTemplate t = [] {
    DialogTemplate d = ui::DialogFrame(L"Sky view", 380, 250, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.items = {
        DialogItem(kChart, L"STATIC", L"", 7, 7, 366, 212, SS_OWNERDRAW),
        DialogItem(kColours, L"BUTTON", L"Colours and fonts...", 7, 227, 84, 14, WS_TABSTOP),
        DialogItem(kLarger, L"BUTTON", L"All labels larger", 95, 227, 76, 14, WS_TABSTOP),
        DialogItem(kSmaller, L"BUTTON", L"All labels smaller", 175, 227, 78, 14, WS_TABSTOP),
        DialogItem(kDefaultSizes, L"BUTTON", L"Default sizes", 257, 227, 64, 14, WS_TABSTOP),
        DialogItem(IDCANCEL, L"BUTTON", L"Close", 325, 227, 48, 14, WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

SkyViewDialog::SkyViewDialog(CWnd* owner)
    : m_colourFontFile(DataFile("ColorFont.txt")), m_defaultsFile(DataFile("ColorFontDefault.txt")) {
  m_control.SetPictureFile(kPictureFile);
  InitModalIndirect(&Template(), owner);
}

BOOL SkyViewDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_chart.SubclassDlgItem(kChart, this);
  m_chart.SetControl(&m_control);
  // The chart starts from the user's colour-font file (made from the defaults the first time).
  Catalogue().Load(0);
  return TRUE;
}

COrvColor SkyViewDialog::Catalogue() { return COrvColor(&m_sky, nullptr, m_colourFontFile, m_defaultsFile); }

void SkyViewDialog::OnColours() {
  CSetColorDialog dialog(&m_sky, nullptr, 0, m_colourFontFile, m_defaultsFile, this);
  dialog.DoModal();
}

void SkyViewDialog::OnLarger() { Catalogue().SetAllFontSize(0); }
void SkyViewDialog::OnSmaller() { Catalogue().SetAllFontSize(2); }
void SkyViewDialog::OnDefaultSizes() { Catalogue().SetAllFontSize(1); }

BEGIN_MESSAGE_MAP(SkyViewDialog, CDialog)
  ON_COMMAND(SkyViewDialog::kColours, &SkyViewDialog::OnColours)
  ON_COMMAND(SkyViewDialog::kLarger, &SkyViewDialog::OnLarger)
  ON_COMMAND(SkyViewDialog::kSmaller, &SkyViewDialog::OnSmaller)
  ON_COMMAND(SkyViewDialog::kDefaultSizes, &SkyViewDialog::OnDefaultSizes)
END_MESSAGE_MAP()

}  // namespace orv::demo

ORV_DEMO_DIALOG(skyView, "skyview", L"Sky view", [](CWnd* owner) {
  orv::demo::SkyViewDialog dialog(owner);
  dialog.DoModal();
});
