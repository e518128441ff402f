#pragma once
// The private-profile (INI) functions of the original platform, with its documented
// semantics on top of the INI engine (IniDocument.h, IniFile.h):
// - Section and key names ignore letter case and surrounding blanks; values are read with
//   blanks trimmed and one pair of surrounding quotes removed.
// - Writing creates the file, the section and the key as needed; a null key deletes the
//   whole section, a null value deletes the key. Deleting from a missing file succeeds and
//   creates nothing.
// - A relative file name is relative to the current folder (the original looked in the
//   Windows folder).
// - A name or value that would change the file's structure (a line break anywhere, a key
//   holding "=" or starting with "[" or ";") is refused: the write returns FALSE and the
//   file stays as it was.
#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

// Copies the value of key into buffer (size characters, terminator included) and returns
// the number of characters copied without the terminator. A missing file, section or key
// gives def (trailing blanks removed; null means ""). A value that does not fit is cut to
// size - 1 characters and size - 1 is returned. With a null section the buffer receives the
// names of all sections, with a null key the keys of the section: each string ends with a
// NUL and the list with another; when the list does not fit, the last string is cut, ends
// with two NULs, and size - 2 is returned. A null buffer or size 0 copies nothing and gives 0.
ORV_API DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* def,
                                       wchar_t* buffer, DWORD size, const wchar_t* file);

// The leading decimal number of the value of key: blanks and one sign allowed, digits
// accumulated modulo 2^32 (so "4294967297" gives 1), reading stops at the first other
// character ("0x10" gives 0, "12abc" 12, "abc" 0). Only the first 29 characters of the value
// count. A missing or empty value gives def.
ORV_API UINT GetPrivateProfileIntW(const wchar_t* section, const wchar_t* key, int def, const wchar_t* file);

// Stores value under section and key (see above for null key and value). Non-zero on
// success; FALSE when the file cannot be written (the old file is then kept as it was).
ORV_API BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                        const wchar_t* file);

// Copies the entries of a section as "key=value" strings, each ending with a NUL and the
// list with another, with the list rules of GetPrivateProfileStringW. Returns the number of
// characters copied without the final NUL; 0 for a missing file or section.
ORV_API DWORD GetPrivateProfileSectionW(const wchar_t* section, wchar_t* buffer, DWORD size, const wchar_t* file);

// Copies the names of all sections as a list (see GetPrivateProfileSectionW).
ORV_API DWORD GetPrivateProfileSectionNamesW(wchar_t* buffer, DWORD size, const wchar_t* file);
