#pragma once
// Numeric fields for a dialog's DoDataExchange: each moves a number between a member and an
// edit control (nIDC) in the exchange's direction, sets the control's text limit (maxChars)
// and puts the caret and selection back where the user had them. They never fail and never
// show a message:
//
//   DDX_Int, DDX_Uint, DDX_Double  keep the text a clean number: what cannot belong to it is
//                                  removed as the text is taken ("12a3" -> 123, "1.2.3" ->
//                                  1.23), and the control shows the cleaned text. When
//                                  putting a member, the text is replaced only when its number
//                                  differs from the member ("007" for 7 stays, as "07").
//   DDX_DoubleFmt                  cleans nothing; shows the member with the caller's format
//                                  (one double argument, for example "%f").
//
// The first exchange on a control whose limit is not maxChars sets the limit and resets the
// text to "0". allowSign 0 keeps the number non-negative (a negative member becomes 0).
// DDX_Uint shows and stores 0 for values above 2147483647.
//
// Decimals are shown as "%f" without trailing zeros (3.0 -> "3", 0.0000001 -> "0"). A value
// whose "%f" text would pass 255 characters (about 1e248 and beyond) is shown in exponent
// form instead ("1e+300"); such a text reads back as the same value and is not cleaned.
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

class CDataExchange;

ORV_API void DDX_Int(CDataExchange* pDX, int nIDC, int& value, int allowSign, unsigned int maxChars);
ORV_API void DDX_Uint(CDataExchange* pDX, int nIDC, unsigned int& value, unsigned int maxChars);
ORV_API void DDX_Double(CDataExchange* pDX, int nIDC, double& value, int allowSign, unsigned int maxChars);
ORV_API void DDX_DoubleFmt(CDataExchange* pDX, int nIDC, double& value, const wchar_t* format, unsigned int maxChars);
