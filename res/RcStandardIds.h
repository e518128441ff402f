#pragma once
// The framework's standard command ids as the resource script names them. Only the resource
// script includes this file: C++ code takes IDOK and IDCANCEL from platform/base/MessageBox.h
// and ID_HELP from the window layer.
#define IDOK 1
#define IDCANCEL 2
#define ID_HELP 0xE146
