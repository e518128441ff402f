// The colour and font dialog's preview: a sample of the entry being edited, in its colour
// and size, on black in the band m_rcPreview under the tree.
#include <array>
#include <initializer_list>

#include "colour/SetColorDialog.h"
#include "platform/base/MessageBox.h"
#include "platform/gdi/DC.h"
#include "res/ResourceIds.h"

namespace {

constexpr DWORD kPaintWhereMaskIsSet = 0xE20746;  // DSPDxax: D ^ (S & (P ^ D))
constexpr COLORREF kBlack = RGB(0, 0, 0);

// One drawing of a mark: a cell of the bitmap, placed relative to the band's centre.
struct MarkCell {
  int xSrc, ySrc, dx, dy, width, height;
};

struct MarkRow {
  const wchar_t* key;  // compared ignoring case
  int bitmap;          // index into m_bmpMark (resource 24005 + index)
  std::array<MarkCell, 3> cells;
  int cellCount;
};

// Symbols in three sizes: large, medium and small from left to right, 15 pixels apart, the
// middle one centred.
constexpr std::array<MarkCell, 3> ThreeSizes(int xSrc, int cell) {
  const int half = cell / 2;
  return {{{xSrc, 0, -half - 15, -half, cell, cell},
           {xSrc, cell, -half, -half, cell, cell},
           {xSrc, 2 * cell, -half + 15, -half, cell, cell}}};
}
constexpr std::array<MarkCell, 3> Single(int size) { return {{{0, 0, -size / 2, -size / 2, size, size}}}; }

constexpr int kDeepSky = IDB_MARK_DEEPSKY - IDB_MARK_DEEPSKY, kMeteor = IDB_MARK_METEOR - IDB_MARK_DEEPSKY,
              kClick = IDB_MARK_CLICK - IDB_MARK_DEEPSKY, kTelescope = IDB_MARK_TELESCOPE - IDB_MARK_DEEPSKY,
              kVariable = IDB_MARK_VARIABLE - IDB_MARK_DEEPSKY, kDouble = IDB_MARK_DOUBLE - IDB_MARK_DEEPSKY;

constexpr MarkRow kMarks[] = {
    {L"DeepSky.PlanetaryNebula.Mark.Color", kDeepSky, ThreeSizes(0, 9), 3},
    {L"DeepSky.DiffuseNebula.Mark.Color", kDeepSky, ThreeSizes(9, 9), 3},
    {L"DeepSky.OpenCluster.Mark.Color", kDeepSky, ThreeSizes(18, 9), 3},
    {L"DeepSky.GlobularCluster.Mark.Color", kDeepSky, ThreeSizes(27, 9), 3},
    {L"DeepSky.Galaxy.Mark.Color", kDeepSky, ThreeSizes(36, 9), 3},
    {L"DeepSky.Compound.Mark.Color", kDeepSky, ThreeSizes(45, 9), 3},
    {L"DeepSky.SupernovaRemnant.Mark.Color", kDeepSky, ThreeSizes(54, 9), 3},
    {L"Meteor.Swarm.Radiant.Color", kMeteor, Single(15), 1},
    {L"ClickData.Mark.Color", kClick, Single(17), 1},
    {L"TelescopePos.Color", kTelescope, Single(17), 1},
    {L"Star.Gcvs.Mark.Color", kVariable, ThreeSizes(0, 9), 3},
    {L"Star.Wds.Primary.Mark.Color", kDouble, ThreeSizes(0, 11), 3},
    {L"Star.Wds.Secondary.Mark.Color", kDouble, ThreeSizes(0, 11), 3},
    {L"Exoplanet.Mark.Color", kDeepSky, ThreeSizes(144, 9), 1},  // the large symbol, left-hand place
};

// The band black, the context's background colour as it was.
void FillBlack(CDC* dc, const CRect& band) {
  const COLORREF background = dc->GetBkColor();
  dc->FillSolidRect(&band, kBlack);
  dc->SetBkColor(background);
}

}  // namespace

void CSetColorDialog::OnPaint() {
  CPaintDC dc(this);
  if (m_nColorScheme == 0) {
    CRect client;
    GetClientRect(&client);
    DrawBackground(&dc, &client, 0);
  }
  HTREEITEM selected = m_treeColor.m_hWnd != nullptr ? m_treeColor.GetSelectedItem() : nullptr;
  if (selected != nullptr && !m_treeColor.ItemHasChildren(selected)) {
    SColorEntry e = CurrentEntry();
    if (e.strKind == L"MARK")
      DrawMarkPattern(&dc, e.strColorKey, m_crColor);
    else
      DrawPattern(&dc, m_strKind, m_nFontSize, m_crColor);
  } else {
    FillBlack(&dc, m_rcPreview);
  }
}

void CSetColorDialog::DrawPattern(CDC* pDC, CString strKind, int nSize, COLORREF crColor) {
  FillBlack(pDC, m_rcPreview);
  const int cy = (m_rcPreview.top + m_rcPreview.bottom) / 2;
  if (strKind == L"LINE" || strKind == L"CNSPIC") {
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, crColor);
    CPen* previous = pDC->SelectObject(&pen);
    pDC->MoveTo(m_rcPreview.left, cy);
    pDC->LineTo(m_rcPreview.right, cy);
    pDC->SelectObject(previous);
    pen.DeleteObject();
  } else if (strKind == L"FONT") {
    CFont font;
    font.CreateFont(nSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
    CFont* previousFont = pDC->SelectObject(&font);
    CString sample;
    sample.LoadString(IDS_FONT_SAMPLE_TEXT);
    const COLORREF previousText = pDC->SetTextColor(crColor);
    const int previousMode = pDC->SetBkMode(TRANSPARENT);
    CRect band = m_rcPreview;
    pDC->DrawText(sample, &band, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    pDC->SetBkMode(previousMode);
    pDC->SetTextColor(previousText);
    pDC->SelectObject(previousFont);
    font.DeleteObject();
  }
}

void CSetColorDialog::DrawMarkPattern(CDC* pDC, CString strColorKey, COLORREF crColor) {
  FillBlack(pDC, m_rcPreview);
  const int cx = (m_rcPreview.left + m_rcPreview.right) / 2;
  const int cy = (m_rcPreview.top + m_rcPreview.bottom) / 2;
  for (const MarkRow& row : kMarks) {
    if (strColorKey.CompareNoCase(row.key) != 0) continue;
    for (int i = 0; i < row.cellCount; ++i) {
      const MarkCell& c = row.cells[static_cast<size_t>(i)];
      BitBltMark(pDC, c.xSrc, c.ySrc, cx + c.dx, cy + c.dy, c.width, c.height, crColor, &m_bmpMark[row.bitmap]);
    }
    return;
  }
  AfxMessageBox(CString(L"CSetColorDialog::DrawMarkPattern(): Unknown LmkColor string: ") + strColorKey, MB_OK);
}

void CSetColorDialog::BitBltMark(CDC* pDC, int xSrc, int ySrc, int xDest, int yDest, int nWidth, int nHeight,
                                 COLORREF crColor, CBitmap* pBitmap) {
  if (pBitmap == nullptr || pBitmap->GetSafeHandle() == nullptr) return;  // no symbol: the band stays black
  CBrush brush;
  brush.CreateSolidBrush(crColor);
  CDC work, mask;
  work.CreateCompatibleDC(pDC);
  mask.CreateCompatibleDC(pDC);
  CBitmap* previousMask = mask.SelectObject(pBitmap);
  CBitmap cell;
  cell.CreateCompatibleBitmap(pDC, nWidth, nHeight);
  CBitmap* previousCell = work.SelectObject(&cell);
  CBrush* previousBrush = work.SelectObject(&brush);

  work.BitBlt(0, 0, nWidth, nHeight, pDC, xDest, yDest, SRCCOPY);
  work.BitBlt(0, 0, nWidth, nHeight, &mask, xSrc, ySrc, kPaintWhereMaskIsSet);
  pDC->BitBlt(xDest, yDest, nWidth, nHeight, &work, 0, 0, SRCCOPY);

  work.SelectObject(previousBrush);
  work.SelectObject(previousCell);
  mask.SelectObject(previousMask);
  cell.DeleteObject();
  work.DeleteDC();
  mask.DeleteDC();
  brush.DeleteObject();
}
