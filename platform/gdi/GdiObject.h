#pragma once
// Drawing objects: CGdiObject and its pens, brushes, fonts and bitmaps.
//
// A wrapper owns its object through a shared reference: a device context that has the object
// selected keeps it alive, so deleting a wrapper while its object is still selected (a classic
// slip) leaves the context drawing with a valid object instead of a dangling one.
#include <memory>

#include "platform/base/Object.h"
#include "platform/gdi/GdiTypes.h"

namespace orv::gdi {
class Surface;
}  // namespace orv::gdi

class ORV_API CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)
public:
  CGdiObject();
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  // Releases the object; a device context that has it selected keeps using it until it
  // selects another one.
  BOOL DeleteObject();
  // The wrapper of a handle, or null when the handle has none (any more).
  static CGdiObject* FromHandle(HGDIOBJ handle);

  HGDIOBJ m_hObject = nullptr;

protected:
  // Takes ownership of fresh object data; FALSE when this wrapper already holds an object.
  BOOL Adopt(std::shared_ptr<orv::gdi::GdiObjectData> data);

private:
  std::shared_ptr<orv::gdi::GdiObjectData> m_data;
};

class ORV_API CPen : public CGdiObject {
  DECLARE_DYNAMIC(CPen)
public:
  CPen() = default;
  CPen(int penStyle, int width, COLORREF color);
  // Solid (PS_SOLID) or invisible (PS_NULL) pens; other styles draw solid. Width < 1 means 1.
  BOOL CreatePen(int penStyle, int width, COLORREF color);
  static CPen* FromHandle(HPEN handle);
};

class ORV_API CBrush : public CGdiObject {
  DECLARE_DYNAMIC(CBrush)
public:
  CBrush() = default;
  explicit CBrush(COLORREF color);
  BOOL CreateSolidBrush(COLORREF color);
  // A brush of a system colour (GetSysColor); FALSE for an unknown index.
  BOOL CreateSysColorBrush(int index);
  static CBrush* FromHandle(HBRUSH handle);
};

class ORV_API CFont : public CGdiObject {
  DECLARE_DYNAMIC(CFont)
public:
  CFont() = default;
  // height > 0: character-cell height in pixels; < 0: character (em) height; 0: the default
  // height (a 16-pixel cell). width 0 keeps the face's proportions. Escapement and
  // orientation are accepted and ignored: text is drawn horizontally.
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight,
                  BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName);
  BOOL CreateFontIndirect(const LOGFONT* logFont);
  // pointSize in tenths of a point at 96 pixels per inch.
  BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
  int GetLogFont(LOGFONT* logFont) const;
  static CFont* FromHandle(HFONT handle);
};

class ORV_API CBitmap : public CGdiObject {
  DECLARE_DYNAMIC(CBitmap)
public:
  CBitmap() = default;
  // A bitmap in the format of the one selected into dc (32-bit for a window's context, the
  // context's own format for a memory context). A zero width or height gives a 1 x 1
  // monochrome bitmap, as the platform does.
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  // bitsPerPixel 1 or 32 (one plane); bits, when given, are rows padded to 16 bits.
  BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
  // Decodes a bitmap of the resource chain (1, 4, 8, 24 or 32 bits; bottom-up or top-down).
  // A 1-bit bitmap with a black-then-white palette becomes monochrome, all others 32-bit.
  BOOL LoadBitmap(UINT resourceId);
  BOOL LoadBitmap(UINT resourceId, HINSTANCE module);
  // The same from a whole .bmp file image in memory (file header first).
  BOOL LoadBitmapFromBmp(const BYTE* data, std::size_t size);

  int GetBitmap(BITMAP* info) const;
  DWORD SetBitmapBits(DWORD count, const void* bits);
  DWORD GetBitmapBits(DWORD count, void* bits) const;
  // The pixels themselves (null without a bitmap).
  orv::gdi::Surface* GetSurface();
  const orv::gdi::Surface* GetSurface() const;
  static CBitmap* FromHandle(HBITMAP handle);
};

// A stock object's handle (WHITE_BRUSH ... DEFAULT_GUI_FONT); null for an unknown index.
ORV_API HGDIOBJ GetStockObject(int index);
// System colours with the classic scheme's fixed values; 0 for an unknown index.
ORV_API COLORREF GetSysColor(int index);
// A shared brush of a system colour; null for an unknown index. Never deleted.
ORV_API HBRUSH GetSysColorBrush(int index);
