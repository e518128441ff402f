#pragma once
// Hue, luminance and saturation as the platform's colour chooser shows them: each on the
// scale 0..240 (hue 0..239), converted with the platform's integer rounding.
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

ORV_API void ColorRGBToHLS(COLORREF rgb, WORD* hue, WORD* luminance, WORD* saturation);
ORV_API COLORREF ColorHLSToRGB(WORD hue, WORD luminance, WORD saturation);
