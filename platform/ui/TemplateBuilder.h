#pragma once
// Dialog templates made in code (the common dialogs, demos and tests build theirs so), in
// dialog units as a resource script would give them.
#include "platform/base/Resources.h"
#include "platform/base/WinStyles.h"

namespace orv::ui {

// A control of a template; WS_CHILD and WS_VISIBLE are added to the style.
inline DialogItemTemplate DialogItem(UINT id, const wchar_t* className, const wchar_t* text, int x, int y, int cx,
                                     int cy, DWORD style, DWORD exStyle = 0) {
  DialogItemTemplate item;
  item.id = id;
  item.className = className;
  item.text = text;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.style = style | WS_CHILD | WS_VISIBLE;
  item.exStyle = exStyle;
  return item;
}

// A dialog of that client size in the library's face, "MS UI Gothic" at 9 points.
inline DialogTemplate DialogFrame(const wchar_t* caption, int cx, int cy, DWORD style) {
  DialogTemplate t;
  t.caption = caption;
  t.fontFace = L"MS UI Gothic";
  t.pointSize = 9;
  t.cx = cx;
  t.cy = cy;
  t.style = style;
  return t;
}

}  // namespace orv::ui
