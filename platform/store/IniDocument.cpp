#include "platform/store/IniDocument.h"

#include "platform/base/CString.h"

namespace orv::ini {
namespace {

constexpr std::size_t npos = std::wstring::npos;

// Blanks around names and values; 0x1A is the end-of-file mark that old editors left.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == 0x1A; }

std::wstring Trim(std::wstring_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return std::wstring(s.substr(b, e - b));
}

bool SameName(std::wstring_view a, std::wstring_view b) { return CompareNoCase(a, b) == 0; }

std::wstring StripQuotes(const std::wstring& value) {
  if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool HasLineBreak(std::wstring_view s) { return s.find_first_of(std::wstring_view(L"\r\n\0", 3)) != npos; }

}  // namespace

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
  doc.m_encoding = DetectEncoding(bytes);
  doc.m_mark = std::string(ByteOrderMark(doc.m_encoding));
  TextDecoder decoder(doc.m_encoding);
  std::size_t pos = doc.m_mark.size();
  while (auto end = FindLineEnd(bytes, pos, doc.m_encoding, true)) {
    Line line = Classify(decoder.Decode(bytes.substr(pos, end->contentEnd - pos)));
    line.raw = std::string(bytes.substr(pos, end->contentEnd - pos));
    line.eol = std::string(bytes.substr(end->contentEnd, end->next - end->contentEnd));
    if (doc.m_eol.empty() && !line.eol.empty()) doc.m_eol = line.eol;
    doc.m_lines.push_back(std::move(line));
    pos = end->next;
  }
  return doc;
}

std::string IniDocument::NewLineBytes() const {
  return m_eol.empty() ? EncodeText(L"\r\n", m_encoding) : m_eol;
}

std::string IniDocument::Serialize() const {
  TextEncoding out = m_encoding;
  if (out == TextEncoding::Cp932) {
    for (const Line& line : m_lines) {
      bool lossless = true;
      if (line.changed) EncodeText(line.text, out, &lossless);
      if (!lossless) out = TextEncoding::Utf8;  // keep the text rather than the old encoding
    }
  }
  std::string bytes = m_mark;
  for (const Line& line : m_lines) {
    bytes += !line.changed && out == m_encoding ? line.raw : EncodeText(line.text, out);
    bytes += line.eol;
  }
  return bytes;
}

std::size_t IniDocument::FindSection(std::wstring_view section) const {
  std::wstring name = Trim(section);
  for (std::size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == Kind::Section && SameName(m_lines[i].name, name)) return i;
  return npos;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniDocument::FindEntry(std::size_t header, std::wstring_view key) const {
  if (header == npos) return npos;
  std::wstring name = Trim(key);
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (m_lines[i].kind == Kind::Entry && SameName(m_lines[i].name, name)) return i;
  return npos;
}

std::optional<std::wstring> IniDocument::Value(std::wstring_view section, std::wstring_view key) const {
  std::size_t entry = FindEntry(FindSection(section), key);
  if (entry == npos) return std::nullopt;
  return StripQuotes(m_lines[entry].value);
}

std::vector<std::wstring> IniDocument::SectionNames() const {
  std::vector<std::wstring> names;
  for (const Line& line : m_lines)
    if (line.kind == Kind::Section) names.push_back(line.name);
  return names;
}

std::optional<std::vector<std::wstring>> IniDocument::KeyNames(std::wstring_view section) const {
  std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  std::vector<std::wstring> keys;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (m_lines[i].kind == Kind::Entry) keys.push_back(m_lines[i].name);
  return keys;
}

std::optional<std::vector<std::wstring>> IniDocument::Entries(std::wstring_view section) const {
  std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  std::vector<std::wstring> entries;
  for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
    if (m_lines[i].kind == Kind::Entry)
      entries.push_back(m_lines[i].name + L"=" + m_lines[i].value);
    else if (std::wstring text = Trim(m_lines[i].text); !text.empty() && text[0] != L';')
      entries.push_back(std::move(text));  // a line without "=" is listed as it stands
  return entries;
}

void IniDocument::Insert(std::size_t at, std::wstring text) {
  // A last line without terminator gets one before something follows it.
  if (at > 0 && m_lines[at - 1].eol.empty()) m_lines[at - 1].eol = NewLineBytes();
  Line line = Classify(std::move(text));
  line.changed = true;
  line.eol = NewLineBytes();
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniDocument::SetValue(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  const std::wstring sectionName = Trim(section), keyName = Trim(key);
  std::size_t header = FindSection(sectionName);
  if (header == npos) {
    // Appended straight after the last line, with no empty line between, as the platform does.
    std::size_t at = m_lines.size();
    Insert(at++, L"[" + sectionName + L"]");
    Insert(at, keyName + L"=" + std::wstring(value));
    return true;
  }
  std::size_t entry = FindEntry(header, keyName);
  if (entry != npos) {
    // Keep the line's own spelling of the key and its spacing; replace only the value.
    Line& line = m_lines[entry];
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
    if (m_lines[i].kind == Kind::Entry) at = i + 1;
  Insert(at, keyName + L"=" + std::wstring(value));
  return true;
}

bool IniDocument::DeleteKey(std::wstring_view section, std::wstring_view key) {
  bool removed = false;
  // Every copy of the key goes, so that a later read does not find a hidden duplicate.
  for (std::size_t entry = FindEntry(FindSection(section), key); entry != npos;
       entry = FindEntry(FindSection(section), key)) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(entry));
    removed = true;
  }
  return removed;
}

bool IniDocument::DeleteSection(std::wstring_view section) {
  bool removed = false;
  for (std::size_t header = FindSection(section); header != npos; header = FindSection(section)) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
                  m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
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
