#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/base/File.h"
#include "support/FileBytes.h"
#include "support/FrameworkExceptions.h"
#include "support/TempDir.h"

namespace {

using orv::TextEncoding;
using orv::test::FileExceptionCause;
using orv::test::ReadFileBytes;
using orv::test::WriteFileBytes;
using Lines = std::vector<std::wstring>;

Lines ReadLines(const CString& path) {
  CStdioFile file;
  Lines lines;
  if (!file.Open(path, CFile::modeRead)) return {L"<not opened>"};
  CString line;
  while (file.ReadString(line)) lines.push_back(line.str());
  EXPECT_TRUE(line.IsEmpty());
  return lines;
}

std::size_t FilesIn(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The cause for which a fresh file does not open; -1 when it opens.
int OpenFailure(const CString& path, UINT flags) {
  CStdioFile file;
  CFileException error;
  if (file.Open(path, flags, &error)) return -1;
  EXPECT_FALSE(file.IsOpen()) << "a refused file counts as open";
  return error.m_cause;
}

class TextFile : public testing::Test {
protected:
  orv::test::TempDir dir;
};

TEST_F(TextFile, RecognisesEncodingsLineEndsAndDamage) {
  using namespace std::string_literals;
  struct Row {
    int line;
    std::string bytes;
    Lines expected;
  } rows[] = {
      {1, "a\nb\r\nc\rd", {L"a", L"b", L"c", L"d"}}, {2, "a\n\n", {L"a", L""}}, {3, "", {}},
      {4, "a\r\r\nb\r", {L"a", L"", L"b"}}, {5, "\xEF\xBB\xBFx=1\r\n", {L"x=1"}},
      {6, "\xFF\xFEh\0i\0\r\0\n\0\x5F\x66"s, {L"hi", L"\u665F"}},
      {7, "\xFE\xFF\0h\0i\0\n\x66\x5F"s, {L"hi", L"\u665F"}},
      {8, "\xFF\xFE" "A\0B"s, {L"A\uFFFD"}},                        // odd byte count
      {9, "\xFF\xFE\x00\xD8" "A\0\x00\xDC"s, {L"\uFFFDA\uFFFD"}},   // lone surrogates
      {10, "\xFF\xFE\x34\xD8\x1E\xDD"s, {L"\U0001D11E"}},            // a surrogate pair
      {11, "\xE6\x98\x9F=\xE2\x98\x85\n", {L"星=★"}},               // UTF-8 without a mark
      {12, "\x93\xfa\x96\x7b\r\nabc", {L"日本", L"abc"}},           // not UTF-8: CP932
      {13, "\x82\xa0\x80z", {L"あ\uFFFDz"}},                        // CP932 without a mapping
      {14, "\xEF\xBB\xBF\xFFok", {L"\uFFFDok"}},                    // marked UTF-8 stays UTF-8
      {15, "a\0b\nc"s, {L"a\0b"s, L"c"}},                          // NUL stays in the line
      {16, "\xFF\xFE\r\0"s, {L""}},
      // The encoding is decided on the whole file, not on a start or one read's worth.
      {17, std::string(200000, 'a') + "\n\x93\xfa", {std::wstring(200000, L'a'), L"日"}},
      {18, std::string(65535, 'a') + "\xF0\x9D\x84\x9E\n", {std::wstring(65535, L'a') + L"\U0001D11E"}},
      {19, std::string(65534, 'a') + "\xF0\x9D\x84\x9E\n", {std::wstring(65534, L'a') + L"\U0001D11E"}},
      {20, std::string(65533, 'a') + "\xF0\x9D\x84\x9E\n", {std::wstring(65533, L'a') + L"\U0001D11E"}},
      {21, std::string(10 << 20, 'x') + "\r\nend", {std::wstring(10 << 20, L'x'), L"end"}},  // a 10 MB line
  };
  for (const auto& row : rows) {
    WriteFileBytes(dir.File("in.txt"), row.bytes);
    EXPECT_EQ(row.expected, ReadLines(dir.WFile("in.txt"))) << "row " << row.line;
  }
}

TEST_F(TextFile, AMissingOrVanishedFileDoesNotOpen) {
  WriteFileBytes(dir.File("gone.txt"), "x");
  std::filesystem::remove(dir.File("gone.txt"));
  EXPECT_EQ(CFileException::fileNotFound, OpenFailure(dir.WFile("gone.txt"), CFile::modeRead));
  EXPECT_NE(-1, OpenFailure(dir.WFile(""), CFile::modeRead));  // the folder itself
}

// Written in each encoding, then continued by a file told none: it goes on in the file's own.
TEST_F(TextFile, RoundTripsAndContinuesInEachEncoding) {
  using namespace std::string_literals;
  struct Row {
    TextEncoding encoding;
    std::string bytes, continued;
  } rows[] = {
      {TextEncoding::Utf8, "\xE6\x98\x9F=1\r\n\xF0\x9D\x84\x9E\n", "b\n"},
      {TextEncoding::Utf8Bom, "\xEF\xBB\xBF\xE6\x98\x9F=1\r\n\xF0\x9D\x84\x9E\n", "b\n"},
      {TextEncoding::Utf16Le, "\xFF\xFE\x1F\x66=\0" "1\0\r\0\n\0\x34\xD8\x1E\xDD\n\0"s, "b\0\n\0"s},
      {TextEncoding::Utf16Be, "\xFE\xFF\x66\x1F\0=\0" "1\0\r\0\n\xD8\x34\xDD\x1E\0\n"s, "\0b\0\n"s},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.encoding));
    CStdioFile file;
    file.SetTextEncoding(row.encoding);
    ASSERT_TRUE(file.Open(dir.WFile("out.txt"), CFile::modeCreate | CFile::modeWrite));
    file.WriteString(L"星=1\r\n");
    file.WriteString(L"\U0001D11E\n");
    file.Close();
    EXPECT_EQ(row.bytes, ReadFileBytes(dir.File("out.txt")));
    CStdioFile more;
    ASSERT_TRUE(more.Open(dir.WFile("out.txt"), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite));
    more.SeekToEnd();
    more.WriteString(L"b\n");
    more.Close();
    EXPECT_EQ(row.bytes + row.continued, ReadFileBytes(dir.File("out.txt")));
    EXPECT_EQ((Lines{L"星=1", L"\U0001D11E", L"b"}), ReadLines(dir.WFile("out.txt")));
  }
}

// Readers see the old version until the new one is closed, by Close or by the destructor;
// an abort, or unwinding past the open file, keeps the old version.
TEST_F(TextFile, ReplacesTheOldFileOnlyAtClose) {
  const std::string path = dir.File("colours.txt");
  WriteFileBytes(path, "old");
  const struct {
    const char* text;
    void (*end)(CStdioFile&);
    bool replaces;
  } endings[] = {
      {"closed", [](CStdioFile& file) { file.Close(); }, true},
      {"aborted", [](CStdioFile& file) { file.Abort(); }, false},
      {"unwound", [](CStdioFile&) { throw 1; }, false},
      {"destroyed open", [](CStdioFile&) {}, true},
  };
  for (const auto& ending : endings) {
    const std::string before = ReadFileBytes(path);
    try {
      CStdioFile file(dir.WFile("colours.txt"), CFile::modeCreate | CFile::modeWrite);
      file.WriteString(CString(ending.text));
      file.Flush();
      EXPECT_EQ(before, ReadFileBytes(path)) << ending.text;
      ending.end(file);
    } catch (int) {
    }
    EXPECT_EQ(ending.replaces ? ending.text : before, ReadFileBytes(path)) << ending.text;
  }
  EXPECT_EQ(1u, FilesIn(dir.Path()));  // no temporary file left behind
}

TEST_F(TextFile, KeepsLinksAndRefusesFoldersAndReadOnlyFiles) {
  WriteFileBytes(dir.File("target.txt"), "old\n");
  std::filesystem::create_symlink(dir.File("target.txt"), dir.File("link.txt"));
  CStdioFile(dir.WFile("link.txt"), CFile::modeCreate | CFile::modeWrite).WriteString(L"new\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link.txt")));
  EXPECT_EQ("new\n", ReadFileBytes(dir.File("target.txt")));

  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_EQ(CFileException::accessDenied, OpenFailure(dir.WFile("folder"), CFile::modeCreate | CFile::modeWrite));

  std::filesystem::permissions(dir.File("target.txt"), std::filesystem::perms::owner_read);
  if (::access(dir.File("target.txt").c_str(), W_OK) == 0) GTEST_SKIP() << "running with privileges";
  EXPECT_EQ(CFileException::accessDenied, OpenFailure(dir.WFile("target.txt"), CFile::modeCreate | CFile::modeWrite));
  EXPECT_EQ("new\n", ReadFileBytes(dir.File("target.txt")));
}

TEST_F(TextFile, DenyModesAreHonouredBetweenOpens) {
  WriteFileBytes(dir.File("cmd.txt"), "Show Sky\n");
  const CString path = dir.WFile("cmd.txt");
  CStdioFile reader;
  ASSERT_TRUE(reader.Open(path, CFile::modeRead | CFile::shareDenyWrite));
  EXPECT_EQ(-1, OpenFailure(path, CFile::modeRead | CFile::shareDenyWrite));  // readers share

  EXPECT_EQ(CFileException::sharingViolation, OpenFailure(path, CFile::modeCreate | CFile::modeWrite));
  CStdioFile writer;
  EXPECT_TRUE(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone));
  writer.Abort();
  reader.Close();

  ASSERT_TRUE(writer.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyRead));
  EXPECT_EQ(CFileException::sharingViolation, OpenFailure(path, CFile::modeRead | CFile::shareDenyWrite));
  writer.Close();
  EXPECT_TRUE(reader.Open(path, CFile::modeRead | CFile::shareDenyWrite));
}

TEST_F(TextFile, BinaryAccessAndPositionsAgreeWithLines) {
  WriteFileBytes(dir.File("mixed.txt"), "ab\r\ncd\nef");
  CStdioFile file(dir.WFile("mixed.txt"), CFile::modeReadWrite);
  CString line;
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(4u, file.GetPosition());
  char two[2];
  EXPECT_EQ(2u, file.Read(two, 2));
  EXPECT_EQ("cd", std::string(two, 2));
  file.WriteString(L"|X");  // written where reading stopped
  ASSERT_TRUE(file.ReadString(line));
  EXPECT_EQ(CString(L"f"), line);
  EXPECT_EQ(9u, file.GetLength());
  file.Close();
  EXPECT_EQ("ab\r\ncd|Xf", ReadFileBytes(dir.File("mixed.txt")));
}

TEST_F(TextFile, RenameNeverReplacesAndRemoveDeletes) {
  WriteFileBytes(dir.File("a"), "a");
  WriteFileBytes(dir.File("b"), "b");
  EXPECT_EQ(CFileException::accessDenied, FileExceptionCause([&] { CFile::Rename(dir.WFile("a"), dir.WFile("b")); }));
  CFile::Remove(dir.WFile("b"));
  CFile::Rename(dir.WFile("a"), dir.WFile("b"));
  EXPECT_EQ("a", ReadFileBytes(dir.File("b")));
  EXPECT_EQ(CFileException::fileNotFound, FileExceptionCause([&] { CFile::Remove(dir.WFile("a")); }));
}

}  // namespace
