// The sky-view control as a peer: what it answers, what it changes, and the automation path
// CCorLum reaches it through.
#include <gtest/gtest.h>

#include "sibling/skyview/CorLum.h"
#include "sibling/skyview/SkyViewControl.h"
#include "SkyTestKeys.h"

namespace {

class SkyViewControlTest : public testing::Test {
protected:
  CSkyViewControl view{orv::test::SkyTestKeys()};
};

TEST_F(SkyViewControlTest, SettingsChangeCurrentValuesAndDefaultFormsAlsoTheDefault) {
  EXPECT_EQ(view.Command(L"? Constellation.Line.Color"), L"RGB(0, 112, 128)");  // 807000
  EXPECT_EQ(view.Command(L"Star.Name.Size = 20"), L"");
  EXPECT_EQ(view.Command(L"? Star.Name.Size"), L"20");
  EXPECT_EQ(view.GetDefaultSize(L"Star.Name.Size"), 14);

  view.Command(L"Star.Name.Color = RGB(10, 20, 30);default Star.Name.Color = RGB(40, 50, 60)");
  EXPECT_EQ(view.Command(L"? Star.Name.Color"), L"RGB(10, 20, 30)");
  EXPECT_EQ(view.GetDefaultColor(L"Star.Name.Color"), RGB(40, 50, 60));
  EXPECT_FALSE(view.GetSize(L"Star.Name.Color").has_value());  // accessors keep to the key's kind
}

TEST_F(SkyViewControlTest, TextsNotUnderstoodAnswerNothingAndChangeNothing) {
  const wchar_t* const texts[] = {
      L"? Unknown.Key",
      L"star.name.size = 5",                              // keys are case-sensitive
      L"Star.Name.Size = RGB(1, 2, 3)",                   // a colour for a size key
      L"Star.Name.Color = 12",                            // a size for a colour key
      L"Star.Name.Size = 0",                              // below the smallest size drawn
      L"Star.Name.Size = 501",                            // above the largest
      L"Star.Name.Size = 9; Default Star.Name.Size = 0",  // half acceptable: all refused
      L"; default",
  };
  for (const wchar_t* text : texts) EXPECT_EQ(view.Command(text), L"") << CString(text);
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 14);
  EXPECT_EQ(view.GetDefaultSize(L"Star.Name.Size"), 14);
  EXPECT_EQ(view.GetColor(L"Star.Name.Color"), 0xFFC0C0u);
  ASSERT_EQ(view.GetTranscript().size(), std::size(texts));
  for (const auto& exchange : view.GetTranscript()) EXPECT_FALSE(exchange.understood) << exchange.text;
}

TEST_F(SkyViewControlTest, PictureFileAndRedraws) {
  view.SetPictureFile(L".\\constellation\\CnsPic\\CnsPic.lst");
  EXPECT_EQ(view.Command(L"? Constellation.Picture.Image.File"), L".\\constellation\\CnsPic\\CnsPic.lst");
  view.SetPictureFile(L"");
  EXPECT_EQ(view.Command(L"? Constellation.Picture.Image.File"), L"");
  EXPECT_TRUE(view.GetTranscript().back().understood);  // an empty answer is still an answer
  view.Command(L"Show Sky");
  view.Command(L"Show Sky please");
  EXPECT_EQ(view.GetRedrawCount(), 1);
}

TEST_F(SkyViewControlTest, InvokeRefusesWrongCallsAndLeavesTheResult) {
  orv::AutomationValue text[] = {CString(L"Star.Name.Size = 5")};
  orv::AutomationValue number[] = {LONG{5}};
  orv::AutomationValue two[] = {CString(L"a"), CString(L"b")};
  orv::AutomationValue untouched(L"sentinel");
  const DISPID command = orv::kSkyViewDispidCommand;
  EXPECT_EQ(view.Invoke(1, DISPATCH_METHOD, text, &untouched), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(view.Invoke(command, DISPATCH_PROPERTYGET, text, &untouched), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(view.Invoke(command, DISPATCH_METHOD, {}, &untouched), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(view.Invoke(command, DISPATCH_METHOD, two, &untouched), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(view.Invoke(command, DISPATCH_METHOD, number, &untouched), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(untouched.ToString(), L"sentinel");
  EXPECT_EQ(view.GetSize(L"Star.Name.Size"), 14);
  EXPECT_TRUE(view.GetTranscript().empty());
}

TEST_F(SkyViewControlTest, CorLumDispatchesToItsTargetAndAnswersEmptyWithoutOne) {
  CCorLum corlum(&view);
  auto reply = corlum.InvokeHelper(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {CString(L"? Star.Name.Size")});
  EXPECT_EQ(reply.ToString(), L"14");
  EXPECT_EQ(corlum.GetLastInvokeResult(), S_OK);
  EXPECT_TRUE(corlum.InvokeHelper(7, DISPATCH_METHOD, {CString(L"x")}).IsEmpty());
  EXPECT_EQ(corlum.GetLastInvokeResult(), DISP_E_MEMBERNOTFOUND);

  corlum.SetTarget(nullptr);
  EXPECT_TRUE(corlum.InvokeHelper(orv::kSkyViewDispidCommand, DISPATCH_METHOD, {CString(L"Show Sky")}).IsEmpty());
  EXPECT_EQ(view.GetRedrawCount(), 0);
}

}  // namespace
