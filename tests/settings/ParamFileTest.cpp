// Parameter files: one value per call in an INI file, and the file's identity section.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "settings/ParamFile.h"
#include "support/FileBytes.h"
#include "support/TempDir.h"

namespace {

using orv::test::ReadFileBytes;
using orv::test::WriteFileBytes;

class ParamFileTest : public testing::Test {
protected:
  ParamFileTest() { params.SetParameterFile(dir.WFile("module.ini")); }
  std::string Text() const { return ReadFileBytes(dir.File("module.ini")); }

  orv::test::TempDir dir;
  CParamFile params;
};

TEST_F(ParamFileTest, AMissingFileGivesEveryDefault) {
  CString s = L"unchanged";
  int i = -1, b = -1;
  double d = -1;
  params.UpdateParam(L"S", L"str", CString(L"dflt"), s, 0);
  params.UpdateParam(L"S", L"int", 42, i, 0);
  params.UpdateParam(L"S", L"real", 2.5, d, 0);
  params.UpdateParamBOOL(L"S", L"flag", 1, b, 0);
  EXPECT_EQ(std::tuple(s, i, d, b), std::tuple(CString(L"dflt"), 42, 2.5, 1));
  double tiny = -1;
  params.UpdateParam(L"S", L"real", 0.0000004, tiny, 0);  // the default passes through "%f"
  EXPECT_EQ(tiny, 0.0);
  CString id = L"x", version = L"x", owner = L"x";
  params.GetParamFileProperty(id, version, owner);
  EXPECT_EQ(id + version + owner, L"");
  EXPECT_TRUE(Text().empty()) << "loading creates no file";
}

TEST_F(ParamFileTest, StoredValuesUseTheirFixedFormats) {
  int negative = -5, yes = 7, no = 0;
  double real = 1.23456789;
  CString text = L"a value";
  params.UpdateParam(L"Values", L"int", 0, negative, 1);
  params.UpdateParam(L"Values", L"real", 0.0, real, 1);
  params.UpdateParam(L"Values", L"text", CString(), text, 1);
  params.UpdateParamBOOL(L"Values", L"on", 0, yes, 1);
  params.UpdateParamBOOL(L"Values", L"off", 1, no, 1);
  std::string written = Text();
  for (const char* line : {"int=-5", "real=1.234568", "text=a value", "on=yes", "off=no"})
    EXPECT_NE(written.find(line), std::string::npos) << line << " in\n" << written;

  int i = 0;
  double d = 0;
  CString s;
  params.UpdateParam(L"values", L"INT", 0, i, 0);  // names ignore letter case
  params.UpdateParam(L"Values", L"real", 0.0, d, 0);
  params.UpdateParam(L"Values", L"text", CString(), s, 0);
  EXPECT_EQ(std::tuple(i, d, s), std::tuple(-5, 1.234568, CString(L"a value")));
}

TEST_F(ParamFileTest, OnOffValuesLoadOnlyYesAndTrueAsOn) {
  const struct { const char* stored; int expected; } rows[] = {
      {"yes", 1}, {"YES", 1}, {"True", 1}, {"true", 1}, {"1", 0}, {"on", 0}, {"no", 0}, {"yess", 0}, {"", 0},
  };
  for (const auto& row : rows) {
    ASSERT_TRUE(WriteFileBytes(dir.File("module.ini"), std::string("[S]\nflag=") + row.stored + "\n"));
    int value = -1;
    params.UpdateParamBOOL(L"S", L"flag", 1, value, 0);
    EXPECT_EQ(value, row.expected) << row.stored;
  }
}

TEST_F(ParamFileTest, LongValuesComeBackCutTo1023Characters) {
  CString longValue(L'v', 3000);
  params.UpdateParam(L"S", L"long", CString(), longValue, 1);
  CString back;
  params.UpdateParam(L"S", L"long", CString(), back, 0);
  EXPECT_EQ(back, CString(L'v', 1023));
}

TEST_F(ParamFileTest, IdentityPropertiesLiveInTheGeneralSection) {
  params.SetParamFileProperty(CString(L"ID1"), CString(L"2.0"), CString(L"Someone"));
  params.SetParamFileProperty(CString(L"ID2"), CString(L"3.0"));  // the owner becomes Skyweave
  CString id, version, owner;
  params.GetParamFileProperty(id, version, owner);
  EXPECT_EQ(std::tuple(id, version, owner), std::tuple(CString(L"ID2"), CString(L"3.0"), CString(L"Skyweave")));
  std::string text = Text();
  EXPECT_EQ(text.find("[General]"), 0u) << text;
  EXPECT_NE(text.find("FileOwner=Skyweave"), std::string::npos);
}

TEST_F(ParamFileTest, RemovingASectionTakesAllItsKeysAndNothingElse) {
  const std::string original = "; settings\n[Keep]\na=1\n\n[Drop]\nb=2\nc=3\n";
  ASSERT_TRUE(WriteFileBytes(dir.File("module.ini"), original));
  params.RemoveParamSection(L"Absent");
  EXPECT_EQ(Text(), original);
  params.RemoveParamSection(L"drop");
  std::string text = Text();
  EXPECT_EQ(text.find("[Drop]"), std::string::npos);
  EXPECT_NE(text.find("; settings\n[Keep]\na=1\n"), std::string::npos) << text;
}

}  // namespace
