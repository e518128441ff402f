// The preview band to the pixel: its place under the tree, black until an entry is chosen,
// the line, the sample text clipped to the band, and every mark painted through its bitmap.
#include <string>
#include <vector>

#include "colour/SetColorDialogFixture.h"
#include "support/PixelChecks.h"

namespace {

using orv::test::ColorFontDialog;
using orv::test::DialogDriver;

class SetColorDialogPreviewTest : public orv::test::SetColorDialogFixture {
protected:
  // Bounds of the pixels in the band that are not black; empty when all are.
  static CRect Drawn(const orv::gdi::Surface& s, const CRect& band) {
    CRect r = orv::test::BoundsWhere(band.Width(), band.Height(),
                                     [&](int x, int y) { return s.PixelColor(band.left + x, band.top + y) != 0; });
    r.OffsetRect(band.TopLeft());
    return r;
  }
};

TEST_F(SetColorDialogPreviewTest, TheBandShowsTheLineAndEveryMarkInTheColour) {
  struct Mark {  // bitmap, source x, cell size, symbols drawn (large, medium, small; 15 pixels apart)
    const wchar_t* key;
    int bitmap, xSrc, cell, count;
  } marks[] = {
      {L"DeepSky.PlanetaryNebula.Mark.Color", 0, 0, 9, 3}, {L"DeepSky.DiffuseNebula.Mark.Color", 0, 9, 9, 3},
      {L"DeepSky.OpenCluster.Mark.Color", 0, 18, 9, 3},    {L"DeepSky.GlobularCluster.Mark.Color", 0, 27, 9, 3},
      {L"DeepSky.Galaxy.Mark.Color", 0, 36, 9, 3},         {L"DeepSky.Compound.Mark.Color", 0, 45, 9, 3},
      {L"DeepSky.SupernovaRemnant.Mark.Color", 0, 54, 9, 3}, {L"Meteor.Swarm.Radiant.Color", 1, 0, 15, 1},
      {L"ClickData.Mark.Color", 2, 0, 17, 1},              {L"TelescopePos.Color", 3, 0, 17, 1},
      {L"Star.GCVS.Mark.Color", 4, 0, 9, 3},               {L"Star.WDS.Primary.Mark.Color", 5, 0, 11, 3},
      {L"Star.WDS.Secondary.Mark.Color", 5, 0, 11, 3},     {L"ExoPlanet.Mark.Color", 0, 144, 9, 1},
  };
  const COLORREF colour = RGB(0xF0, 0x3C, 0xA5);  // bits that show how grey mixes
  ColorFontDialog dialog(&sky, nullptr, 0, FontFile(), DefaultsFile());
  scripts.Add([&](DialogDriver& d) {
    CRect tree(7, 18, 152, 104), edit(63, 162, 77, 175), gap(0, 0, 10, 7);
    for (CRect* r : {&tree, &edit, &gap}) dialog.MapDialogRect(r);
    const CRect band = dialog.m_rcPreview;
    EXPECT_EQ(band, CRect(tree.left, tree.bottom + gap.bottom, tree.right, edit.top - gap.bottom));
    const int cx = (band.left + band.right) / 2, cy = (band.top + band.bottom) / 2;
    EXPECT_TRUE(Drawn(d.PaintClient(), band).IsRectEmpty());
    HTREEITEM line = dialog.Item(IndexOf(L"Constellation.Line.Color"));
    d.SelectTreeItem(IDC_COLOR_TREE, dialog.m_treeColor.GetParentItem(line));
    EXPECT_TRUE(Drawn(d.PaintClient(), band).IsRectEmpty());
    d.SelectTreeItem(IDC_COLOR_TREE, line);
    orv::gdi::Surface s = d.PaintClient();
    EXPECT_EQ(Drawn(s, band), CRect(band.left, cy, band.right, cy + 1));
    EXPECT_EQ(s.PixelColor(band.right - 1, cy), RGB(0, 0x70, 0x80));  // "807000"

    for (const Mark& m : marks) {
      Choose(d, dialog, m.key);
      dialog.m_crColor = colour;
      s = d.PaintClient();
      const orv::gdi::Surface& bits = *dialog.m_bmpMark[m.bitmap].GetSurface();
      std::vector<COLORREF> expected(static_cast<size_t>(band.Width() * band.Height()), 0);
      const int left = cx - m.cell / 2 - (m.count == 1 && m.xSrc == 0 ? 0 : 15);
      for (int i = 0; i < m.count; ++i)
        for (int y = 0; y < m.cell; ++y)
          for (int x = 0; x < m.cell; ++x)
            expected[static_cast<size_t>((cy - m.cell / 2 + y - band.top) * band.Width() + left + 15 * i + x -
                                         band.left)] = bits.PixelColor(m.xSrc + x, m.cell * i + y) & colour;
      for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
          ASSERT_EQ(s.PixelColor(x, y), expected[static_cast<size_t>((y - band.top) * band.Width() + x - band.left)])
              << m.key << " " << x << "," << y;
    }
    EXPECT_EQ(boxes.Count(), 0);
    CDC memory;  // over a background that is not black: D ^ (S & (P ^ D)), bit by bit
    CBitmap target;
    memory.CreateCompatibleDC(nullptr);
    target.CreateBitmap(11, 11, 1, 32, nullptr);
    memory.SelectObject(&target);
    memory.FillSolidRect(0, 0, 11, 11, RGB(0x12, 0x34, 0x56));
    dialog.BitBltMark(&memory, 0, 0, 0, 0, 11, 11, colour, &dialog.m_bmpMark[5]);
    for (int i = 0; i < 121; ++i)
      ASSERT_EQ(memory.GetPixel(i % 11, i / 11),
                0x563412u ^ (dialog.m_bmpMark[5].GetSurface()->PixelColor(i % 11, i / 11) & (colour ^ 0x563412u)));
    d.Click(IDCANCEL);
  });
  dialog.DoModal();
}

TEST_F(SetColorDialogPreviewTest, SampleTextIsCentredInItsSizeAndClippedToTheBand) {
  ColorFontDialog dialog(&sky, nullptr, FontFile(), DefaultsFile(), L"Star.Name.Size");
  scripts.Add([&](DialogDriver& d) {
    const CRect band = dialog.m_rcPreview;
    const COLORREF outside = d.PaintClient().PixelColor(band.left - 1, band.top);
    for (int size : {12, 50}) {
      dialog.SetDlgItemText(IDC_FONTSIZE_EDIT, std::to_wstring(size).c_str());
      orv::gdi::Surface s = d.PaintClient();
      CRect text = Drawn(s, band);
      EXPECT_LE(text.Height(), size);
      EXPECT_NEAR(text.CenterPoint().y, band.CenterPoint().y, size / 4 + 1);
      EXPECT_NEAR(text.CenterPoint().x, band.CenterPoint().x, 2);
      EXPECT_EQ(s.PixelColor(band.left - 1, text.CenterPoint().y), outside);
      EXPECT_EQ(s.PixelColor(band.right, text.CenterPoint().y), outside);
      EXPECT_LE(text.Width(), band.Width());
    }
    d.Click(IDCANCEL);
  });
  dialog.DoModal();
}

}  // namespace
