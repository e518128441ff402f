#pragma once
// The objects behind drawing-object handles. Shared between the wrapper that created an
// object and every device context that has it selected.
#include <memory>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

class CGdiObject;

namespace orv::gdi {

class FontEngine;

enum class GdiKind { Pen, Brush, Font, Bitmap };

class GdiObjectData : public std::enable_shared_from_this<GdiObjectData> {
public:
  explicit GdiObjectData(GdiKind k) : kind(k) {}
  virtual ~GdiObjectData() = default;
  GdiObjectData(const GdiObjectData&) = delete;
  GdiObjectData& operator=(const GdiObjectData&) = delete;

  const GdiKind kind;
  CGdiObject* owner = nullptr;  // the live wrapper, cleared when it lets go
  bool stock = false;            // stock objects and system brushes are never released
};

struct PenData final : GdiObjectData {
  PenData() : GdiObjectData(GdiKind::Pen) {}
  int style = PS_SOLID;
  int width = 1;
  COLORREF color = 0;
};

struct BrushData final : GdiObjectData {
  BrushData() : GdiObjectData(GdiKind::Brush) {}
  bool hollow = false;  // NULL_BRUSH: paints nothing
  COLORREF color = 0;
};

struct FontData final : GdiObjectData {
  FontData();
  ~FontData() override;
  LOGFONT logFont{};
  // Resolved on first use (needs the GUI application for the font database).
  std::shared_ptr<FontEngine> engine;
};

struct BitmapData final : GdiObjectData {
  BitmapData() : GdiObjectData(GdiKind::Bitmap) {}
  Surface surface;
  const void* selectedInto = nullptr;  // the one device context that has it selected
};

// Copies a face name into a font record, cut to what the record holds.
inline void SetFaceName(LOGFONT& lf, LPCWSTR face) {
  int n = 0;
  for (; face != nullptr && face[n] != L'\0' && n + 1 < LF_FACESIZE; ++n) lf.lfFaceName[n] = face[n];
  lf.lfFaceName[n] = L'\0';
}

template <typename T>
T* DataAs(HGDIOBJ handle, GdiKind kind) {
  return handle != nullptr && handle->kind == kind ? static_cast<T*>(handle) : nullptr;
}

// The resolved engine of a font (created on first use); never null.
std::shared_ptr<FontEngine> EngineOf(FontData& font);

}  // namespace orv::gdi
