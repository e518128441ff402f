#pragma once
// Display bitmaps: 8 (palette index), 16 (5-5-5), 24 (blue, green, red) or 32 bits per
// pixel (blue, green, red, and a fourth byte that pixel writers leave alone).
//
// CMemoryDIB keeps its bits in ordinary memory in the Windows device-independent layout:
// rows bottom-up, each padded to a multiple of 4 bytes, and has a device context of its own.
// CVmDIB keeps its pixels as one plane of paged storage, rows top to bottom, and copies or
// stretches them onto a device context.
//
// The pixel writers and address functions are compiled into liborvdcm.
#include <memory>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/Geometry.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/GdiTypes.h"
#include "sibling/orvcim/VmImage.h"

class CDC;
class CPalette;
class CWnd;

namespace orv::dib {
struct Canvas;
}  // namespace orv::dib

class ORV_API CBaseDIB : public CObject {
public:
  CBaseDIB() = default;
  ~CBaseDIB() override;
  CBaseDIB(const CBaseDIB&) = delete;
  CBaseDIB& operator=(const CBaseDIB&) = delete;

  int GetBitCount() const;
  int GetBytesPerRow() const;
  int GetWidth() const;
  int GetHeight() const;
  // The 256 colours (0x00BBGGRR) an 8-bit bitmap's indexes stand for.
  const COLORREF* GetColorTable() const { return m_colorTable; }
  // Fills the colour table: a grey ramp (index = level) or, for colour, the 3-3-2 palette
  // of the BBGGGRRR index.
  void SetPaletteKind(BOOL color);
  BOOL IsColorPalette() const { return m_bColorPalette; }

protected:
  // Checks and stores the geometry; FALSE (nothing changed) for a size that is not
  // positive, a bit count other than 8, 16, 24 or 32, or a size that overflows.
  BOOL SetGeometry(int width, int height, int bitCount, int bytesPerRow);

  int m_nBitCount = 0;
  int m_nBytesPerRow = 0;
  int m_nWidth = 0;
  int m_nHeight = 0;
  COLORREF m_colorTable[256] = {};
  BOOL m_bColorPalette = FALSE;
};

class ORV_API CMemoryDIB : public CBaseDIB {
public:
  CMemoryDIB();
  ~CMemoryDIB() override;

  // Allocates width x height pixels of bitCount bits, all bytes zero, and a grey palette.
  // FALSE (and no bitmap) on a bad size or bit count or when memory runs out.
  BOOL Create(int width, int height, int bitCount);
  void Destroy();
  BOOL IsReady() const { return !m_bits.empty(); }

  BYTE* GetBits() { return m_bits.data(); }
  const BYTE* GetBits() const { return m_bits.data(); }
  // The bitmap's device context: made on first use, then kept at the same address for the
  // bitmap's lifetime (Create and Destroy point it at the new bits, or at none, and reset its
  // drawing objects and attributes). Without bits, or with more pixels than a context's
  // surface may hold, it draws nothing.
  // At 32 bits it draws on the bits themselves: what it draws is in the bits at once and what
  // the pixel writers write is on the context at once. Fills, lines and text set a pixel's
  // fourth byte to 0, raster operations carry it along.
  // Contexts draw on 32-bit pixels only, so at 8, 16 and 24 bits the context draws on a 32-bit
  // copy of the bitmap, filled from the bits (palette indexes through the colour table, 5-5-5
  // words widened) when the context is made, by RefreshDC and by the rendering of a sample for
  // the part it renders. Drawing on that context stays in the copy.
  CDC* GetDC();
  // Fills the part of the context's 32-bit copy that lies in area (the whole bitmap when
  // null) from the bits. Nothing to do at 32 bits, or while no context has been made.
  void RefreshDC(const RECT* area = nullptr);

  BYTE* GetImageAdr8(int x, int y);
  BYTE* GetImageAdr16(int x, int y);
  BYTE* GetImageAdr24(int x, int y);
  BYTE* GetImageAdr32(int x, int y);
  void SetPixel8(int x, int y, COLORREF color);
  static void SetPixel8(BYTE* p, COLORREF color);
  void SetPixel16(int x, int y, COLORREF color);
  static void SetPixel16(BYTE* p, COLORREF color);
  static void SetPixel16(BYTE* p, BYTE r, BYTE g, BYTE b);
  // Dithered 5-5-5: at an even x + y each component is raised by 4 (at most 255).
  static void SetPixel16(BYTE* p, int x, int y, BYTE r, BYTE g, BYTE b);
  void SetPixel24(int x, int y, COLORREF color);
  void SetPixel32(int x, int y, COLORREF color);
  static void SetPixel24(BYTE* p, COLORREF color);
  static void SetPixel32(BYTE* p, COLORREF color);

private:
  // Points the context, when there is one, at the current bits (or at none).
  void AttachCanvas();

  std::vector<BYTE> m_bits;
  std::unique_ptr<orv::dib::Canvas> m_pCanvas;
};

class ORV_API CVmDIB : public CBaseDIB {
public:
  CVmDIB() = default;
  ~CVmDIB() override;

  // Allocates width x height pixels for display in wnd (which may be null); bitCount 8,
  // 16, 24 or 32, or 0 for the display's own depth (32). All bytes zero, grey palette.
  // Nonzero on success; on failure the bitmap is empty.
  virtual BOOL Create(CWnd* wnd, int width, int height, int bitCount, CVmManager* manager = nullptr);
  void Destroy();
  BOOL IsReady() const { return m_pVmImage != nullptr; }
  CVmImage* GetVmImage() const { return m_pVmImage.get(); }
  void SetColorPalette(CPalette* palette) { m_pPalette = palette; }
  CPalette* GetColorPalette() const { return m_pPalette; }

  // Address of pixel (x, y) of plane from the storage; flag as VM_ADR_READ.
  BYTE* GetImageAdr(int x, int y, int plane, int flag) const;
  static void SetPixel16(BYTE* p, int x, int y, BYTE r, BYTE g, BYTE b);

  // Copy (BitBlt) or stretch (StretchBlt, in the context's stretch mode) bitmap pixels from
  // src, width x height of dest (or srcSize), onto dest of dc with the raster operation rop.
  // 8-bit pixels are drawn through the colour table (SetPaletteKind); the framework palette
  // of SetColorPalette is kept for the caller and not consulted. wnd is not needed: the
  // context alone says where the pixels go. Source pixels outside the bitmap are not drawn.
  // FALSE, drawing nothing, when the bitmap is not allocated, dc is null, dest is empty or
  // the source rectangle covers no pixel of the bitmap.
  BOOL BitBlt(CWnd* wnd, CDC* dc, const CRect& dest, const CPoint& src, DWORD rop = SRCCOPY);
  BOOL StretchBlt(CWnd* wnd, CDC* dc, const CRect& dest, const CPoint& src, const CSize& srcSize,
                  DWORD rop = SRCCOPY);

private:
  std::unique_ptr<CVmImage> m_pVmImage;
  CPalette* m_pPalette = nullptr;
};
