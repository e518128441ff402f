// Block records of paged storage.
#include "image/VmRecords.h"

#include <gtest/gtest.h>

#include "platform/base/Exception.h"
#include "sibling/orvcim/VmImage.h"

namespace {

TEST(VmRecords, NewHandleHasFreshBlocks) {
  CVmHandle handle(3);
  EXPECT_EQ(handle.GetBlockCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(handle.GetType(i), 0);
    EXPECT_EQ(handle.GetSlotIndex(i), -1);
  }
  handle.Set(1, 2, 7);
  EXPECT_EQ(handle.GetType(1), 2);
  EXPECT_EQ(handle.GetSlotIndex(1), 7);
  EXPECT_EQ(handle.GetType(0), 0);
  EXPECT_EQ(handle.GetSlotIndex(0), -1);
  EXPECT_EQ(handle.GetType(2), 0);
  EXPECT_EQ(handle.GetSlotIndex(2), -1);
  EXPECT_EQ(CVmHandle(0).GetBlockCount(), 0);
}

TEST(VmRecords, ImpossibleHandleThrowsMemoryException) {
  bool thrown = false;
  try {
    CVmHandle handle(-1);
  } catch (CException* e) {
    thrown = e->IsKindOf(RUNTIME_CLASS(CMemoryException));
    e->Delete();
  }
  EXPECT_TRUE(thrown);
}

TEST(VmRecords, ManagerBlockSize) {
  CVmManager manager("/tmp", 1 << 20, 65536);
  EXPECT_EQ(manager.GetBlockSize(), 65536);
  CVmManager fallback("/tmp", 1 << 20, 0);
  EXPECT_EQ(fallback.GetBlockSize(), CVmManager::kDefaultBlockSize);
}

}  // namespace
