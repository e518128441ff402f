#include "platform/store/detail/RegFileData.h"

#include <cstring>
#include <string_view>

#include "platform/base/CString.h"
#include "platform/base/TextEncoding.h"
#include "platform/store/RegFile.h"

namespace orv::store {
namespace {
std::wstring WideUnits(const std::vector<BYTE>& data) {
  std::wstring text(data.size() / sizeof(wchar_t), L'\0');
  if (!text.empty()) std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
  return text;
}

// A REG_SZ that the quoted form can hold exactly: one terminator at the end, no other NUL,
// and nothing that would break the line.
bool QuotableString(const std::vector<BYTE>& data, std::wstring* text) {
  if (data.empty() || data.size() % sizeof(wchar_t) != 0) return false;
  *text = WideUnits(data);
  if (text->back() != L'\0') return false;
  text->pop_back();
  return text->find_first_of(std::wstring_view(L"\0\r\n", 3)) == std::wstring::npos;
}

void AppendHex(std::wstring& out, size_t& lineStart, const std::vector<BYTE>& bytes) {
  static constexpr wchar_t kDigits[] = L"0123456789abcdef";
  for (size_t i = 0; i < bytes.size(); ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
    if (i + 1 == bytes.size()) break;
    out += L',';
    // regedit keeps lines within 80 columns: "xx," and the continuing '\' must fit.
    if (out.size() - lineStart > 76) {
      out += L"\\\r\n  ";
      lineStart = out.size() - 2;
    }
  }
}
}  // namespace

bool IsStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_LINK || type == REG_MULTI_SZ;
}

std::vector<BYTE> WideDataToUtf16Le(const std::vector<BYTE>& data) {
  std::string bytes = EncodeText(WideUnits(data), TextEncoding::Utf16Le);
  return std::vector<BYTE>(bytes.begin(), bytes.end());
}

std::vector<BYTE> FileStringToWideData(const std::vector<BYTE>& bytes, bool ansi) {
  TextDecoder decoder(ansi ? TextEncoding::Cp932 : TextEncoding::Utf16Le);
  std::wstring text = decoder.Decode(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  std::vector<BYTE> data(text.size() * sizeof(wchar_t));
  if (!data.empty()) std::memcpy(data.data(), text.data(), data.size());
  return data;
}

std::vector<BYTE> WideStringData(const std::wstring& text) {
  std::vector<BYTE> data((text.size() + 1) * sizeof(wchar_t), 0);
  if (!text.empty()) std::memcpy(data.data(), text.data(), text.size() * sizeof(wchar_t));
  return data;
}
}  // namespace orv::store

namespace orv {
bool ParseRegistryPath(std::wstring_view path, HKEY* root, std::wstring* subKey) {
  size_t cut = path.find(L'\\');
  std::wstring_view name = path.substr(0, cut);
  struct Root {
    const wchar_t* full;
    const wchar_t* shortName;
    HKEY handle;
  } const roots[] = {{L"HKEY_CURRENT_USER", L"HKCU", HKEY_CURRENT_USER},
                     {L"HKEY_LOCAL_MACHINE", L"HKLM", HKEY_LOCAL_MACHINE}};
  for (const Root& r : roots) {
    if (orv::CompareNoCase(name, r.full) == 0 || orv::CompareNoCase(name, r.shortName) == 0) {
      *root = r.handle;
      subKey->assign(cut == std::wstring_view::npos ? std::wstring_view() : path.substr(cut + 1));
      return true;
    }
  }
  return false;
}

std::wstring RegistryRootName(HKEY root) {
  if (root == HKEY_CURRENT_USER) return L"HKEY_CURRENT_USER";
  if (root == HKEY_LOCAL_MACHINE) return L"HKEY_LOCAL_MACHINE";
  return std::wstring();
}

std::wstring FormatRegValue(const std::wstring& name, DWORD type, const std::vector<BYTE>& data) {
  auto quote = [](const std::wstring& text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
      if (c == L'\\' || c == L'"') out += L'\\';
      out += c;
    }
    return out + L"\"";
  };
  std::wstring line = name.empty() ? std::wstring(L"@") : quote(name);
  line += L'=';
  std::wstring text;
  if (type == REG_SZ && store::QuotableString(data, &text)) return line + quote(text);
  if (type == REG_DWORD && data.size() == 4) {
    DWORD value;
    std::memcpy(&value, data.data(), 4);
    CString hex;
    hex.Format(L"dword:%08x", value);
    return line + hex.GetString();
  }
  if (type == REG_BINARY) {
    line += L"hex:";
  } else {
    CString prefix;
    prefix.Format(L"hex(%x):", type);
    line += prefix.GetString();
  }
  size_t lineStart = 0;
  store::AppendHex(line, lineStart, store::IsStringType(type) ? store::WideDataToUtf16Le(data) : data);
  return line;
}

std::string EncodeRegFile(std::wstring_view text) {
  return std::string(ByteOrderMark(TextEncoding::Utf16Le)) + EncodeText(text, TextEncoding::Utf16Le);
}
}  // namespace orv
