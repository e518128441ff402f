// INI files: any bytes parse; an edit of one key changes that key only, and the file read
// again holds the new value and every other entry as before.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "platform/base/CString.h"
#include "platform/store/IniDocument.h"

using orv::ini::IniDocument;

namespace {
// The index-th element of a list, or the fallback when the list is shorter.
std::wstring Pick(const std::vector<std::wstring>& list, std::uint8_t index, const wchar_t* fallback) {
  return index < list.size() ? list[index] : std::wstring(fallback);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 3), size - 3);
  const IniDocument before = IniDocument::Parse(bytes);
  const std::vector<std::wstring> sections = before.SectionNames();
  const std::wstring section = Pick(sections, data[0], L"New Section");
  const std::wstring key = Pick(before.KeyNames(section).value_or(std::vector<std::wstring>{}), data[1], L"NewKey");
  const std::wstring value = data[2] & 1 ? L"\u661f value" : L"7";
  if (!IniDocument::IsWritableSection(section) || !IniDocument::IsWritableKey(key)) return 0;

  IniDocument edited = before;
  edited.SetValue(section, key, value);
  const std::string written = edited.Serialize();
  const IniDocument after = IniDocument::Parse(written);
  bool cp932Holds = true;
  orv::EncodeText(section + key + value, orv::TextEncoding::Cp932, &cp932Holds);
  // CP932 bytes that read the same as UTF-8 (ASCII) may detect as either.
  const bool sameInBoth = orv::TextDecoder(orv::TextEncoding::Utf8).Decode(written) ==
                          orv::TextDecoder(orv::TextEncoding::Cp932).Decode(written);
  FUZZ_CHECK(after.Encoding() == before.Encoding() ||
                 (before.Encoding() == orv::TextEncoding::Cp932 && after.Encoding() == orv::TextEncoding::Utf8 &&
                  (!cp932Holds || sameInBoth)),
             "the edit keeps the file's encoding (CP932 turns UTF-8 only for a character CP932 cannot hold)");
  FUZZ_CHECK(after.Value(section, key) == std::optional<std::wstring>(value), "the edited key reads back");
  for (const std::wstring& s : sections) {
    for (const std::wstring& k : before.KeyNames(s).value_or(std::vector<std::wstring>{})) {
      if (orv::CompareNoCase(s, section) == 0 && orv::CompareNoCase(k, key) == 0) continue;
      FUZZ_CHECK(after.Value(s, k) == before.Value(s, k), "an untouched entry keeps its value");
    }
  }
  return 0;
}
