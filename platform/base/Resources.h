#pragma once
// The resource chain: modules (the library, a host) register tables of strings, bitmaps and
// dialog templates; look-ups walk the chain in registration order, as the framework's
// extension-module chain does.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/WinTypes.h"

namespace orv {

// One control of a dialog template, in dialog units.
struct DialogItemTemplate {
  UINT id = 0;
  std::wstring className;  // "STATIC", "EDIT", "BUTTON", "SysTreeView32", "msctls_updown32", "SCROLLBAR"
  std::wstring text;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
};

// A dialog template (DIALOGEX), in dialog units.
struct DialogTemplate {
  std::wstring caption;
  std::wstring fontFace;
  int pointSize = 9;
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  std::vector<DialogItemTemplate> items;
};

struct ResourceTable {
  std::map<UINT, std::wstring> strings;
  std::map<UINT, std::vector<std::uint8_t>> bitmaps;  // whole .bmp files, file header included
  std::map<UINT, DialogTemplate> dialogs;
};

// Adds a module at the end of the chain; the table must outlive its registration.
ORV_API HINSTANCE RegisterResourceModule(const char* name, const ResourceTable* table);
ORV_API void UnregisterResourceModule(HINSTANCE module);

// Look-ups through the whole chain (module null) or in one module; null when absent.
ORV_API const std::wstring* FindResourceString(UINT id, HINSTANCE module = nullptr);
ORV_API const std::vector<std::uint8_t>* FindResourceBitmap(UINT id, HINSTANCE module = nullptr);
ORV_API const DialogTemplate* FindResourceDialog(UINT id, HINSTANCE module = nullptr);

}  // namespace orv
