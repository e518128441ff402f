#pragma once
// Helpers for owner-drawn controls: the plain push-button look, the dotted focus rectangle
// and a control's text as it shows.
#include "platform/base/CString.h"
#include "platform/base/Geometry.h"
#include "platform/gdi/GdiTypes.h"

namespace orv::ui {

// A control's text without its mnemonic marks: "&&" shows as "&", a single "&" as nothing.
ORV_API CString TextWithoutMnemonics(const CString& text);
// A rectangle of every other pixel in the colour, as the focus is drawn.
ORV_API void DrawFocusDots(CDC& dc, const CRect& rect, COLORREF color);
// A plain push button: face, raised edge (sunken when ODS_SELECTED), centred text, the
// focus rectangle for ODS_FOCUS, grey text for ODS_DISABLED; in the context's font.
ORV_API void DrawPlainButton(CDC& dc, const CRect& rect, const CString& text, UINT state);

}  // namespace orv::ui
