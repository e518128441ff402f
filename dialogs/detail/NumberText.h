#pragma once
// The text rules of the numeric fields, on NUL-terminated texts edited in place (they only
// ever shorten a text).
#include "platform/base/CString.h"
#include "platform/base/Export.h"

// Keeps an optional leading sign (allowSign), digits and, with allowPoint, the first "."; a
// run of "0" at the very start shrinks to one. Returns non-zero when it changed the text.
ORV_API int NormalizeNumberText(wchar_t* text, int allowPoint, int allowSign);
// Drops the trailing zeros of a fraction, then a "." left at the end ("2.500" -> "2.5",
// "3.000" -> "3"); a text without "." stays.
ORV_API void TrimTrailingZeros(wchar_t* text);

namespace orv::dialogs {

// Longest text the fixed-notation form of a decimal may take, as the fields' buffer holds it.
inline constexpr int kMaxNumberText = 255;

// The text a decimal field shows: "%f" with its trailing zeros trimmed, or, when that would
// be longer than kMaxNumberText, the shortest exponent form that reads back to the value.
ORV_API CString FormatDecimal(double value);
// `format` applied to the value when the result fits kMaxNumberText, else the exponent form.
ORV_API CString FormatDecimal(double value, const wchar_t* format);
// True for a text in exponent form whose value is too large for the fixed form: the fields
// wrote it, and it reads back as the value itself (*value) without cleaning.
ORV_API bool IsOversizedDecimal(const CString& text, double* value);

}  // namespace orv::dialogs
