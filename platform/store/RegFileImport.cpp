// Importing .reg files: the whole text is parsed into operations first, so that a file
// with an error changes nothing; then the operations go through the registry calls.
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/CString.h"
#include "platform/base/TextEncoding.h"
#include "platform/store/RegFile.h"
#include "platform/store/detail/RegFileData.h"
#include "platform/store/detail/RegistryNames.h"

namespace orv {
namespace {
struct Operation {
  enum Kind { OpenKey, DeleteKey, SetValue, DeleteValue };
  Operation(Kind k, int l) : kind(k), line(l) {}
  Kind kind;
  int line;
  HKEY root = nullptr;
  std::wstring path;  // keys
  std::wstring name;  // values
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

struct ParseError {
  int line;
  std::wstring message;
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::wstring_view s, std::wstring_view prefix) {
  return s.size() >= prefix.size() && orv::CompareNoCase(s.substr(0, prefix.size()), prefix) == 0;
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Up to maxDigits hex digits, all of s.
std::optional<DWORD> ParseHexNumber(std::wstring_view s, size_t maxDigits) {
  if (s.empty() || s.size() > maxDigits) return std::nullopt;
  DWORD value = 0;
  for (wchar_t c : s) {
    int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = (value << 4) | static_cast<DWORD>(d);
  }
  return value;
}

// Views into `text`, which outlives the parse.
std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != L'\n' && text[i] != L'\r') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (i < text.size() && text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  return lines;
}

class Parser {
public:
  explicit Parser(std::wstring_view text) : lines_(SplitLines(text)) {}

  std::optional<ParseError> Parse(std::vector<Operation>* ops) {
    if (!lines_.empty() && !lines_[0].empty() && lines_[0][0] == 0xFEFF) lines_[0].remove_prefix(1);
    bool header = false;
    bool keyDeleted = false;
    bool inKey = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
      line_ = static_cast<int>(i) + 1;
      std::wstring_view line = Trim(lines_[i]);
      if (line.empty() || line[0] == L';') continue;
      if (!header) {
        if (line == L"Windows Registry Editor Version 5.00") {
          ansi_ = false;
        } else if (line == L"REGEDIT4") {
          ansi_ = true;
        } else {
          return Error(L"not a registry file: the first line must be \"Windows Registry Editor Version 5.00\"");
        }
        header = true;
        continue;
      }
      if (line[0] == L'[') {
        Operation op{Operation::OpenKey, line_};
        if (line.back() != L']') return Error(L"a key line must end with ']'");
        std::wstring_view inside = line.substr(1, line.size() - 2);
        keyDeleted = !inside.empty() && inside[0] == L'-';
        if (keyDeleted) {
          op.kind = Operation::DeleteKey;
          inside.remove_prefix(1);
        }
        if (!ParseRegistryPath(inside, &op.root, &op.path))
          return Error(L"unknown root key (HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE)");
        if (auto error = CheckKeyPath(op)) return error;
        ops->push_back(std::move(op));
        inKey = true;
        continue;
      }
      if (line[0] == L'"' || line[0] == L'@') {
        if (!inKey) return Error(L"a value before any key");
        if (keyDeleted) return Error(L"a value under a key that is being deleted");
        std::wstring logical(line);
        // Hex data goes on over lines that end with '\'.
        while (!logical.empty() && logical.back() == L'\\' && IsHexData(logical) && i + 1 < lines_.size()) {
          logical.pop_back();
          logical += Trim(lines_[++i]);
        }
        Operation op{Operation::SetValue, line_};
        if (auto error = ParseValue(logical, &op)) return error;
        ops->push_back(std::move(op));
        continue;
      }
      return Error(L"not understood");
    }
    if (!header) return ParseError{1, L"not a registry file: it is empty"};
    return std::nullopt;
  }

private:
  ParseError Error(std::wstring message) const { return ParseError{line_, std::move(message)}; }

  // Refuses, before anything is applied, a path that the store would cut short or refuse.
  std::optional<ParseError> CheckKeyPath(const Operation& op) const {
    if (!store::IsStorableName(op.path))
      return Error(L"the key path holds a character that a key name cannot hold (NUL, a line break or a lone "
                   L"surrogate)");
    LSTATUS st = store::CheckKeyPath(op.path.c_str());
    if (st == ERROR_BAD_PATHNAME) return Error(L"the key path has an empty key name");
    if (st != ERROR_SUCCESS) return Error(L"a key name is longer than 255 characters");
    bool namesNoKey = op.path.find_first_not_of(L'\\') == std::wstring::npos;
    if (namesNoKey && op.kind == Operation::DeleteKey) return Error(L"a root key is never deleted");
    return std::nullopt;
  }

  // Whether the data after the '=' of a value line is hex (only hex data continues).
  static bool IsHexData(const std::wstring& line) {
    size_t close = line[0] == L'@' ? 0 : ClosingQuote(line, 1);
    if (close == std::wstring::npos) return false;
    size_t eq = line.find(L'=', close + 1);
    return eq != std::wstring::npos && StartsWithNoCase(Trim(std::wstring_view(line).substr(eq + 1)), L"hex");
  }

  // Index of the quote that ends a quoted string starting at `from` (after its opening quote).
  static size_t ClosingQuote(std::wstring_view s, size_t from) {
    for (size_t i = from; i < s.size(); ++i) {
      if (s[i] == L'\\' && i + 1 < s.size()) {
        ++i;
      } else if (s[i] == L'"') {
        return i;
      }
    }
    return std::wstring::npos;
  }

  // The text of a quoted string; "\\" and "\"" are escapes, any other backslash stays.
  static std::wstring Unquote(std::wstring_view s) {
    std::wstring out;
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == L'\\' && i + 1 < s.size() && (s[i + 1] == L'\\' || s[i + 1] == L'"')) ++i;
      out += s[i];
    }
    return out;
  }

  std::optional<ParseError> ParseValue(std::wstring_view line, Operation* op) {
    size_t pos;
    if (line[0] == L'@') {
      pos = 1;
    } else {
      size_t close = ClosingQuote(line, 1);
      if (close == std::wstring::npos) return Error(L"the value name has no closing quote");
      op->name = Unquote(line.substr(1, close - 1));
      if (op->name.size() > ORV_REG_MAX_VALUE_NAME) return Error(L"the value name is too long");
      if (!store::IsStorableName(op->name))
        return Error(L"the value name holds a character that a value name cannot hold (NUL, a line break or a "
                     L"lone surrogate)");
      pos = close + 1;
    }
    std::wstring_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest[0] != L'=') return Error(L"'=' expected after the value name");
    std::wstring_view data = Trim(rest.substr(1));
    if (data == L"-") {
      op->kind = Operation::DeleteValue;
      return std::nullopt;
    }
    if (!data.empty() && data[0] == L'"') {
      size_t close = ClosingQuote(data, 1);
      if (close == std::wstring::npos) return Error(L"the string has no closing quote");
      std::wstring_view after = Trim(data.substr(close + 1));
      if (!after.empty() && after[0] != L';') return Error(L"text after the string");
      op->type = REG_SZ;
      op->data = store::WideStringData(Unquote(data.substr(1, close - 1)));
      return std::nullopt;
    }
    if (StartsWithNoCase(data, L"dword:")) {
      std::optional<DWORD> value = ParseHexNumber(Trim(data.substr(6)), 8);
      if (!value) return Error(L"dword: needs 1 to 8 hex digits");
      op->type = REG_DWORD;
      op->data.resize(4);
      std::memcpy(op->data.data(), &*value, 4);
      return std::nullopt;
    }
    if (StartsWithNoCase(data, L"hex")) return ParseHex(data.substr(3), op);
    return Error(L"unknown value data (a string, dword:, hex: or hex(type): expected)");
  }

  std::optional<ParseError> ParseHex(std::wstring_view s, Operation* op) {
    op->type = REG_BINARY;
    if (!s.empty() && s[0] == L'(') {
      size_t close = s.find(L')');
      std::optional<DWORD> type =
          close == std::wstring_view::npos ? std::nullopt : ParseHexNumber(Trim(s.substr(1, close - 1)), 8);
      if (!type) return Error(L"hex( needs a type number in hex and ')'");
      op->type = *type;
      s.remove_prefix(close + 1);
    }
    s = Trim(s);
    if (s.empty() || s[0] != L':') return Error(L"':' expected after hex");
    s = Trim(s.substr(1));
    std::vector<BYTE> bytes;
    while (!s.empty()) {
      size_t comma = s.find(L',');
      std::optional<DWORD> byte = ParseHexNumber(Trim(s.substr(0, comma)), 2);
      if (!byte) return Error(L"hex data must be bytes of two hex digits separated by commas");
      bytes.push_back(static_cast<BYTE>(*byte));
      if (comma == std::wstring_view::npos) break;
      s = Trim(s.substr(comma + 1));
    }
    if ((op->type == REG_DWORD || op->type == REG_DWORD_BIG_ENDIAN) && bytes.size() != 4)
      return Error(L"a dword value needs 4 bytes");
    if (op->type == REG_QWORD && bytes.size() != 8) return Error(L"a qword value needs 8 bytes");
    op->data = store::IsStringType(op->type) ? store::FileStringToWideData(bytes, ansi_) : std::move(bytes);
    return std::nullopt;
  }

  std::vector<std::wstring_view> lines_;
  int line_ = 0;
  bool ansi_ = false;
};

// The part of op's path below the key that `open` made, or null when op's key is not below
// it. A path whose rest begins with a backslash stays whole, as a handle refuses that form.
const wchar_t* SubkeyOf(const Operation* open, const Operation& op) {
  if (open == nullptr || open->root != op.root || open->path.empty()) return nullptr;
  std::wstring_view path(op.path);
  std::size_t cut = open->path.size();
  if (path.size() <= cut + 1 || path.compare(0, cut, open->path) != 0 || path[cut] != L'\\' ||
      path[cut + 1] == L'\\')
    return nullptr;
  return op.path.c_str() + cut + 1;
}

// Runs the operations; stops at the first failure of the store. The caller makes them one
// transaction, which also keeps the import of many keys fast.
RegImportReport Apply(const std::vector<Operation>& ops) {
  RegImportReport report;
  HKEY key = nullptr;
  const Operation* open = nullptr;  // the key line that made `key`
  auto fail = [&](const Operation& op, LSTATUS st, const wchar_t* what) {
    report.status = st;
    report.line = op.line;
    report.message = std::wstring(what) + L" failed: " + Utf8ToWide(RegistryErrorText(st));
  };
  for (const Operation& op : ops) {
    LSTATUS st = ERROR_SUCCESS;
    switch (op.kind) {
      case Operation::OpenKey: {
        // Files list a key before its subkeys: a subkey of the open key is made from it, so
        // that a deep tree costs a step per key, not a walk from the root per key.
        const wchar_t* relative = SubkeyOf(open, op);
        HKEY next = nullptr;
        st = RegCreateKeyExW(relative != nullptr ? key : op.root, relative != nullptr ? relative : op.path.c_str(), 0,
                             nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &next, nullptr);
        if (key != nullptr) RegCloseKey(key);
        key = next;
        open = st == ERROR_SUCCESS ? &op : nullptr;
        if (st != ERROR_SUCCESS) fail(op, st, L"creating the key");
        ++report.keys;
        break;
      }
      case Operation::DeleteKey:
        if (key != nullptr) RegCloseKey(key);
        key = nullptr;
        open = nullptr;
        st = SHDeleteKeyW(op.root, op.path.c_str());
        if (st == ERROR_FILE_NOT_FOUND) st = ERROR_SUCCESS;  // already gone
        if (st != ERROR_SUCCESS) fail(op, st, L"deleting the key");
        ++report.keys;
        break;
      case Operation::SetValue:
        st = RegSetValueExW(key, op.name.c_str(), 0, op.type, op.data.data(), static_cast<DWORD>(op.data.size()));
        if (st != ERROR_SUCCESS) fail(op, st, L"setting the value");
        ++report.values;
        break;
      case Operation::DeleteValue:
        st = RegDeleteValueW(key, op.name.c_str());
        if (st == ERROR_FILE_NOT_FOUND) st = ERROR_SUCCESS;
        if (st != ERROR_SUCCESS) fail(op, st, L"deleting the value");
        ++report.values;
        break;
    }
    if (st != ERROR_SUCCESS) break;
  }
  if (key != nullptr) RegCloseKey(key);
  return report;
}
}  // namespace

RegImportReport ImportRegText(std::wstring_view text) {
  std::vector<Operation> ops;
  if (std::optional<ParseError> error = Parser(text).Parse(&ops)) {
    RegImportReport report;
    report.status = ERROR_INVALID_DATA;
    report.line = error->line;
    report.message = error->message;
    return report;
  }
  // All of the file or nothing: a failure of the store part-way rolls back what came before.
  RegImportReport report;
  LSTATUS st = RunRegistryTransaction([&]() {
    report = Apply(ops);
    return report.status;
  });
  if (st != ERROR_SUCCESS && report.status == ERROR_SUCCESS) {
    report = RegImportReport{st, 0, L"saving the changes failed: " + Utf8ToWide(RegistryErrorText(st))};
  }
  if (report.status != ERROR_SUCCESS) report.keys = report.values = 0;
  return report;
}

RegImportReport ImportRegBytes(std::string_view bytes) {
  TextEncoding encoding = DetectEncoding(bytes);
  bytes.remove_prefix(ByteOrderMark(encoding).size());
  return ImportRegText(TextDecoder(encoding).Decode(bytes));
}
}  // namespace orv
