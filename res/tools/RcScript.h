#pragma once
// Reader of the resource-script subset the library uses: STRINGTABLE, DIALOGEX (with the
// control statements LTEXT, RTEXT, CTEXT, EDITTEXT, PUSHBUTTON, DEFPUSHBUTTON, GROUPBOX,
// CHECKBOX, AUTOCHECKBOX, RADIOBUTTON, AUTORADIOBUTTON, SCROLLBAR and CONTROL) and BITMAP,
// with #include, #define and #pragma code_page(65001). The script is UTF-8.
//
// Like the platform's resource compiler, an included header contributes only its
// preprocessor lines; its C++ content is skipped. Numbers and style expressions may use
// the macros defined so far, with | & ^ + - ~ and parentheses, and NOT to remove a bit.
// Anything else is an error with its file and line: the build stops rather than ship a
// resource that differs from the script.
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/base/Resources.h"

namespace orv::rc {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Script {
  std::map<UINT, std::wstring> strings;
  std::map<UINT, DialogTemplate> dialogs;
  std::map<UINT, std::filesystem::path> bitmaps;  // resolved against the script's folder
};

// includeDirs are searched after the including file's own folder.
Script ParseScriptFile(const std::filesystem::path& file, const std::vector<std::filesystem::path>& includeDirs);
// The same for a script held in memory; `name` is used in messages and relative paths
// resolve against `baseDir`.
Script ParseScriptText(const std::string& utf8, const std::string& name, const std::filesystem::path& baseDir,
                       const std::vector<std::filesystem::path>& includeDirs);

}  // namespace orv::rc
