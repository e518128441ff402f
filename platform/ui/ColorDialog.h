#pragma once
// CColorDialog: the colour chooser, built by the framework from its own controls: 48 basic
// colours, 16 custom colours, a hue/saturation field with a luminance bar, and the
// hue/saturation/luminance and red/green/blue values as edits.
//
// The 16 custom colours are the caller's: m_cc.lpCustColors points at them (at the object's
// own array, all white, unless the caller points it elsewhere). The chooser works on a copy
// and writes it back when the user presses OK, before OnColorOK is asked. It opens on
// m_cc.rgbResult when m_cc.Flags has CC_RGBINIT, else on black; OK puts the chosen colour
// into m_cc.rgbResult and ends the dialog when OnColorOK accepts.
#include <memory>

#include "platform/ui/Dialog.h"

class CBitmap;

struct CHOOSECOLORW {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;
  DWORD Flags;
  LPARAM lCustData;
  void* lpfnHook;
  LPCWSTR lpTemplateName;
};
using CHOOSECOLOR = CHOOSECOLORW;

inline constexpr DWORD CC_RGBINIT = 0x1, CC_FULLOPEN = 0x2, CC_PREVENTFULLOPEN = 0x4, CC_SHOWHELP = 0x8,
                       CC_ENABLEHOOK = 0x10, CC_SOLIDCOLOR = 0x80, CC_ANYCOLOR = 0x100;

class ORV_API CColorDialog : public CDialog {
  DECLARE_DYNAMIC(CColorDialog)
public:
  // Control ids of the chooser, for programs and tests that drive it.
  static constexpr int kBasicFirst = 720;   // 48 basic colour swatches, row by row
  static constexpr int kCustomFirst = 800;  // 16 custom colour swatches
  static constexpr int kHueEdit = 703, kSatEdit = 704, kLumEdit = 705, kRedEdit = 706, kGreenEdit = 707,
                       kBlueEdit = 708, kAddCustom = 712;

  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
  ~CColorDialog() override;

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  // Makes the chooser show this colour (while it is open) and keeps it as the result.
  void SetCurrentColor(COLORREF color);

  CHOOSECOLOR m_cc;

  // The chooser's basic colours, row by row.
  static const COLORREF kBasicColors[48];

protected:
  // The user confirmed: return 0 to accept the colour (the default), non-zero to keep the
  // chooser open.
  virtual BOOL OnColorOK();
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnPaint();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT drawItem);
  void OnSwatch(UINT id);
  void OnValueEdited(UINT id);
  void OnAddCustom();

  DECLARE_MESSAGE_MAP()

private:
  void Pick(COLORREF color, int editedId);
  void PickHls(int hue, int luminance, int saturation, int editedId);
  void ShowValues(int editedId);
  void PickAt(CPoint point);
  void DrawSwatch(CDC& dc, const RECT& rect, COLORREF color, bool selected);

  COLORREF m_ownCustom[16];
  COLORREF m_working[16] = {};
  COLORREF m_current = 0;
  int m_hue = 0, m_lum = 0, m_sat = 0;
  int m_customSlot = 0;      // the custom box that "Add to Custom Colors" fills next
  bool m_showingValues = false;
  CRect m_spectrum, m_lumBar, m_sample;  // client pixels
  std::unique_ptr<orv::DialogTemplate> m_template;
  std::unique_ptr<CBitmap> m_spectrumBitmap;
  int m_selectedSwatch = 0;  // the swatch drawn as chosen (0: none)
};
