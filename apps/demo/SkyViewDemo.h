#pragma once
// The demo's sky view: the chart of a sky-view control and the commands that change its
// colours and font sizes through the library.
#include "colour/OrvColor.h"
#include "colour/SetColorDialog.h"
#include "platform/ui/Dialog.h"
#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "sibling/skyview/chart/SkyChartWnd.h"

namespace orv::demo {

class SkyViewDialog : public CDialog {
public:
  enum : UINT { kChart = 3100, kColours = 3101, kLarger = 3102, kSmaller = 3103, kDefaultSizes = 3104 };
  static constexpr const wchar_t* kPictureFile = L".\\constellation\\CnsPic\\CnsPic.lst";

  explicit SkyViewDialog(CWnd* owner);
  CSkyViewControl& Control() { return m_control; }

protected:
  BOOL OnInitDialog() override;
  void OnColours();
  void OnLarger();
  void OnSmaller();
  void OnDefaultSizes();
  DECLARE_MESSAGE_MAP()

private:
  static const DialogTemplate& Template();
  // A catalogue over this sky view and the data folder's files, for one call.
  COrvColor Catalogue();

  CString m_colourFontFile;
  CString m_defaultsFile;
  CSkyViewControl m_control;  // learns its keys from the library's catalogue
  CCorLum m_sky{&m_control};
  CSkyChartWnd m_chart;
};

}  // namespace orv::demo
