#pragma once
// Symbols of the framework, the sibling modules and the library are hidden unless marked.
#define ORV_API __attribute__((visibility("default")))
