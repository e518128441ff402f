// Constellation-picture sets over a real registry store in a fresh folder.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "colour/CnsPic.h"
#include "sibling/orvreg/Registry.h"
#include "support/PictureSets.h"
#include "support/TempRegistry.h"

namespace {

using orv::test::RegisterPictureSet;
using orv::test::RegisterShippedPictureSets;

constexpr COLORREF kCommonDefault = 0x504038;  // red 56, green 64, blue 80
const wchar_t* const kStandard = orv::test::kStandardPictures;
const wchar_t* const kWestern = orv::test::kWesternPictures;
const wchar_t* const kChinese = orv::test::kChinesePictures;

class CnsPicTest : public testing::Test {
protected:
  // Every field, for one comparison of a whole set.
  static auto Fields(const tagCnsPicInfo& i) {
    return std::tuple(i.nIndex, i.strLabel, i.strFile, i.crCurrent, i.crDefault);
  }
  // A look-up that finds nothing must leave this as it was.
  static tagCnsPicInfo Sentinel() { return {-7, L"untouched", L"untouched", 0x123456, 0x654321}; }

  orv::test::TempRegistry registry;
  CCnsPic pic;  // reads the registry only when asked
  tagCnsPicInfo info;
};

TEST_F(CnsPicTest, NothingRegisteredMeansNoSetAndTheCommonDefault) {
  info = Sentinel();
  EXPECT_EQ(pic.EnumInfo(&info), 0);
  EXPECT_EQ(pic.GetInfo(kStandard, &info), 0);
  EXPECT_EQ(Fields(info), Fields(Sentinel()));
  EXPECT_EQ(std::pair(pic.GetIndex(kStandard), pic.GetColor(kStandard)), std::pair(0, kCommonDefault));
}

TEST_F(CnsPicTest, EnumInfoReportsEverySetInOrderThenStartsOver) {
  RegisterShippedPictureSets();
  const tagCnsPicInfo expected[] = {
      {1, L"標準", kStandard, kCommonDefault, 0x504038},
      {2, L"西洋", kWestern, kCommonDefault, RGB(0xFF, 0x80, 0x00)},
      {3, L"中国", kChinese, kCommonDefault, RGB(0x40, 0xC0, 0x40)},
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (const tagCnsPicInfo& set : expected) {
      ASSERT_EQ(pic.EnumInfo(&info), 1) << "pass " << pass << " set " << set.nIndex;
      EXPECT_EQ(Fields(info), Fields(set));
    }
    info = Sentinel();
    EXPECT_EQ(pic.EnumInfo(&info), 0);
  }
}

TEST_F(CnsPicTest, FailedBeginStaysStartedForOneMoreCallAndLookupsKeepTheEnumerationsPlace) {
  EXPECT_EQ(pic.EnumInfo(&info), 0);
  RegisterShippedPictureSets();
  EXPECT_EQ(pic.EnumInfo(&info), 0);  // still "enumerating" nothing: this call ends it
  ASSERT_EQ(pic.EnumInfo(&info), 1);  // and this one begins afresh
  EXPECT_EQ(info.nIndex, 1);
  EXPECT_EQ(pic.GetIndex(kChinese), 3);
  EXPECT_EQ(pic.GetColor(L"nothing.lst"), kCommonDefault);
  ASSERT_EQ(pic.EnumInfo(&info), 1);
  EXPECT_EQ(info.nIndex, 2);
}

TEST_F(CnsPicTest, FileMatchIgnoresLetterCase) {
  RegisterShippedPictureSets();
  const wchar_t* asked = L".\\CONSTELLATION\\western\\WESTERN.LST";
  ASSERT_EQ(pic.GetInfo(asked, &info), 1);  // reported with the file as the caller named it
  EXPECT_EQ(Fields(info), Fields({2, L"西洋", asked, kCommonDefault, RGB(0xFF, 0x80, 0x00)}));
  EXPECT_EQ(pic.GetIndex(asked), 2);
}

TEST_F(CnsPicTest, UnregisteredFileIsNotFound) {
  RegisterShippedPictureSets();
  pic.SetColor(3, RGB(1, 2, 3));  // the last set has a colour the unknown file must not get
  for (const wchar_t* file : {L"other.lst", L"", L".\\constellation\\CnsPic\\CnsPic.ls"}) {
    SCOPED_TRACE(CString(file).ToUtf8());
    info = Sentinel();
    EXPECT_EQ(pic.GetInfo(file, &info), 0);
    EXPECT_EQ(Fields(info), Fields(Sentinel()));
    EXPECT_EQ(std::pair(pic.GetIndex(file), pic.GetColor(file)), std::pair(0, kCommonDefault));
  }
}

TEST_F(CnsPicTest, UserColoursAreStoredPerSet) {
  RegisterShippedPictureSets();
  pic.SetColor(3, RGB(10, 20, 30));
  pic.SetColor(1, RGB(200, 0, 0));
  // None stored for the western set: the common default.
  EXPECT_EQ((std::vector{pic.GetColor(kChinese), pic.GetColor(kStandard), pic.GetColor(kWestern)}),
            (std::vector{RGB(10, 20, 30), RGB(200, 0, 0), kCommonDefault}));
  ASSERT_EQ(pic.GetInfo(kChinese, &info), 1);
  EXPECT_EQ(Fields(info), Fields({3, L"中国", kChinese, RGB(10, 20, 30), RGB(0x40, 0xC0, 0x40)}));
  DWORD stored = 0;
  EXPECT_TRUE(CRegistry::Read(L"CnsPic\\3", L"color", 0, &stored));
  EXPECT_EQ(stored, RGB(10, 20, 30));
}

TEST_F(CnsPicTest, AllDefaultForgetsEveryUserColourAndNothingElse) {
  RegisterShippedPictureSets();
  pic.SetColor(1, RGB(1, 1, 1));
  pic.SetColor(2, RGB(2, 2, 2));
  CRegistry::Write(L"Fonts", L"DeltaSize", 6, 1);
  pic.AllDefault();
  // Back to the common default, not the set's own.
  while (pic.EnumInfo(&info)) EXPECT_EQ(info.crCurrent, kCommonDefault) << "set " << info.nIndex;
  EXPECT_EQ(pic.GetColor(kWestern), kCommonDefault);
  int delta = 0;
  CRegistry::Read(L"Fonts", L"DeltaSize", 0, &delta, 1);
  EXPECT_EQ(delta, 6);
  EXPECT_EQ(pic.GetIndex(kWestern), 2);  // the machine-wide sets are untouched
}

TEST_F(CnsPicTest, DamagedOrMissingColourTextGivesTheCommonDefault) {
  RegisterPictureSet(L"1", L"a.lst", L"A", L"XYZ");
  RegisterPictureSet(L"2", L"b.lst", L"B", L"");
  RegisterPictureSet(L"3", L"c.lst", L"C", nullptr);
  RegisterPictureSet(L"4", L"e.lst", L"E", L"1234567");  // only six digits are read
  for (COLORREF color : {kCommonDefault, kCommonDefault, kCommonDefault, COLORREF{0x123456}}) {
    ASSERT_EQ(pic.EnumInfo(&info), 1);
    EXPECT_EQ(info.crDefault, color) << "set " << info.nIndex;
  }
  EXPECT_EQ(info.strLabel, L"E");
}

TEST_F(CnsPicTest, SetWithoutPictureFileIsListedButEndsTheSearch) {
  RegisterPictureSet(L"1", L"a.lst", L"A", L"010101");
  RegisterPictureSet(L"2", nullptr, L"B", L"020202");
  RegisterPictureSet(L"3", L"c.lst", L"C", L"030303");
  int listed = 0;
  while (pic.EnumInfo(&info)) ++listed;
  EXPECT_EQ(listed, 3);
  EXPECT_EQ(std::pair(pic.GetIndex(L"a.lst"), pic.GetIndex(L"c.lst")), std::pair(1, 0));
}

TEST_F(CnsPicTest, ColourOfASetNamedWithLeadingZeroReadsBack) {
  RegisterPictureSet(L"07", L"z.lst", L"Z", L"000000");
  EXPECT_EQ(pic.GetIndex(L"z.lst"), 7);
  pic.SetColor(7, RGB(7, 7, 7));
  EXPECT_EQ(pic.GetColor(L"z.lst"), RGB(7, 7, 7));
  ASSERT_EQ(pic.EnumInfo(&info), 1);
  EXPECT_EQ(info.crCurrent, RGB(7, 7, 7));
}

}  // namespace
