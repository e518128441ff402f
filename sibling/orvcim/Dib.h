#pragma once
// Display bitmaps: 8 (palette index), 16 (5-5-5), 24 (blue, green, red) or 32 bits per
// pixel (blue, green, red, and a fourth byte that pixel writers leave alone).
//
// CMemoryDIB keeps its bits in ordinary memory in the Windows device-independent layout:
// rows bottom-up, each padded to a multiple of 4 bytes. The window layer attaches a device
// context that draws on those bits (SetDC); this module draws nothing itself.
// CVmDIB keeps its pixels as one plane of paged storage, rows top to bottom.
//
// The pixel writers and address functions are compiled into liborvdcm.
#include <memory>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/Object.h"
#include "platform/base/WinTypes.h"
#include "sibling/orvcim/VmImage.h"

class CDC;
class CPalette;
class CWnd;

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
  CMemoryDIB() = default;
  ~CMemoryDIB() override;

  // Allocates width x height pixels of bitCount bits, all bytes zero, and a grey palette.
  // FALSE (and no bitmap) on a bad size or bit count or when memory runs out.
  BOOL Create(int width, int height, int bitCount);
  void Destroy();
  BOOL IsReady() const { return !m_bits.empty(); }

  BYTE* GetBits() { return m_bits.data(); }
  const BYTE* GetBits() const { return m_bits.data(); }
  // The device context drawing on these bits, once the window layer has attached one.
  CDC* GetDC() const { return m_pDC; }
  void SetDC(CDC* dc) { m_pDC = dc; }

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
  std::vector<BYTE> m_bits;
  CDC* m_pDC = nullptr;
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

private:
  std::unique_ptr<CVmImage> m_pVmImage;
  CPalette* m_pPalette = nullptr;
};
