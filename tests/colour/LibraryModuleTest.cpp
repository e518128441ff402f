// What loading the library sets up: its resources in the framework's resource chain and the
// group tables of the colour dialog.
#include <gtest/gtest.h>

#include "colour/ColorGroups.h"
#include "platform/base/CString.h"
#include "platform/base/Resources.h"

namespace {

TEST(LibraryModule, GroupLabelsComeFromTheLibrarysOwnResources) {
  HINSTANCE library = orv::LibraryResourceHandle();
  ASSERT_NE(library, nullptr);
  const CUIntArray& ids = orv::ColorGroupLabelIds();
  ASSERT_EQ(ids.GetSize(), orv::kColorGroupCount);  // one label for each group key
  for (int i = 0; i < ids.GetSize(); ++i) {
    const std::wstring* label = orv::FindResourceString(ids[i], library);
    ASSERT_NE(label, nullptr) << ids[i];
    EXPECT_FALSE(label->empty());
  }
  EXPECT_EQ(*orv::FindResourceString(ids[0], library), L"恒星");
  EXPECT_EQ(*orv::FindResourceString(ids[3], library), L"星座");
}

TEST(LibraryModule, OrdinaryLookUpsFindTheLibrarysResources) {
  // Look-ups made for any module (no module named) walk the chain and reach the library.
  CString sample;
  ASSERT_TRUE(sample.LoadString(24140));
  EXPECT_EQ(sample, L"AaBbあぁアァαβ");
  ASSERT_NE(orv::FindResourceDialog(24011), nullptr);
  EXPECT_EQ(orv::FindResourceDialog(24011)->caption, L"色・フォント");
  for (UINT id = 24005; id <= 24010; ++id) EXPECT_NE(orv::FindResourceBitmap(id), nullptr) << id;
}

TEST(LibraryModule, AModuleRegisteredLaterDoesNotHideTheLibrary) {
  // A host that registers its own table after the library: the library's strings are found
  // first, and removing the host's module leaves the library in place.
  orv::ResourceTable host;
  host.strings[24140] = L"host";
  host.strings[1] = L"only in the host";
  HINSTANCE module = orv::RegisterResourceModule("host", &host);
  EXPECT_EQ(*orv::FindResourceString(24140), L"AaBbあぁアァαβ");
  EXPECT_EQ(*orv::FindResourceString(1), L"only in the host");
  EXPECT_EQ(*orv::FindResourceString(24140, module), L"host");
  orv::UnregisterResourceModule(module);
  EXPECT_EQ(orv::FindResourceString(1), nullptr);
  EXPECT_NE(orv::FindResourceString(24140, orv::LibraryResourceHandle()), nullptr);
}

}  // namespace
