#include "platform/store/IniDocument.h"

#include <unordered_map>

#include "platform/base/CString.h"

namespace orv::ini {
namespace {

constexpr std::size_t npos = std::wstring::npos;

// Blanks around names and values; 0x1A is the end-of-file mark that old editors left.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == 0x1A; }

std::wstring_view TrimView(std::wstring_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::wstring Trim(std::wstring_view s) { return std::wstring(TrimView(s)); }

// A name as the look-up tables hold it: trimmed, each character folded as CompareNoCase
// folds it, so that equal folded names are the names SameName takes as equal.
void FoldInto(std::wstring& out, std::wstring_view name) {
  name = TrimView(name);
  out.resize(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) out[i] = FoldCase(name[i]);
}

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::wstring_view s) const { return std::hash<std::wstring_view>()(s); }
};
using NameMap = std::unordered_map<std::wstring, std::size_t, NameHash, std::equal_to<>>;

bool SameName(std::wstring_view a, std::wstring_view b) { return CompareNoCase(a, b) == 0; }

std::wstring StripQuotes(const std::wstring& value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool HasLineBreak(std::wstring_view s) { return s.find_first_of(std::wstring_view(L"\r\n\0", 3)) != npos; }

}  // namespace

// The first header of each section name, and in each such section the first entry of
// each key name.
struct IniDocument::Index {
  NameMap sections;
  std::unordered_map<std::size_t, NameMap> keys;  // by the header's line
};

void IniDocument::BuildIndex() {
  auto index = std::make_shared<Index>();
  NameMap* keys = nullptr;
  std::wstring folded;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::Section) {
      FoldInto(folded, line.name);
      keys = index->sections.emplace(folded, i).second ? &index->keys[i] : nullptr;
    } else if (line.kind == Kind::Entry && keys != nullptr) {
      FoldInto(folded, line.name);
      keys->emplace(folded, i);
    }
  }
  index_ = std::move(index);
}

IniDocument::Line IniDocument::Classify(std::wstring text) {
  Line line;
  line.text = std::move(text);
  const std::wstring& t = line.text;
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  if (i < t.size() && t[i] == L'[') {
    std::size_t close = t.rfind(L']');
    if (close != npos && close > i) {
      line.kind = Kind::Section;
      line.name = Trim(std::wstring_view(t).substr(i + 1, close - i - 1));
    }
    return line;
  }
  if (i < t.size() && t[i] == L';') return line;
  std::size_t eq = t.find(L'=', i);
  if (eq != npos) {
    line.kind = Kind::Entry;
    line.name = Trim(std::wstring_view(t).substr(i, eq - i));
    line.value = Trim(std::wstring_view(t).substr(eq + 1));
  }
  return line;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  doc.encoding_ = DetectEncoding(bytes);
  doc.mark_ = std::string(ByteOrderMark(doc.encoding_));
  // A UTF-16 file of odd length ends in half a character: it belongs to no line, reads as
  // nothing and is dropped when the file is written, so that what follows stays aligned.
  if (CodeUnitSize(doc.encoding_) == 2 && (bytes.size() - doc.mark_.size()) % 2 != 0)
    bytes.remove_suffix(1);
  TextDecoder decoder(doc.encoding_);
  std::size_t pos = doc.mark_.size();
  while (auto end = FindLineEnd(bytes, pos, doc.encoding_, true)) {
    Line line = Classify(decoder.Decode(bytes.substr(pos, end->contentEnd - pos)));
    line.raw = std::string(bytes.substr(pos, end->contentEnd - pos));
    line.eol = std::string(bytes.substr(end->contentEnd, end->next - end->contentEnd));
    if (doc.eol_.empty() && !line.eol.empty()) doc.eol_ = line.eol;
    doc.lines_.push_back(std::move(line));
    pos = end->next;
  }
  return doc;
}

std::string IniDocument::NewLineBytes() const {
  return eol_.empty() ? EncodeText(L"\r\n", encoding_) : eol_;
}

std::string IniDocument::Serialize() const {
  TextEncoding out = encoding_;
  if (out == TextEncoding::Cp932) {
    for (const Line& line : lines_) {
      bool lossless = true;
      if (line.changed) EncodeText(line.text, out, &lossless);
      if (!lossless) out = TextEncoding::Utf8;  // keep the text rather than the old encoding
    }
  }
  std::string bytes = mark_;
  for (const Line& line : lines_) {
    bytes += !line.changed && out == encoding_ ? line.raw : EncodeText(line.text, out);
    bytes += line.eol;
  }
  // CP932 bytes that happen to be valid UTF-8 (the edit removed the only sequence that is
  // not) would read back as UTF-8 next time, changing untouched values. A comment line in
  // front says which encoding the file is in, in bytes that are not UTF-8, so that every
  // reader (this one, and the original platform's, which reads CP932 anyway) decodes the
  // file as it was written; every other line keeps its bytes.
  if (out == TextEncoding::Cp932 && DetectEncoding(bytes) != TextEncoding::Cp932 &&
      TextDecoder(TextEncoding::Utf8).Decode(bytes) != TextDecoder(TextEncoding::Cp932).Decode(bytes))
    bytes.insert(0, EncodeText(kCp932Marker, TextEncoding::Cp932) + NewLineBytes());
  return bytes;
}

std::size_t IniDocument::FindSection(std::wstring_view section) const {
  if (index_ != nullptr) {
    thread_local std::wstring folded;
    FoldInto(folded, section);
    auto it = index_->sections.find(std::wstring_view(folded));
    return it != index_->sections.end() ? it->second : npos;
  }
  std::wstring name = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && SameName(lines_[i].name, name)) return i;
  return npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniDocument::FindEntry(std::size_t header, std::wstring_view key) const {
  if (header == npos) return npos;
  if (index_ != nullptr) {
    thread_local std::wstring folded;
    FoldInto(folded, key);
    auto keys = index_->keys.find(header);
    if (keys == index_->keys.end()) return npos;
    auto it = keys->second.find(std::wstring_view(folded));
    return it != keys->second.end() ? it->second : npos;
  }
  std::wstring name = Trim(key);
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Kind::Entry && SameName(lines_[i].name, name)) return i;
  return npos;
}

std::optional<std::wstring> IniDocument::Value(std::wstring_view section, std::wstring_view key) const {
  std::size_t entry = FindEntry(FindSection(section), key);
  if (entry == npos) return std::nullopt;
  return StripQuotes(lines_[entry].value);
}

std::vector<std::wstring> IniDocument::SectionNames() const {
  std::vector<std::wstring> names;
  for (const Line& line : lines_)
    if (line.kind == Kind::Section) names.push_back(line.name);
  return names;
}

std::optional<std::vector<std::wstring>> IniDocument::KeyNames(std::wstring_view section) const {
  std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  std::vector<std::wstring> keys;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Kind::Entry) keys.push_back(lines_[i].name);
  return keys;
}

std::optional<std::vector<std::wstring>> IniDocument::Entries(std::wstring_view section) const {
  std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  std::vector<std::wstring> entries;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Kind::Entry)
      entries.push_back(lines_[i].name + L"=" + lines_[i].value);
    else if (std::wstring text = Trim(lines_[i].text); !text.empty() && text[0] != L';')
      entries.push_back(std::move(text));  // a line without "=" is listed as it stands
  return entries;
}

void IniDocument::Insert(std::size_t at, std::wstring text) {
  index_.reset();
  // A last line without terminator gets one before something follows it.
  if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = NewLineBytes();
  Line line = Classify(std::move(text));
  line.changed = true;
  line.eol = NewLineBytes();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniDocument::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  index_.reset();
  const std::wstring sectionName = Trim(section), keyName = Trim(key);
  std::size_t header = FindSection(sectionName);
  if (header == npos) {
    // Appended straight after the last line, with no empty line between, as the platform does.
    std::size_t at = lines_.size();
    Insert(at++, L"[" + sectionName + L"]");
    Insert(at, keyName + L"=" + std::wstring(value));
    return true;
  }
  std::size_t entry = FindEntry(header, keyName);
  if (entry != npos) {
    // Keep the line's own spelling of the key and its spacing; replace only the value.
    Line& line = lines_[entry];
    std::size_t start = line.text.find(L'=') + 1;
    while (start < line.text.size() && IsBlank(line.text[start])) ++start;
    std::wstring updated = line.text.substr(0, start) + std::wstring(value);
    if (updated == line.text) return false;
    std::string eol = std::move(line.eol);
    line = Classify(std::move(updated));
    line.changed = true;
    line.eol = std::move(eol);
    return true;
  }
  std::size_t at = header + 1;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (lines_[i].kind == Kind::Entry) at = i + 1;
  Insert(at, keyName + L"=" + std::wstring(value));
  return true;
}

bool IniDocument::DeleteKey(std::wstring_view section, std::wstring_view key) {
  index_.reset();
  bool removed = false;
  // Every copy of the key goes, so that a later read does not find a hidden duplicate.
  for (std::size_t entry = FindEntry(FindSection(section), key); entry != npos;
       entry = FindEntry(FindSection(section), key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(entry));
    removed = true;
  }
  return removed;
}

bool IniDocument::DeleteSection(std::wstring_view section) {
  index_.reset();
  bool removed = false;
  for (std::size_t header = FindSection(section); header != npos; header = FindSection(section)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(header),
                  lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
    removed = true;
  }
  return removed;
}

bool IniDocument::IsWritableSection(std::wstring_view section) { return !HasLineBreak(section); }

bool IniDocument::IsWritableKey(std::wstring_view key) {
  std::wstring name = Trim(key);
  return !HasLineBreak(key) && name.find(L'=') == npos && (name.empty() || (name[0] != L'[' && name[0] != L';'));
}

bool IniDocument::IsWritableValue(std::wstring_view value) { return !HasLineBreak(value); }

}  // namespace orv::ini
