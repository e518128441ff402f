// Loading liborvdcm puts its resources into the framework's resource chain; unloading takes
// them out again. This program does not contain the library: it loads the real shared
// object, as an application module does.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>

#include <gtest/gtest.h>

#include "platform/base/Resources.h"

namespace {

bool LibraryIsMapped() {
  void* handle = dlopen(ORVDCM_LIBRARY, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

bool LibraryResourcesPresent() {
  return orv::FindResourceString(24140) != nullptr && orv::FindResourceString(24501) != nullptr &&
         orv::FindResourceDialog(24011) != nullptr && orv::FindResourceBitmap(24010) != nullptr;
}

TEST(LibraryLoad, LoadingAddsTheResourcesAndUnloadingRemovesThem) {
  ASSERT_FALSE(LibraryIsMapped());
  ASSERT_FALSE(LibraryResourcesPresent());

  void* library = dlopen(ORVDCM_LIBRARY, RTLD_LAZY | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  ASSERT_TRUE(LibraryResourcesPresent());
  EXPECT_EQ(*orv::FindResourceString(24140), L"AaBbあぁアァαβ");

  ASSERT_EQ(dlclose(library), 0) << dlerror();
  if (LibraryIsMapped()) {
    // The loader keeps a library with unique symbols (some compilers emit them for inline
    // variables of the standard library) until the process ends; the test below covers
    // that unload.
    GTEST_SKIP() << "the loader keeps the library mapped after dlclose";
  }
  EXPECT_FALSE(LibraryResourcesPresent());
  library = dlopen(ORVDCM_LIBRARY, RTLD_LAZY | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_TRUE(LibraryResourcesPresent());
  dlclose(library);
}

// Runs after the library's own clean-up at process end: it was registered before the library
// was loaded, and exit handlers run in reverse order of registration.
void CheckAfterUnload() { _exit(LibraryResourcesPresent() ? 3 : 0); }

TEST(LibraryLoad, ProcessEndUnloadsTheLibraryBeforeLaterCleanUp) {
  // A fresh process: the library must not be loaded before the check is registered.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        orv::FindResourceString(1);  // the chain itself outlives the check
        std::atexit(CheckAfterUnload);
        if (dlopen(ORVDCM_LIBRARY, RTLD_LAZY | RTLD_LOCAL) == nullptr || !LibraryResourcesPresent()) _exit(2);
        std::exit(1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
