// The sky-view control as a peer: what it answers, what it changes, what it records, and the
// automation path CCorLum reaches it through.
#include <gtest/gtest.h>

#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "SkyTestKeys.h"

namespace {

class SkyViewControlTest : public testing::Test {
protected:
  CSkyViewControl view{orv::test::SkyTestKeys()};
};

TEST_F(SkyViewControlTest, QueriesAnswerTheStartingValuesInCommandForm) {
  EXPECT_EQ(view.GetKeyCount(), 4);
  EXPECT_EQ(view.Command(L"? Star.Name.Size"), L"14");
  EXPECT_EQ(view.Command(L"? Star.Name.Color"), L"RGB(192, 192, 255)");
  EXPECT_EQ(view.Command(L"? Constellation.Line.Color"), L"RGB(0, 112, 128)");
  EXPECT_EQ(view.Command(L"? imagedb.star.name.size"), L"12");
}

TEST_F(SkyViewControlTest, SettingChangesTheCurrentValueOnly) {
  EXPECT_EQ(view.Command(L"Star.Name.Size = 20"), L"");
  EXPECT_EQ(view.Command(L"Star.Name.Color = RGB(1, 2, 3)"), L"");
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 20);
  EXPECT_EQ(view.GetDefaultSize(L"Star.Name.Size"), 14);
  EXPECT_EQ(view.GetColor(L"Star.Name.Color"), RGB(1, 2, 3));
  EXPECT_EQ(view.GetDefaultColor(L"Star.Name.Color"), 0xFFC0C0u);
  EXPECT_EQ(view.Command(L"? Star.Name.Color"), L"RGB(1, 2, 3)");
}

TEST_F(SkyViewControlTest, DefaultFormsSetCurrentAndDefault) {
  const wchar_t* const texts[] = {
      L"Star.Name.Size = 9; Default Star.Name.Size = 9",
      L"Star.Name.Size = 9; default Star.Name.Size = 9",
      L"Star.Name.Size = 9;default Star.Name.Size = 9",
  };
  for (const wchar_t* text : texts) {
    CSkyViewControl fresh(orv::test::SkyTestKeys());
    fresh.Command(text);
    EXPECT_EQ(fresh.GetSize(L"Star.Name.Size"), 9) << CString(text);
    EXPECT_EQ(fresh.GetDefaultSize(L"Star.Name.Size"), 9) << CString(text);
  }
  view.Command(L"Star.Name.Color = RGB(10, 20, 30); Default Star.Name.Color = RGB(40, 50, 60)");
  EXPECT_EQ(view.GetColor(L"Star.Name.Color"), RGB(10, 20, 30));
  EXPECT_EQ(view.GetDefaultColor(L"Star.Name.Color"), RGB(40, 50, 60));
}

TEST_F(SkyViewControlTest, TextsNotUnderstoodAnswerNothingAndChangeNothing) {
  const wchar_t* const texts[] = {
      L"Unknown.Key = 5",
      L"? Unknown.Key",
      L"star.name.size = 5",                           // keys are case-sensitive
      L"Star.Name.Size = RGB(1, 2, 3)",                // a colour for a size key
      L"Star.Name.Color = 12",                         // a size for a colour key
      L"Star.Name.Size = 0",                           // below the smallest size drawn
      L"Star.Name.Size = 501",                         // above the largest
      L"Star.Name.Size = 9; Default Star.Name.Size = 0",  // half acceptable: all refused
      L"Star.Name.Color = RGB(300, 0, 0)",
      L"; default ",
      L"garbage \x01\x02\xFFFD",
  };
  for (const wchar_t* text : texts) {
    EXPECT_EQ(view.Command(text), L"") << CString(text);
  }
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 14);
  EXPECT_EQ(view.GetDefaultSize(L"Star.Name.Size"), 14);
  EXPECT_EQ(view.GetColor(L"Star.Name.Color"), 0xFFC0C0u);
  ASSERT_EQ(view.GetTranscript().size(), std::size(texts));
  for (const auto& exchange : view.GetTranscript()) EXPECT_FALSE(exchange.understood) << exchange.text;
}

TEST_F(SkyViewControlTest, AccessorsRefuseTheOtherKind) {
  EXPECT_FALSE(view.GetColor(L"Star.Name.Size").has_value());
  EXPECT_FALSE(view.GetSize(L"Star.Name.Color").has_value());
  EXPECT_FALSE(view.GetSize(L"Nothing").has_value());
  EXPECT_TRUE(view.HasKey(L"Star.Name.Size"));
  EXPECT_FALSE(view.HasKey(L"Star.Name"));
}

TEST_F(SkyViewControlTest, PictureFileIsAnsweredAsTheHostSetIt) {
  EXPECT_EQ(view.Command(L"? Constellation.Picture.Image.File"), L"");
  view.SetPictureFile(L".\\constellation\\CnsPic\\CnsPic.lst");
  EXPECT_EQ(view.Command(L"? Constellation.Picture.Image.File"), L".\\constellation\\CnsPic\\CnsPic.lst");
  // An empty answer is still an answer: the query is understood.
  view.SetPictureFile(L"");
  view.Command(L"? Constellation.Picture.Image.File");
  EXPECT_TRUE(view.GetTranscript().back().understood);
}

TEST_F(SkyViewControlTest, ShowSkyCountsRedraws) {
  EXPECT_EQ(view.GetRedrawCount(), 0);
  view.Command(L"Show Sky");
  view.Command(L"Show Sky");
  view.Command(L"Show Sky please");
  EXPECT_EQ(view.GetRedrawCount(), 2);
}

TEST_F(SkyViewControlTest, TranscriptKeepsEveryTextWithItsReply) {
  view.Command(L"Star.Name.Size = 16");
  view.Command(L"? Star.Name.Size");
  view.Command(L"nonsense");
  const auto& t = view.GetTranscript();
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].text, L"Star.Name.Size = 16");
  EXPECT_TRUE(t[0].understood);
  EXPECT_EQ(t[1].reply, L"16");
  EXPECT_EQ(t[2].text, L"nonsense");
  EXPECT_FALSE(t[2].understood);
  view.ClearTranscript();
  EXPECT_TRUE(view.GetTranscript().empty());
}

TEST_F(SkyViewControlTest, LearnsNothingWithoutDefinitions) {
  CSkyViewControl empty;  // no resource module holds definitions in this test program
  EXPECT_EQ(empty.GetKeyCount(), 0);
  EXPECT_EQ(empty.Command(L"Star.Name.Size = 5"), L"");
  EXPECT_EQ(empty.Command(L"? Constellation.Picture.Image.File"), L"");
}

// --- automation

TEST_F(SkyViewControlTest, CommandMethodIsReachedThroughInvoke) {
  orv::AutomationValue args[] = {CString(L"? Star.Name.Size")};
  orv::AutomationValue result;
  EXPECT_EQ(view.Invoke(orv::kSkyViewDispidCommand, DISPATCH_METHOD, args, &result), S_OK);
  EXPECT_EQ(result.ToString(), L"14");
}

TEST_F(SkyViewControlTest, InvokeRefusesWrongCalls) {
  orv::AutomationValue text[] = {CString(L"Star.Name.Size = 5")};
  orv::AutomationValue number[] = {LONG{5}};
  orv::AutomationValue two[] = {CString(L"a"), CString(L"b")};
  orv::AutomationValue untouched(L"sentinel");
  EXPECT_EQ(view.Invoke(1, DISPATCH_METHOD, text, &untouched), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(view.Invoke(orv::kSkyViewDispidCommand, DISPATCH_PROPERTYGET, text, &untouched), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(view.Invoke(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {}, &untouched), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(view.Invoke(orv::kSkyViewDispidCommand, DISPATCH_METHOD, two, &untouched), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(view.Invoke(orv::kSkyViewDispidCommand, DISPATCH_METHOD, number, &untouched), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(untouched.ToString(), L"sentinel");
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 14);
  EXPECT_TRUE(view.GetTranscript().empty());
}

TEST_F(SkyViewControlTest, CorLumDispatchesToItsTarget) {
  CCorLum corlum(&view);
  auto reply = corlum.InvokeHelper(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {CString(L"? Star.Name.Size")});
  EXPECT_EQ(reply.ToString(), L"14");
  EXPECT_EQ(corlum.GetLastInvokeResult(), S_OK);

  reply = corlum.InvokeHelper(7, DISPATCH_METHOD, {CString(L"x")});
  EXPECT_TRUE(reply.IsEmpty());
  EXPECT_EQ(corlum.GetLastInvokeResult(), DISP_E_MEMBERNOTFOUND);
}

TEST(CorLumWrapper, WithoutAControlEveryCallIsEmpty) {
  CCorLum corlum;
  EXPECT_EQ(corlum.GetTarget(), nullptr);
  auto reply = corlum.InvokeHelper(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {CString(L"Show Sky")});
  EXPECT_TRUE(reply.IsEmpty());
  EXPECT_TRUE(FAILED(corlum.GetLastInvokeResult()));
  EXPECT_TRUE(corlum.IsKindOf(RUNTIME_CLASS(CObject)));
}

TEST(AutomationValue, ConvertsToAStringResult) {
  EXPECT_EQ(orv::AutomationValue().ToString(), L"");
  EXPECT_EQ(orv::AutomationValue(LONG{-42}).ToString(), L"-42");
  EXPECT_EQ(orv::AutomationValue(L"RGB(1, 2, 3)").ToString(), L"RGB(1, 2, 3)");
  EXPECT_EQ(orv::AutomationValue(LONG{3}).GetString(), L"");
}

}  // namespace
