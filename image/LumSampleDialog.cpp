// The sample dialog: preparing the sample, scrolling it, and painting it.
#include "image/LumSampleDialog.h"

#include <algorithm>
#include <cstring>

#include "image/DisplayRender.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/DC.h"
#include "platform/ui/Controls.h"

BEGIN_MESSAGE_MAP(CLumSampleDialog, CLumDialog)
  ON_WM_PAINT()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CLumSampleDialog::CLumSampleDialog(UINT templateId, CWnd* parent) : CLumDialog(templateId, parent) {}

CLumSampleDialog::~CLumSampleDialog() {
  FreeSamples();
  m_dib.Destroy();
}

void CLumSampleDialog::FreeSamples() {
  delete m_pSampleImage;
  delete m_pRefImage;
  m_pSampleImage = nullptr;
  m_pRefImage = nullptr;
}

BOOL CLumSampleDialog::OnInitDialog() {
  CLumDialog::OnInitDialog();
  if (CWnd* frame = GetDlgItem(kDisplayFrame)) {
    CRect r;
    frame->GetWindowRect(&r);
    ScreenToClient(&r);
    m_view.display = r;
    m_rcDisplaySize = CRect(0, 0, r.Width(), r.Height());
  }
  // An image handed over before the dialog opened is shown at once.
  if (m_pCurrentImage != nullptr) {
    InitSample();
    MakeSampleImage(TRUE);
    InitScroll();
  }
  return TRUE;
}

void CLumSampleDialog::DoDataExchange(CDataExchange* /*dx*/) {}

void CLumSampleDialog::SetSelectionRect(CRect selection) { m_rcSelect = selection; }

void CLumSampleDialog::SetMag(double mag) {
  if (orv::sample::IsUsableMag(mag)) m_view.mag = mag;
}

void CLumSampleDialog::InitSample() {
  if (m_pCurrentImage == nullptr) {
    AfxMessageBox(L"CLumSampleDialog::InitSample(): No current image.", MB_OK);
    return;
  }
  m_nImageWidth = m_pCurrentImage->GetWidth();
  m_nImageHeight = m_pCurrentImage->GetHeight();
  m_ptOrigin = CPoint(0, 0);
  m_rcSelect.NormalizeRect();
  // Only pixels of the image can be sampled.
  if (!m_rcSelect.IsRectEmpty() && !m_rcSelect.IntersectRect(m_rcSelect, CRect(0, 0, m_nImageWidth, m_nImageHeight)))
    m_rcSelect.SetRectEmpty();
  if (m_rcSelect.IsRectEmpty()) {
    m_nSampleWidth = m_nImageWidth;
    m_nSampleHeight = m_nImageHeight;
  } else {
    m_nSampleWidth = m_rcSelect.Width();
    m_nSampleHeight = m_rcSelect.Height();
  }
  m_view.image = CRect(0, 0, m_nSampleWidth, m_nSampleHeight);
  FreeSamples();
  const CLumImage& image = *m_pCurrentImage;
  auto make = [&] {
    return new CLumImage(image.GetBitsPixel(), m_nSampleWidth, m_nSampleHeight, image.GetPlanes(), image.GetBscale(),
                         image.GetBzero(), image.IsSigned());
  };
  m_pSampleImage = make();
  m_pRefImage = make();
  ScrollToCenter();
}

void CLumSampleDialog::MakeSampleImage(int copy) {
  if (m_pSampleImage == nullptr || m_pCurrentImage == nullptr) return;
  CLumImage& sample = *m_pSampleImage;
  const CLumImage& image = *m_pCurrentImage;
  if (copy) {
    m_rcSelect.NormalizeRect();
    if (m_rcSelect.IsRectEmpty()) {
      sample.CopyImage(&image);
    } else {
      CopySelection(image, m_rcSelect, &sample, FALSE);
    }
  }
  for (int p = 0; p < sample.GetPlanes() && p < image.GetPlanes(); ++p)
    sample.SetLevel(p, image.GetLevelMin(p), image.GetLevelMax(p));
  if (m_pRefImage != nullptr) m_pRefImage->CopyImage(&sample);
  m_bBitmapReady = m_dib.Create(this, m_nSampleWidth, m_nSampleHeight, 0);
  if (m_bBitmapReady) m_dib.SetPaletteKind(sample.IsColor() && sample.GetPlanes() >= 3);
}

void CLumSampleDialog::CopySelection(const CLumImage& image, const CRect& selection, CLumImage* sample,
                                     BOOL bottomUp) {
  CRect region = selection;
  if (region.IsRectEmpty()) region = CRect(0, 0, image.GetWidth(), image.GetHeight());
  // Only rows and columns that lie in the image and in the sample (a selection may have
  // changed since InitSample sized the sample).
  CRect from;
  from.IntersectRect(region, CRect(0, 0, image.GetWidth(), image.GetHeight()));
  const long long sampleRight = static_cast<long long>(region.left) + sample->GetWidth();
  const long long sampleBottom = static_cast<long long>(region.top) + sample->GetHeight();
  const int columns = static_cast<int>(std::min<long long>(from.right, sampleRight) - from.left);
  const int rowEnd = static_cast<int>(std::min<long long>(from.bottom, sampleBottom));
  const int planes = std::min(sample->GetPlanes(), image.GetPlanes());
  for (int p = 0; p < planes && columns > 0; ++p)
    for (int y = from.top; y < rowEnd; ++y) {
      const int row = bottomUp ? sample->GetHeight() - 1 - (y - region.top) : y - region.top;
      std::memcpy(sample->GetImageAdr(from.left - region.left, row, p, 0), image.GetImageAdr(from.left, y, p, VM_ADR_READ),
                  static_cast<std::size_t>(columns) * sizeof(float));
    }
}

void CLumSampleDialog::ScrollToCenter() { m_view.ScrollToCenter(); }

void CLumSampleDialog::InitScroll() {
  const int hw = m_view.HalfWidth(), hh = m_view.HalfHeight();
  auto* hbar = static_cast<CScrollBar*>(GetDlgItem(kHScrollBar));
  auto* vbar = static_cast<CScrollBar*>(GetDlgItem(kVScrollBar));
  if (hbar != nullptr) {
    hbar->SetScrollRange(-hw, orv::sample::HoldCoord(static_cast<long long>(m_nImageWidth) - hw), TRUE);
    hbar->SetScrollPos(m_view.hpos, TRUE);
  }
  if (vbar != nullptr) {
    vbar->SetScrollRange(-hh, orv::sample::HoldCoord(static_cast<long long>(m_nImageHeight) - hh), TRUE);
    vbar->SetScrollPos(m_view.vpos, TRUE);
  }
}

void CLumSampleDialog::UpdateHPos(int oldPos, int newPos) { m_view.UpdateHPos(oldPos, newPos); }
void CLumSampleDialog::UpdateVPos(int oldPos, int newPos) { m_view.UpdateVPos(oldPos, newPos); }
void CLumSampleDialog::SetHPos(int pos) { UpdateHPos(m_view.hpos, pos); }
void CLumSampleDialog::SetVPos(int pos) { UpdateVPos(m_view.vpos, pos); }

int CLumSampleDialog::ScrollTarget(UINT code, int pos, int now, int minPos, int maxPos, int pageStep) {
  long long target = now;
  switch (code) {
    case SB_LINELEFT: target = now - 1LL; break;
    case SB_LINERIGHT: target = now + 1LL; break;
    case SB_PAGELEFT: target = now - static_cast<long long>(pageStep); break;
    case SB_PAGERIGHT: target = now + static_cast<long long>(pageStep); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: target = pos; break;
    case SB_LEFT: target = minPos; break;
    case SB_RIGHT: target = maxPos; break;
    default: break;
  }
  return static_cast<int>(std::clamp<long long>(target, minPos, std::max(minPos, maxPos)));
}

bool CLumSampleDialog::Scroll(int id, UINT code, UINT pos, CScrollBar* bar) {
  if (bar == nullptr || bar->GetDlgCtrlID() != id) return true;
  if (m_pSampleImage == nullptr) return false;  // dropped
  int minPos = 0, maxPos = 0;
  bar->GetScrollRange(&minPos, &maxPos);
  const bool horizontal = id == kHScrollBar;
  const int now = horizontal ? m_view.hpos : m_view.vpos;
  const int target = ScrollTarget(code, static_cast<int>(pos), now, minPos, maxPos);
  if (target != now) {
    bar->SetScrollPos(target, TRUE);
    if (horizontal) {
      UpdateHPos(now, target);
    } else {
      UpdateVPos(now, target);
    }
    InvalidateRect(&m_view.display, FALSE);
  }
  return true;
}

void CLumSampleDialog::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (Scroll(kHScrollBar, code, pos, bar)) CLumDialog::OnHScroll(code, pos, bar);
}

void CLumSampleDialog::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (Scroll(kVScrollBar, code, pos, bar)) CLumDialog::OnVScroll(code, pos, bar);
}

CPoint CLumSampleDialog::DialogToImage(const CPoint& point) const { return m_view.DialogToImage(point); }

CPoint CLumSampleDialog::ImageToSampleArea(const CPoint& point) const { return m_view.ImageToSampleArea(point); }

void CLumSampleDialog::MagnifyRect(const CPoint& centre, CRect* rect, double factor) {
  orv::sample::MagnifyRect(centre, rect, factor);
}

CRect CLumSampleDialog::GetDisplayImageRect() const {
  if (m_pSampleImage == nullptr) return CRect(0, 0, 0, 0);
  return m_view.DisplayImageRect(m_nSampleWidth, m_nSampleHeight);
}

void CLumSampleDialog::OnPaint() {
  CPaintDC dc(this);
  DrawSampleImage(&dc);
}

BOOL CLumSampleDialog::DrawSampleImage(CDC* dc) {
  UpdateData(TRUE);
  CWnd* frame = GetDlgItem(kDisplayFrame);
  if (frame == nullptr || !frame->IsWindowEnabled() || !m_bBitmapReady) return FALSE;
  UpdateImageBuffer(&m_dib, nullptr, 0);
  orv::sample::DrawPlanned(dc, &m_dib, m_view.display, orv::sample::PlanPaint(m_view));
  return TRUE;
}

void CLumSampleDialog::UpdateImageBuffer(CMemoryDIB* dib, const CRect* area, int /*unused*/) {
  if (!m_bBitmapReady || m_pSampleImage == nullptr) return;
  orv::RenderSample(*m_pSampleImage, dib, area);
}

void CLumSampleDialog::UpdateImageBuffer(CVmDIB* dib, const CRect* area, int /*unused*/) {
  if (!m_bBitmapReady || m_pSampleImage == nullptr) return;
  orv::RenderSample(*m_pSampleImage, dib, area);
}
