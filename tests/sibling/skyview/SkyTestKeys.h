#pragma once
// A small key set for the control's tests: two font settings' worth of keys, one colour-only.
#include <vector>

#include "sibling/skyview/SkyKeys.h"

namespace orv::test {

inline std::vector<SkyKey> SkyTestKeys() {
  return {
      {L"Star.Name.Size", {SkyValueKind::Size, 14}},
      {L"Star.Name.Color", {SkyValueKind::Color, 0xFFC0C0}},
      {L"Constellation.Line.Color", {SkyValueKind::Color, 0x807000}},
      {L"imagedb.star.name.size", {SkyValueKind::Size, 12}},
  };
}

}  // namespace orv::test
