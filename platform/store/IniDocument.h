#pragma once
// One INI file in memory, read and edited with the original platform's private-profile
// rules, and written back without losing anything that was not edited.
//
// Reading rules:
// - A line whose first non-blank character is "[" and that holds a "]" is a section header;
//   the name lies between the "[" and the last "]", blanks trimmed. Text after the "]" is
//   ignored. A "[" line without "]" is no header: it is kept and read as nothing.
// - In a section, a line with "=" is an entry: the key before the first "=", the value
//   after it, both with blanks trimmed. Lines starting with ";" are comments; lines without
//   "=" and everything before the first header are kept and read as nothing.
// - Section and key names compare ignoring letter case. When a section name occurs twice,
//   the first section is the one read and edited; within it, the first of equal keys is.
// - The value as read has one pair of matching quotes (" or ') around it removed.
//
// Writing keeps every untouched line byte for byte, with its own line terminator, and the
// file's encoding (see TextEncoding.h). A CP932 file that has to take a character CP932
// cannot hold is rewritten as UTF-8 rather than losing the character. A CP932 file whose
// bytes would otherwise read as UTF-8 gets kCp932Marker as its first line. New files are UTF-8.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Export.h"
#include "platform/base/TextEncoding.h"

namespace orv::ini {

// A comment whose CP932 bytes are not UTF-8, so that a file holding it is read as CP932.
inline constexpr std::wstring_view kCp932Marker = L"; 文字コード: Shift_JIS";

class ORV_API IniDocument {
public:
  IniDocument() = default;  // an empty new file
  static IniDocument Parse(std::string_view bytes);
  std::string Serialize() const;
  TextEncoding Encoding() const { return encoding_; }

  // The value of key in section as the platform reads it, or nothing when absent.
  std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
  // The names of all sections in file order.
  std::vector<std::wstring> SectionNames() const;
  // The keys of a section in file order, or nothing when the section is absent.
  std::optional<std::vector<std::wstring>> KeyNames(std::wstring_view section) const;
  // The lines of a section as the platform lists them: entries as "key=value" (value
  // trimmed, quotes kept) and other lines trimmed, in file order; no comments, no blank lines.
  std::optional<std::vector<std::wstring>> Entries(std::wstring_view section) const;

  // Builds look-up tables so that the reads above find a section and a key without walking
  // the lines (for a copy that is read many times); any edit drops them.
  void BuildIndex();

  // Edits; each returns whether the file content changed. Names are trimmed of blanks.
  bool SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  bool DeleteKey(std::wstring_view section, std::wstring_view key);
  bool DeleteSection(std::wstring_view section);

  // Whether a name or value can be written without changing the file's structure: no line
  // breaks or NULs anywhere; a key holds no "=" and does not start with "[" or ";".
  static bool IsWritableSection(std::wstring_view section);
  static bool IsWritableKey(std::wstring_view key);
  static bool IsWritableValue(std::wstring_view value);

private:
  enum class Kind { Other, Section, Entry };
  struct Line {
    std::string raw;   // the content's bytes as in the file (stale once changed)
    std::string eol;   // the terminator's bytes ("" for a last line without one)
    std::wstring text;
    bool changed = false;
    Kind kind = Kind::Other;
    std::wstring name;   // section name or key
    std::wstring value;  // entry value, trimmed
  };
  struct Index;
  static Line Classify(std::wstring text);
  // Index of the first header of section, or npos.
  std::size_t FindSection(std::wstring_view section) const;
  // One past the last line of the section whose header is at index header.
  std::size_t SectionEnd(std::size_t header) const;
  std::size_t FindEntry(std::size_t header, std::wstring_view key) const;
  void Insert(std::size_t at, std::wstring text);
  std::string NewLineBytes() const;

  std::vector<Line> lines_;
  TextEncoding encoding_ = TextEncoding::Utf8;
  std::string mark_;
  std::string eol_;  // the terminator the file uses first, for new lines
  std::shared_ptr<const Index> index_;
};

}  // namespace orv::ini
