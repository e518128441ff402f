#pragma once
// Registry files in regedit's ".reg" form: importing them into the store and exporting keys.
//
//   Windows Registry Editor Version 5.00        (or REGEDIT4)
//
//   [HKEY_LOCAL_MACHINE\Software\Orrelab\Skyweave\10.0\CnsPic\1]
//   "lst"=".\\constellation\\CnsPic\\CnsPic.lst"   string; \\ and \" are the escapes
//   @="default value"                            the key's unnamed value
//   "n"=dword:0000002a                           REG_DWORD
//   "b"=hex:01,ff,\                              REG_BINARY, lines continued by a final '\'
//     10
//   "q"=hex(b):2a,00,00,00,00,00,00,00           any type by number; strings (types 1, 2, 6,
//                                                7) in UTF-16LE bytes
//   "gone"=-                                     deletes the value
//   [-HKEY_CURRENT_USER\Software\Old]            deletes the key and everything below it
//
// Roots: HKEY_CURRENT_USER (HKCU) and HKEY_LOCAL_MACHINE (HKLM). Lines starting with ';'
// are comments.
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Export.h"
#include "platform/store/WinReg.h"

namespace orv {
// Splits "HKEY_CURRENT_USER\Software\x" (also "HKCU\...", "HKLM\...", any letter case)
// into its root and the path below it. False for an unknown root.
ORV_API bool ParseRegistryPath(std::wstring_view path, HKEY* root, std::wstring* subKey);
// "HKEY_CURRENT_USER" or "HKEY_LOCAL_MACHINE"; "" for other handles.
ORV_API std::wstring RegistryRootName(HKEY root);

struct RegImportReport {
  LSTATUS status = ERROR_SUCCESS;  // ERROR_INVALID_DATA for a text that is not a valid .reg file
  int line = 0;                    // the line of the first problem, 1-based; 0 when none
  std::wstring message;            // what went wrong, in English
  int keys = 0;                    // key sections applied
  int values = 0;                  // values set or deleted
};

// Imports a .reg file's bytes: UTF-16 with its byte-order mark (as regedit writes), or UTF-8
// with or without one (else CP932). The whole text is checked first (names the store cannot
// hold, root keys to delete): a file with an error changes nothing. Then it is applied in one
// transaction: a failure of the store part-way is reported and leaves nothing of the file.
ORV_API RegImportReport ImportRegBytes(std::string_view bytes);
ORV_API RegImportReport ImportRegText(std::wstring_view text);

// The key at subKey below root and everything below it, in regedit's form, lines ending
// with "\r\n". ERROR_FILE_NOT_FOUND when the key does not exist.
ORV_API LSTATUS ExportRegText(HKEY root, const std::wstring& subKey, std::wstring* text);
// One value as its .reg line without the line end: "name"=... or @=...; long hex data is
// continued on further lines as regedit does.
ORV_API std::wstring FormatRegValue(const std::wstring& name, DWORD type, const std::vector<BYTE>& data);
// The bytes of a .reg file as regedit writes it: UTF-16LE with its byte-order mark.
ORV_API std::string EncodeRegFile(std::wstring_view text);
}  // namespace orv
