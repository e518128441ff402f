// Loading liborvdcm puts its resources into the framework's resource chain; unloading takes
// them out again. This program does not contain the library: it loads the real shared
// object, as an application module does.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include "platform/base/Resources.h"

namespace {

bool LibraryIsMapped() {
  void* handle = dlopen(ORVDCM_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

TEST(LibraryLoad, LoadingAddsTheResourcesAndUnloadingRemovesThem) {
  ASSERT_FALSE(LibraryIsMapped());
  ASSERT_EQ(orv::FindResourceString(24140), nullptr);

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(testing::Message() << "load " << round + 1);
    void* library = dlopen(ORVDCM_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const std::wstring* sample = orv::FindResourceString(24140);
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(*sample, L"AaBbあぁアァαβ");
    EXPECT_NE(orv::FindResourceString(24501), nullptr);
    EXPECT_NE(orv::FindResourceDialog(24011), nullptr);
    EXPECT_NE(orv::FindResourceBitmap(24010), nullptr);

    ASSERT_EQ(dlclose(library), 0) << dlerror();
    EXPECT_FALSE(LibraryIsMapped()) << "the library stays loaded after dlclose";
    EXPECT_EQ(orv::FindResourceString(24140), nullptr);
    EXPECT_EQ(orv::FindResourceDialog(24011), nullptr);
  }
}

}  // namespace
