// The resource-script reader: what it makes of each statement, and that every malformed
// script stops with its file and line instead of producing a different resource.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

#include "platform/base/WinStyles.h"
#include "res/tools/RcScript.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;
using orv::rc::ParseScriptText;
using orv::rc::Script;
using orv::rc::ScriptError;

namespace {

// Scripts include the real style header, as the library's own script does.
Script Parse(const std::string& text, const fs::path& base = fs::path(ORV_SOURCE_DIR)) {
  return ParseScriptText("#include \"platform/base/WinStyles.h\"\n" + text, "test.rc", base, {fs::path(ORV_SOURCE_DIR)});
}

TEST(RcScriptStrings, EscapesQuotesAndIdsFromMacrosExpandedAsTextWithCPrecedence) {
  // A = 1 | 2 expanded as text: "A & 2" is 1 | (2 & 2) = 3, not (1 | 2) & 2 = 2.
  Script s = Parse(
      "#define IDS_A 100\n"
      "#define IDS_B (IDS_A + 0x10)\n"
      "#define A 1 | 2\n"
      "#define B ~0x0F & 0xFF\n"
      "#define LONGNAME \\\n  (A)\n"
      "STRINGTABLE\nBEGIN\n"
      "  IDS_A \"one\\\\two\"\n"
      "  IDS_B, \"say \"\"hi\"\"\\t!\"\n"
      "  7 L\"\\x41\\101\\n\"\n"
      "  9 \"恒星名(日本語)\"\n"
      "  A & 2 \"a\"\n"
      "  B \"b\"\n"
      "  LONGNAME + 1 \"c\"\n"
      "  010 \"octal\"\n"
      "  0x1FL \"suffix\"\n"
      "END\n");
  EXPECT_EQ(s.strings, (std::map<UINT, std::wstring>{{100, L"one\\two"}, {116, L"say \"hi\"\t!"}, {7, L"AA\n"},
                                                     {9, L"恒星名(日本語)"}, {3, L"a"}, {0xF0, L"b"}, {4, L"c"},
                                                     {8, L"octal"}, {31, L"suffix"}}));
}

TEST(RcScriptStrings, CommentsAndByteOrderMarkAreIgnored) {
  Script s = ParseScriptText("\xEF\xBB\xBF// first\n/* a \"quoted\" comment\n over lines */ STRINGTABLE { 5 \"a//b /*c*/\" }\n",
                             "bom.rc", fs::path(ORV_SOURCE_DIR), {});
  EXPECT_EQ(s.strings.at(5), L"a//b /*c*/");
}

TEST(RcScriptDialog, StatementsGetTheDefaultStylesOfTheResourceCompilerUnlessAStyleIsGiven) {
  Script s = Parse(
      "#define IDC_X 10\n"
      "5 DIALOGEX 1, 2, 30, 40\n"
      "CAPTION \"Cap\"\n"
      "FONT 9, \"MS UI Gothic\", 400, 0, 0x80\n"
      "BEGIN\n"
      "  LTEXT \"l\", IDC_X, 1, 2, 3, 4\n"
      "  RTEXT \"r\", 11, 1, 2, 3, 4\n"
      "  CTEXT \"c\", 12, 1, 2, 3, 4\n"
      "  EDITTEXT 13, 1, 2, 3, 4, ES_AUTOHSCROLL | NOT WS_BORDER\n"
      "  PUSHBUTTON \"p\", 14, 1, 2, 3, 4\n"
      "  DEFPUSHBUTTON \"d\", 15, 1, 2, 3, 4, BS_OWNERDRAW\n"
      "  GROUPBOX \"g\", 16, 1, 2, 3, 4\n"
      "  SCROLLBAR 17, 1, 2, 3, 4, SBS_VERT, WS_EX_CLIENTEDGE\n"
      "  CONTROL \"t\", 18, \"SysTreeView32\", TVS_HASLINES | WS_TABSTOP, 5, 6, 7, 8\n"
      "  CONTROL \"b\", -1, button, BS_AUTOCHECKBOX, 5, 6, 7, 8\n"
      "END\n"
      "6 DIALOGEX 0, 0, 10, 10\nSTYLE DS_MODALFRAME | WS_POPUP\nBEGIN\nEND\n");
  const orv::DialogTemplate& d = s.dialogs.at(5);
  EXPECT_EQ(std::tuple(d.caption, d.fontFace, d.pointSize, d.x, d.cy),
            std::tuple(std::wstring(L"Cap"), std::wstring(L"MS UI Gothic"), 9, 1, 40));
  // No STYLE: popup, border, system menu; CAPTION and FONT add theirs.
  EXPECT_EQ(d.style, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION | DS_SETFONT));
  // An explicit STYLE replaces the default.
  EXPECT_EQ(s.dialogs.at(6).style, static_cast<DWORD>(DS_MODALFRAME | WS_POPUP));
  EXPECT_TRUE(s.dialogs.at(6).items.empty());

  const DWORD child = WS_CHILD | WS_VISIBLE;
  using Item = std::tuple<UINT, std::wstring, DWORD, DWORD>;  // id, class, style, extended style
  const std::vector<Item> expected = {
      {10, L"STATIC", child | SS_LEFT | WS_GROUP, 0},
      {11, L"STATIC", child | SS_RIGHT | WS_GROUP, 0},
      {12, L"STATIC", child | SS_CENTER | WS_GROUP, 0},
      {13, L"EDIT", child | ES_AUTOHSCROLL | WS_TABSTOP, 0},
      {14, L"BUTTON", child | BS_PUSHBUTTON | WS_TABSTOP, 0},
      {15, L"BUTTON", child | BS_OWNERDRAW | WS_TABSTOP, 0},
      {16, L"BUTTON", child | BS_GROUPBOX, 0},
      {17, L"SCROLLBAR", child | SBS_VERT, WS_EX_CLIENTEDGE},
      {18, L"SysTreeView32", child | TVS_HASLINES | WS_TABSTOP, 0},
      {0xFFFFFFFFu, L"BUTTON", child | BS_AUTOCHECKBOX, 0},
  };
  std::vector<Item> items;
  for (const auto& item : d.items) items.emplace_back(item.id, item.className, item.style, item.exStyle);
  EXPECT_EQ(items, expected);
  EXPECT_EQ(std::tuple(d.items[8].text, d.items[8].x, d.items[8].cy), std::tuple(std::wstring(L"t"), 5, 8));
}

TEST(RcScriptFiles, BitmapPathsResolveAgainstTheScriptFolderAndHeadersGiveOnlyTheirDirectives) {
  orv::test::TempDir dir;
  fs::create_directories(fs::path(dir.Path()) / "bitmaps");
  std::ofstream(fs::path(dir.Path()) / "bitmaps" / "a.bmp") << "x";
  Script s = Parse("12 BITMAP DISCARDABLE \"bitmaps\\\\a.bmp\"\n13 BITMAP \"bitmaps/a.bmp\"\n", dir.Path());
  EXPECT_EQ(s.bitmaps.at(12), fs::path(dir.Path()) / "bitmaps" / "a.bmp");
  EXPECT_EQ(s.bitmaps.at(13), s.bitmaps.at(12));

  std::ofstream(fs::path(dir.Path()) / "ids.h") << "#pragma once\n"
                                                   "namespace x { int f() { return '#'; } }  // C++ is skipped\n"
                                                   "/* #define HIDDEN 1 */\n"
                                                   "#define IDS_X 42 // trailing comment\n"
                                                   "#define MAX(a, b) a\n";
  s = ParseScriptText("#include \"ids.h\"\nSTRINGTABLE BEGIN IDS_X \"x\" END\n", "t.rc", dir.Path(), {});
  EXPECT_EQ(s.strings.at(42), L"x");
  EXPECT_THROW(ParseScriptText("#include \"ids.h\"\nSTRINGTABLE BEGIN HIDDEN \"x\" END\n", "t.rc", dir.Path(), {}),
               ScriptError);
}

TEST(RcScriptErrors, StopWithFileLineAndReason) {
  const struct {
    std::string text;
    const char* expected;         // part of the message, which also names the line
    const char* file = "bad.rc";  // the file the message names
  } cases[] = {
      {"STRINGTABLE BEGIN 1 \"abc\nEND\n", ":1: unterminated string"},
      {"STRINGTABLE BEGIN\n1 \"a\\STAR\"\nEND\n", ":2: unknown escape"},
      {"STRINGTABLE BEGIN\n\nIDS_NOPE \"a\"\nEND\n", ":3: undefined symbol IDS_NOPE"},
      {"STRINGTABLE BEGIN 1 \"a\"\n 1 \"b\" END\n", ":2: string 1 defined twice"},
      {"STRINGTABLE BEGIN 65536 \"a\" END\n", "outside 0..65535"},
      {"STRINGTABLE BEGIN 1 \"a\"\n", "END expected"},
      {"#ifdef X\n#endif\n", ":1: unsupported preprocessor directive #ifdef"},
      {"#pragma code_page(932)\n", "only #pragma code_page(65001)"},
      {"#define A (A + 1)\nSTRINGTABLE BEGIN A \"a\" END\n", "expands too deeply"},
      {"#define F(x) x\nSTRINGTABLE BEGIN F(1) \"a\" END\n", "function-like macro F"},
      {"#define A 1\n#define A 2\n", ":2: macro A redefined differently"},
      {"#include \"nowhere.h\"\n", ":1: #include: nowhere.h not found"},
      {"#include \"self.h\"\n", ":1: #include nested too deeply", "self.h"},
      {"/* never closed\n", "unterminated comment"},
      {"STRINGTABLE BEGIN 0x100000000 \"a\" END\n", "does not fit in 32 bits"},
      {"STRINGTABLE BEGIN 12abc \"a\" END\n", "malformed number"},
      {"5 BITMAP \"gone.bmp\"\n", ":1: bitmap file"},
      {"5 MENU BEGIN END\n", "unsupported resource type MENU"},
      {"0 BITMAP \"x.bmp\"\n", "outside 1..65535"},
      {"5 DIALOGEX 0,0,1,1\nBEGIN\n LISTVIEW 1,2,3,4,5\nEND\n", ":3: unsupported control"},
      {"5 DIALOGEX 0,0,40000,1\nBEGIN\nEND\n", "16-bit range"},
      {"5 DIALOGEX 0,0,1,1\nBEGIN\nEND\n5 DIALOGEX 0,0,1,1\nBEGIN\nEND\n", "dialog 5 defined twice"},
      {"STRINGTABLE BEGIN 1 \"a\" ; END\n", "unexpected character ';'"},
      {"STRINGTABLE BEGIN 1 \"\xFF\xFE\" END\n", "not valid UTF-8"},
  };
  orv::test::TempDir dir;
  std::ofstream(fs::path(dir.Path()) / "self.h") << "#include \"self.h\"\n";
  for (const auto& c : cases) {
    try {
      ParseScriptText(c.text, "bad.rc", dir.Path(), {});
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const ScriptError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find(c.file), std::string::npos) << what;
      EXPECT_NE(what.find(c.expected), std::string::npos) << what;
    }
  }
}

}  // namespace
