#pragma once
// What a device context holds: its surface, clip and origin, the selected objects and the
// drawing attributes.
#include <memory>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/detail/GdiObjectData.h"
#include "platform/gdi/detail/Raster.h"

namespace orv::gdi {

enum class DcKind { Empty, Memory, Window };

struct DcState {
  DcKind kind = DcKind::Empty;
  Surface* surface = nullptr;
  POINT base{0, 0};      // device position of the window's client origin (0, 0 otherwise)
  POINT viewport{0, 0};  // SetViewportOrg
  RECT clip{0, 0, 0, 0};  // device coordinates, inside the surface

  std::shared_ptr<PenData> pen;
  std::shared_ptr<BrushData> brush;
  std::shared_ptr<FontData> font;
  std::shared_ptr<BitmapData> bitmap;  // memory contexts only

  COLORREF textColor = RGB(0, 0, 0);
  COLORREF bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  int stretchMode = BLACKONWHITE;
  POINT position{0, 0};  // MoveTo, logical

  int OffsetX() const { return base.x + viewport.x; }
  int OffsetY() const { return base.y + viewport.y; }
  RasterTarget Target() const { return RasterTarget{surface, clip}; }
  // A logical rectangle in device coordinates.
  RECT ToDevice(const RECT& r) const {
    return RECT{r.left + OffsetX(), r.top + OffsetY(), r.right + OffsetX(), r.bottom + OffsetY()};
  }
};

}  // namespace orv::gdi
