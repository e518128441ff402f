#pragma once
// The library's own resources (string table, dialog template, mark bitmaps), built from
// res/orvdcm.rc by the generator at build time.
#include "platform/base/Resources.h"

namespace orv::res {
ResourceTable BuildResourceTable();
}  // namespace orv::res
