// Construction, copying and levels of images, and their paged storage.
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "FitsSamples.h"
#include "sibling/orvcim/Image.h"
#include "sibling/orvcim/VmImage.h"
#include "support/FrameworkExceptions.h"
#include "support/TempDir.h"

namespace {

using orv::test::TempDir;
using orv::test::Throws;

TEST(ImageModule, ConstructionZeroesPixelsAndWindowsAndSetLevelKeepsTheRange) {
  CLumImage image(-32, 3, 2, 3, 1.0, 0.0, TRUE);
  EXPECT_EQ(std::pair(image.GetBitsPixel(), image.GetDimension()), std::pair(-32, 3));
  for (int p = 0; p < 3; ++p) {
    EXPECT_EQ(image.GetLevelMin(p), 0.0);
    EXPECT_EQ(*image.GetImageAdr(2, 1, p), 0.0f);
  }
  CLumImage fromOtherType(16, 2, 2, 1);
  EXPECT_EQ(fromOtherType.GetBitsPixel(), -32);  // the pixels are floats
  EXPECT_TRUE(Throws<CException>([] { CImage bad(16, -1, 2, 1); }));

  // SetLevel keeps the range and ignores planes that are not there.
  image.SetLevel(1, -5.0, 20.0);
  image.SetLevel(3, 1.0, 2.0);
  image.SetLevel(-1, 1.0, 2.0);
  EXPECT_EQ(std::tuple(image.GetLevelMin(1), image.GetLevelMax(1), image.GetLevelRange(1), image.GetLevelRange(0)),
            std::tuple(-5.0, 20.0, 25.0, 0.0));
}

TEST(ImageModule, CopyImageCopiesTheSharedPartAndTheWindows) {
  CLumImage src(-32, 4, 3, 1);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) *src.GetImageAdr(x, y, 0, 0) = float(10 * y + x);
  src.SetLevel(0, 2.0, 8.0);
  CLumImage dst(-32, 2, 2, 1);
  ASSERT_TRUE(dst.CopyImage(&src));
  EXPECT_EQ(*dst.GetImageAdr(1, 1, 0), 11.0f);
  EXPECT_EQ(std::pair(dst.GetLevelMax(0), dst.GetLevelRange(0)), std::pair(8.0, 6.0));
  CImage bytes(8, 2, 2, 1);
  EXPECT_FALSE(bytes.CopyImage(&src));
  EXPECT_FALSE(dst.CopyImage(nullptr));
}

TEST(ImageModule, AssignmentIsDeep) {
  CImage a(16, 2, 1, 1, 2.0, 3.0, FALSE);
  short v = 7;
  std::memcpy(a.GetImageAdr(1, 0, 0, 0), &v, 2);
  CImage b;
  b = a;
  v = 9;
  std::memcpy(a.GetImageAdr(1, 0, 0, 0), &v, 2);
  EXPECT_EQ(b.GetPixel(1, 0, 0), 2.0 * 7 + 3.0);
  EXPECT_FALSE(b.IsSigned());
  b = b;
  EXPECT_EQ(b.GetPixel(1, 0, 0), 2.0 * 7 + 3.0);
}

TEST(PagedStorage, LargeStorageLivesInAFileAndKeepsItsContents) {
  TempDir folder;
  // A memory limit of one byte puts every storage in a file; blocks of one page.
  CVmManager manager(folder.Path(), 1, 4096);
  CVmImage storage(1000, 50, 2, 4, &manager);
  EXPECT_FALSE(storage.IsOnMemory());
  EXPECT_EQ(storage.GetBlockCount(), int((1000 * 50 * 2 * 4 + 4095) / 4096));
  for (int p = 0; p < 2; ++p)
    for (int y = 0; y < 50; ++y) {
      float* row = reinterpret_cast<float*>(storage.GetImageAdr(0, y, p, 0));
      for (int x = 0; x < 1000; ++x) row[x] = float(p * 100000 + y * 1000 + x);
    }
  int block = -1;
  BYTE* locked = storage.GetImageAdr(500, 10, 1, 1, 0, &block);
  EXPECT_EQ(storage.GetLockCount(block), 1);
  EXPECT_TRUE(storage.Unlock(locked));
  EXPECT_EQ(storage.GetLockCount(block), 0);
  EXPECT_FALSE(storage.Unlock(&block));
  storage.UnlockAll();  // drops every page from memory; the file keeps them
  for (int p = 0; p < 2; ++p)
    for (int y = 0; y < 50; y += 7) {
      const float* row = reinterpret_cast<const float*>(storage.GetImageAdr(0, y, p, 1, 2));
      for (int x = 0; x < 1000; x += 37) ASSERT_EQ(row[x], float(p * 100000 + y * 1000 + x));
    }
}

TEST(PagedStorage, SmallStorageStaysInMemoryAndImpossibleSizesThrow) {
  CVmImage storage(10, 10, 1, 8);
  EXPECT_TRUE(storage.IsOnMemory());
  double* p = reinterpret_cast<double*>(storage.GetImageAdr(9, 9, 0, 0));
  *p = 42.0;
  storage.UnlockAll();
  EXPECT_EQ(*p, 42.0);
  EXPECT_EQ(storage.GetImageAdr(0, 1, 0) - storage.GetImageAdr(0, 0, 0), 80);

  EXPECT_TRUE(Throws<CMemoryException>([] { CVmImage s(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 8); }));
  CVmManager nowhere("/nonexistent/folder", 1);
  EXPECT_TRUE(Throws<CMemoryException>([&] { CVmImage s(10, 10, 1, 4, &nowhere); }));
  CVmImage empty(0, 5, 1, 4);
  EXPECT_EQ(empty.GetImageAdr(0, 0, 0), nullptr);
}

}  // namespace
