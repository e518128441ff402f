// The FITS viewer: a sample dialog that opens a FITS file (named on the command line or
// chosen with Open...), or shows a star field made here when there is none. The user picks
// a magnification from 1/4 to 8, drags a rectangle to make it the sample (Whole image goes
// back), and moves each plane's level window with two scroll bars, the picture following
// at once. Images whose rows run bottom-up (FITS) show their first row at the bottom.
#include <memory>
#include <vector>

#include "apps/demo/DemoDialogs.h"
#include "apps/demo/StarField.h"
#include "image/LevelScale.h"
#include "image/LumSampleDialog.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/TemplateBuilder.h"
#include "sibling/orvcim/FitsReader.h"

using orv::ui::DialogItem;

namespace {

enum : UINT {
  kOpen = 3201, kMagLabel = 3202, kMag = 3203, kWhole = 3204, kPlaneLabel = 3205, kPlane = 3206,
  kBlackLabel = 3207, kBlack = 3208, kWhiteLabel = 3209, kWhite = 3210, kInfo = 3211
};

struct MagChoice {
  const wchar_t* text;
  double mag;
};
const MagChoice kMags[] = {{L"1/4", 0.25}, {L"1/2", 0.5}, {L"1", 1.0}, {L"2", 2.0}, {L"4", 4.0}, {L"8", 8.0}};
constexpr int kMagOne = 2;

// Astronomers' usual first look: the sky background just above black, the brightest stars white.
constexpr double kLowFraction = 0.25;
constexpr double kHighFraction = 0.995;
constexpr int kLevelPage = 20;  // level bar positions per page request

const orv::DialogTemplate& ViewerTemplate() {
  static const orv::DialogTemplate t = [] {
    orv::DialogTemplate d =
        orv::ui::DialogFrame(L"FITS viewer", 430, 246, DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    d.items = {
        DialogItem(CLumSampleDialog::kDisplayFrame, L"STATIC", L"", 7, 7, 320, 220, SS_BLACKFRAME),
        DialogItem(CLumSampleDialog::kHScrollBar, L"SCROLLBAR", L"", 7, 229, 320, 10, SBS_HORZ),
        DialogItem(CLumSampleDialog::kVScrollBar, L"SCROLLBAR", L"", 329, 7, 10, 220, SBS_VERT),
        DialogItem(kOpen, L"BUTTON", L"Open...", 346, 7, 77, 14, WS_TABSTOP),
        DialogItem(kMagLabel, L"STATIC", L"Magnification:", 346, 29, 77, 9, SS_LEFT),
        DialogItem(kMag, L"COMBOBOX", L"", 346, 39, 77, 80, CBS_DROPDOWNLIST | WS_TABSTOP),
        DialogItem(kWhole, L"BUTTON", L"Whole image", 346, 57, 77, 14, WS_TABSTOP),
        DialogItem(kPlaneLabel, L"STATIC", L"Plane:", 346, 79, 77, 9, SS_LEFT),
        DialogItem(kPlane, L"COMBOBOX", L"", 346, 89, 77, 60, CBS_DROPDOWNLIST | WS_TABSTOP),
        DialogItem(kBlackLabel, L"STATIC", L"", 346, 109, 77, 9, SS_LEFT),
        DialogItem(kBlack, L"SCROLLBAR", L"", 346, 119, 77, 10, SBS_HORZ),
        DialogItem(kWhiteLabel, L"STATIC", L"", 346, 135, 77, 9, SS_LEFT),
        DialogItem(kWhite, L"SCROLLBAR", L"", 346, 145, 77, 10, SBS_HORZ),
        DialogItem(kInfo, L"STATIC", L"", 346, 163, 77, 56, SS_LEFT),
        DialogItem(IDCANCEL, L"BUTTON", L"Close", 346, 225, 77, 14, WS_TABSTOP),
    };
    return d;
  }();
  return t;
}

class FitsViewerDialog : public CLumSampleDialog {
public:
  FitsViewerDialog(CWnd* owner, const CString& path, double mag) : CLumSampleDialog(0, owner), m_path(path) {
    m_nColorScheme = 1;
    SetMag(mag);
    InitModalIndirect(&ViewerTemplate(), owner);
  }

protected:
  BOOL OnInitDialog() override {
    CLumSampleDialog::OnInitDialog();
    AttachControls();
    auto* mags = Combo(kMag);
    for (const MagChoice& m : kMags) mags->AddString(m.text);
    mags->SetCurSel(kMagOne);
    for (int i = 0; i < static_cast<int>(std::size(kMags)); ++i)
      if (kMags[i].mag == GetMag()) mags->SetCurSel(i);
    for (int id : {kBlack, kWhite}) Bar(id)->SetScrollRange(0, orv::LevelScale::kSteps, FALSE);
    if (m_path.IsEmpty() || !Load(m_path)) Show(orv::demo::MakeStarField(640, 480), L"(a star field made by the demo)");
    return TRUE;
  }

  // A bottom-up image's sample is copied upside down, so its first row shows at the bottom.
  void MakeSampleImage(int copy) override {
    if (copy && m_pCurrentImage != nullptr && m_pCurrentImage->IsBottomUp() && m_pSampleImage != nullptr) {
      CopySelection(*m_pCurrentImage, m_rcSelect, m_pSampleImage, TRUE);
      copy = FALSE;
    }
    CLumSampleDialog::MakeSampleImage(copy);
  }

  void OnPaint() {
    CPaintDC dc(this);
    DrawSampleImage(&dc);
    if (m_bDragging) {
      CBrush brush(RGB(255, 220, 0));
      CRect band(m_ptDragStart.x, m_ptDragStart.y, m_ptDragEnd.x, m_ptDragEnd.y);
      band.NormalizeRect();
      dc.FrameRect(&band, &brush);
    }
  }

  void OnOpen() {
    CFileDialog open(TRUE, L"fits", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     L"FITS images (*.fits;*.fit;*.fts)|*.fits;*.fit;*.fts|All files (*.*)|*.*||", this);
    if (open.DoModal() == IDOK) Load(open.GetPathName());
  }

  void OnMag() {
    const int choice = Combo(kMag)->GetCurSel();
    if (choice < 0) return;
    SetMag(kMags[choice].mag);
    InvalidateRect(&m_view.display, FALSE);
  }

  void OnWhole() {
    SetSelectionRect(CRect());
    Resample();
  }

  void OnPlane() {
    m_nPlane = std::max(0, Combo(kPlane)->GetCurSel());
    ShowLevels();
  }

  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
    const int id = bar != nullptr ? bar->GetDlgCtrlID() : 0;
    if (id != kBlack && id != kWhite) {
      CLumSampleDialog::OnHScroll(code, pos, bar);
      return;
    }
    const int now = bar->GetScrollPos();
    const int target = ScrollTarget(code, static_cast<int>(pos), now, 0, orv::LevelScale::kSteps, kLevelPage);
    if (target == now) return;
    bar->SetScrollPos(target);
    SetWindowFromBars();
  }

  void OnLButtonDown(UINT, CPoint point) {
    if (!m_view.display.PtInRect(point) || m_pSampleImage == nullptr) return;
    m_bDragging = true;
    m_ptDragStart = m_ptDragEnd = point;
  }

  void OnMouseMove(UINT flags, CPoint point) {
    if (!m_bDragging || (flags & MK_LBUTTON) == 0) return;
    m_ptDragEnd = point;
    InvalidateRect(&m_view.display, FALSE);
  }

  void OnLButtonUp(UINT, CPoint point) {
    if (!m_bDragging) return;
    m_bDragging = false;
    m_ptDragEnd = point;
    SelectDragged();
  }

  DECLARE_MESSAGE_MAP()

private:
  CComboBox* Combo(int id) const { return static_cast<CComboBox*>(GetDlgItem(id)); }
  CScrollBar* Bar(int id) const { return static_cast<CScrollBar*>(GetDlgItem(id)); }

  bool Load(const CString& path) {
    CString error;
    std::unique_ptr<CLumImage> image = CFitsReader::Read(path, &error);
    if (image == nullptr) {
      AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
    Show(std::move(image), path);
    return true;
  }

  // Makes image the current one, whole, with the first-look windows.
  void Show(std::unique_ptr<CLumImage> image, const CString& name) {
    m_pImage = std::move(image);
    m_scales.clear();
    for (int p = 0; p < m_pImage->GetPlanes(); ++p) {
      double lo = 0.0, hi = 0.0;
      orv::PercentileWindow(*m_pImage, p, kLowFraction, kHighFraction, &lo, &hi);
      m_pImage->SetLevel(p, lo, hi);
      m_scales.push_back(orv::LevelScale::OfPlane(*m_pImage, p));
    }
    SetCurrentImage(m_pImage.get());
    SetSelectionRect(CRect());
    auto* planes = Combo(kPlane);
    planes->ResetContent();
    if (m_pImage->GetPlanes() >= 3) {
      for (const wchar_t* s : {L"Red", L"Green", L"Blue"}) planes->AddString(s);
    } else {
      planes->AddString(L"Grey");
    }
    planes->SetCurSel(0);
    m_nPlane = 0;
    CString info;
    info.Format(L"%s\n%d x %d, %d plane%s\nrows %s", name.GetString(), m_pImage->GetWidth(), m_pImage->GetHeight(),
                m_pImage->GetPlanes(), m_pImage->GetPlanes() == 1 ? L"" : L"s",
                m_pImage->IsBottomUp() ? L"bottom-up" : L"top-down");
    SetDlgItemText(kInfo, info);
    Resample();
  }

  void Resample() {
    InitSample();
    MakeSampleImage(TRUE);
    InitScroll();
    ShowLevels();
    InvalidateRect(&m_view.display, FALSE);
  }

  // The scroll bars and labels of the chosen plane's window.
  void ShowLevels() {
    if (m_pImage == nullptr) return;
    const orv::LevelScale& scale = m_scales[static_cast<std::size_t>(m_nPlane)];
    Bar(kBlack)->SetScrollPos(scale.PositionOf(m_pImage->GetLevelMin(m_nPlane)));
    Bar(kWhite)->SetScrollPos(scale.PositionOf(m_pImage->GetLevelMax(m_nPlane)));
    CString text;
    text.Format(L"Black: %.6g", m_pImage->GetLevelMin(m_nPlane));
    SetDlgItemText(kBlackLabel, text);
    text.Format(L"White: %.6g", m_pImage->GetLevelMax(m_nPlane));
    SetDlgItemText(kWhiteLabel, text);
  }

  // The window the bars show goes to the image (so a new sample keeps it) and the sample,
  // and the picture follows now.
  void SetWindowFromBars() {
    if (m_pImage == nullptr || m_pSampleImage == nullptr) return;
    const orv::LevelScale& scale = m_scales[static_cast<std::size_t>(m_nPlane)];
    const double black = scale.ValueAt(Bar(kBlack)->GetScrollPos());
    const double white = scale.ValueAt(Bar(kWhite)->GetScrollPos());
    m_pImage->SetLevel(m_nPlane, black, white);
    m_pSampleImage->SetLevel(m_nPlane, black, white);
    ShowLevels();
    InvalidateRect(&m_view.display, FALSE);
    UpdateWindow();
  }

  // The dragged rectangle, in sample pixels, becomes the selection in image pixels.
  void SelectDragged() {
    CPoint a = DialogToImage(m_ptDragStart), b = DialogToImage(m_ptDragEnd);
    CRect dragged(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    if (!dragged.IntersectRect(dragged, CRect(0, 0, m_nSampleWidth, m_nSampleHeight)) || dragged.Width() < 2 ||
        dragged.Height() < 2) {
      InvalidateRect(&m_view.display, FALSE);
      return;
    }
    const CRect current = m_rcSelect.IsRectEmpty() ? CRect(0, 0, m_nImageWidth, m_nImageHeight) : m_rcSelect;
    CRect selection(current.left + dragged.left, current.top + dragged.top, current.left + dragged.right,
                    current.top + dragged.bottom);
    if (m_pImage->IsBottomUp()) {  // sample rows count from the selection's last row
      selection.top = current.top + (m_nSampleHeight - dragged.bottom);
      selection.bottom = current.top + (m_nSampleHeight - dragged.top);
    }
    SetSelectionRect(selection);
    Resample();
  }

  CString m_path;
  std::unique_ptr<CLumImage> m_pImage;
  std::vector<orv::LevelScale> m_scales;
  int m_nPlane = 0;
  bool m_bDragging = false;
  CPoint m_ptDragStart, m_ptDragEnd;
};

BEGIN_MESSAGE_MAP(FitsViewerDialog, CLumSampleDialog)
  ON_WM_PAINT()
  ON_WM_HSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_BN_CLICKED(kOpen, &FitsViewerDialog::OnOpen)
  ON_BN_CLICKED(kWhole, &FitsViewerDialog::OnWhole)
  ON_CBN_SELCHANGE(kMag, &FitsViewerDialog::OnMag)
  ON_CBN_SELCHANGE(kPlane, &FitsViewerDialog::OnPlane)
END_MESSAGE_MAP()

void OpenViewer(CWnd* owner, double mag) {
  const std::vector<std::string>& files = orv::demo::DemoFiles();
  FitsViewerDialog dialog(owner, files.empty() ? CString() : CString(files.front().c_str()), mag);
  dialog.DoModal();
}

}  // namespace

ORV_DEMO_DIALOG(fitsViewer, "fits-viewer", L"FITS viewer", [](CWnd* owner) { OpenViewer(owner, 1.0); });
ORV_DEMO_DIALOG(fitsViewerHalf, "fits-viewer-half", L"FITS viewer at 1/2", [](CWnd* owner) { OpenViewer(owner, 0.5); });
ORV_DEMO_DIALOG(fitsViewerFour, "fits-viewer-x4", L"FITS viewer at 4", [](CWnd* owner) { OpenViewer(owner, 4.0); });
