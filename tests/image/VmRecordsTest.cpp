// Block records of paged storage.
#include "image/VmRecords.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "sibling/orvcim/VmImage.h"
#include "support/FrameworkExceptions.h"

namespace {

TEST(VmRecords, NewHandleHasFreshBlocksAndAnImpossibleOneThrows) {
  CVmHandle handle(3);
  using Blocks = std::vector<std::pair<int, int>>;  // type and slot of each block
  auto blocks = [&handle] {
    Blocks all;
    for (int i = 0; i < handle.GetBlockCount(); ++i) all.emplace_back(handle.GetType(i), handle.GetSlotIndex(i));
    return all;
  };
  EXPECT_EQ(blocks(), (Blocks{{0, -1}, {0, -1}, {0, -1}}));
  handle.Set(1, 2, 7);
  EXPECT_EQ(blocks(), (Blocks{{0, -1}, {2, 7}, {0, -1}}));
  EXPECT_EQ(CVmHandle(0).GetBlockCount(), 0);
  EXPECT_TRUE(orv::test::Throws<CMemoryException>([] { CVmHandle impossible(-1); }));
}

}  // namespace
