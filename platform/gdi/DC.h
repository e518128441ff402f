#pragma once
// Device contexts: CDC draws on a surface (a memory context's selected bitmap, or a window's
// pixels lent by the window layer); CPaintDC and CClientDC open a window's surface through
// the WindowCanvasProvider that the window layer installs.
//
// Coordinates are device pixels (MM_TEXT) relative to the viewport origin. Every operation
// is clipped to the context's clip rectangle and to the surface, so rectangles partly or
// wholly outside draw only what lies inside.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

class CWnd;

namespace orv::gdi {

// What a window lends a device context: its pixels and where its client area lies on them.
struct WindowCanvas {
  Surface* surface = nullptr;  // owned by the window layer; must outlive the context
  POINT origin{0, 0};          // surface position of the client area's (0, 0)
  RECT clip{0, 0, 0, 0};       // part of the client area drawing may touch (client coordinates)
  RECT paint{0, 0, 0, 0};      // the rectangle to repaint (PAINTSTRUCT::rcPaint)
  BOOL erase = FALSE;          // whether the background still needs erasing
  void* token = nullptr;       // the window layer's own bookkeeping, handed back on release
};

// Implemented by the window layer. BeginPaint validates the window's update region;
// EndPaint shows the result. GetDC/ReleaseDC serve contexts opened outside painting.
class ORV_API WindowCanvasProvider {
public:
  virtual ~WindowCanvasProvider();
  virtual bool BeginPaint(CWnd* wnd, WindowCanvas* canvas) = 0;
  virtual void EndPaint(CWnd* wnd, const WindowCanvas& canvas) = 0;
  virtual bool GetDC(CWnd* wnd, WindowCanvas* canvas) = 0;
  virtual void ReleaseDC(CWnd* wnd, const WindowCanvas& canvas) = 0;
};

// Installs the provider (not owned) and returns the previous one. Without a provider, or
// when it declines, a window's context has no surface and draws nothing.
ORV_API WindowCanvasProvider* SetWindowCanvasProvider(WindowCanvasProvider* provider);

struct DcState;  // the context's selected objects and attributes (internal)

}  // namespace orv::gdi

struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
};

class ORV_API CDC : public CObject {
  DECLARE_DYNAMIC(CDC)
public:
  CDC();
  ~CDC() override;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // A memory context (dc may be null). It holds the platform's 1 x 1 monochrome default
  // bitmap until a bitmap is selected; 32-bit and monochrome bitmaps can both be selected.
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  static CDC* FromHandle(HDC dc) { return dc; }

  // Saves the selected objects and attributes; RestoreDC takes a level SaveDC returned, or
  // -1 for the last one, and drops the levels above it. 0 / FALSE on failure.
  int SaveDC();
  BOOL RestoreDC(int savedDC);

  // Draw on a surface that someone else owns (the window layer); origin is the surface
  // position of logical (0, 0) and clip, in logical coordinates, bounds all drawing.
  void AttachSurface(orv::gdi::Surface* surface, POINT origin, const RECT& clip);
  orv::gdi::Surface* GetSurface() const;

  // Selection returns the previously selected object (null when that object's wrapper is
  // gone). Selecting a bitmap fails (null) on a window's context and for a bitmap already
  // selected into another context.
  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectStockObject(int index);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;

  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const;
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const;
  int SetBkMode(int mode);
  int GetBkMode() const;
  int SetStretchBltMode(int mode);
  int GetStretchBltMode() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint GetViewportOrg() const;
  int GetDeviceCaps(int index) const;
  // The clip rectangle in logical coordinates.
  int GetClipBox(LPRECT rect) const;

  // Lines with the selected pen (Bresenham); the end point itself is not drawn.
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  CPoint GetCurrentPosition() const;

  // Fills with a colour; leaves the background colour set to that colour, as the platform does.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FillRect(LPCRECT rect, CBrush* brush);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  // Outline with the selected pen, inside filled with the selected brush.
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(LPCRECT rect);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;

  // Raster operations: any of the 256 ternary codes over pattern (the selected brush),
  // source and destination, bitwise on all 32 bits of a pixel.
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, DWORD rop);

  // Text in the selected font and text colour; OPAQUE mode fills the text cells with the
  // background colour first. Returns the height of the text (0 when nothing was drawn).
  int DrawText(const CString& text, LPRECT rect, UINT format);
  int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
  BOOL TextOut(int x, int y, const CString& text);
  BOOL TextOut(int x, int y, LPCTSTR text, int count);
  CSize GetTextExtent(const CString& text) const;
  CSize GetTextExtent(LPCTSTR text, int count) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const;

  // Device-independent bitmaps (see the free functions below).
  int SetDIBitsToDevice(int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc, UINT startScan,
                        UINT scanLines, const void* bits, const BITMAPINFO* info, UINT colorUse);
  int StretchDIBits(int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc, int srcWidth,
                    int srcHeight, const void* bits, const BITMAPINFO* info, UINT colorUse, DWORD rop);

  HDC m_hDC = nullptr;

protected:
  // Opens a window's canvas for the derived window contexts.
  void AttachCanvas(const orv::gdi::WindowCanvas& canvas);

private:
  std::unique_ptr<orv::gdi::DcState> m_state;
  std::vector<orv::gdi::DcState> m_saved;
};

// The context of a paint handler: begins painting on construction, ends it on destruction.
class ORV_API CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps{};
  CWnd* m_pWnd = nullptr;

private:
  orv::gdi::WindowCanvas m_canvas;
  orv::gdi::WindowCanvasProvider* m_provider = nullptr;  // the one that opened the canvas
};

// A context on a window's client area outside painting.
class ORV_API CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

  CWnd* m_pWnd = nullptr;

private:
  orv::gdi::WindowCanvas m_canvas;
  orv::gdi::WindowCanvasProvider* m_provider = nullptr;  // the one that opened the canvas
};

// Device-independent bitmaps drawn onto a context (DIB_RGB_COLORS, uncompressed 1, 4, 8,
// 16 (5-5-5), 24 and 32 bits). The bits are rows padded to 32 bits, bottom-up unless
// biHeight is negative; for a bottom-up image the source y counts from its bottom row, as
// on the platform. Palette colours are drawn as they are (a 1-bit image does not take the
// text and background colours). SetDIBitsToDevice copies scanLines rows held in `bits`,
// starting at scan line startScan. Return the number of scan lines (0 on bad input).
ORV_API int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc,
                              int ySrc, UINT startScan, UINT scanLines, const void* bits,
                              const BITMAPINFO* info, UINT colorUse);
ORV_API int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc,
                          int ySrc, int srcWidth, int srcHeight, const void* bits,
                          const BITMAPINFO* info, UINT colorUse, DWORD rop);
