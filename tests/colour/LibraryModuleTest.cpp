// What loading the library sets up: its resources in the framework's resource chain and the
// group tables of the colour dialog.
#include <gtest/gtest.h>

#include "colour/ColorGroups.h"
#include "platform/base/CString.h"
#include "platform/base/Resources.h"

namespace {

TEST(LibraryModule, GroupTablesAreParallelAndInTreeOrder) {
  const CUIntArray& ids = orv::ColorGroupLabelIds();
  const CStringArray& keys = orv::ColorGroupKeys();
  const UINT expectedIds[] = {24401, 24403, 24404, 24402, 24405, 24406, 24407, 24408, 24409, 24410,
                              24411, 24412, 24413, 24414, 24415, 24416, 24417, 24418, 24419};
  const wchar_t* expectedKeys[] = {L"STAR", L"GCVS", L"WDS",  L"CNS", L"NBL", L"PGC",  L"MW",
                                   L"SUN",  L"PLN",  L"DPLN", L"SAT", L"COMET", L"MP", L"ASAT",
                                   L"SC",   L"MT",   L"GRID", L"VIEW", L"IMAGE"};
  ASSERT_EQ(ids.GetSize(), orv::kColorGroupCount);
  ASSERT_EQ(keys.GetSize(), orv::kColorGroupCount);
  for (int i = 0; i < orv::kColorGroupCount; ++i) {
    EXPECT_EQ(ids[i], expectedIds[i]) << i;
    EXPECT_EQ(keys[i], expectedKeys[i]) << i;
  }
}

TEST(LibraryModule, GroupLabelsComeFromTheLibrarysOwnResources) {
  HINSTANCE library = orv::LibraryResourceHandle();
  ASSERT_NE(library, nullptr);
  const CUIntArray& ids = orv::ColorGroupLabelIds();
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
