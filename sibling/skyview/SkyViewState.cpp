// The control's state file: UTF-8 text, one setting a line in the control's own language
// ("key = current; Default key = default"), plus the picture file and the redraw count:
//   # sky view state
//   @picture .\constellation\CnsPic\CnsPic.lst
//   @redraws 3
//   Star.Name.Size = 14; Default Star.Name.Size = 14
// The picture path is stored with "%", CR and LF escaped as %25, %0D and %0A.
#include <optional>
#include <sstream>
#include <string>

#include "platform/base/AtomicFile.h"
#include "platform/base/RegularFile.h"
#include "platform/base/TextCodec.h"
#include "sibling/skyview/SkyViewControl.h"

namespace {

constexpr std::wstring_view kPictureTag = L"@picture ";
constexpr std::wstring_view kRedrawsTag = L"@redraws ";
constexpr std::size_t kMaxStateBytes = 64 << 20;  // far above any real state; refuses junk

std::wstring Escape(const std::wstring& text) {
  std::wstring out;
  for (wchar_t ch : text) {
    if (ch == L'%') out += L"%25";
    else if (ch == L'\r') out += L"%0D";
    else if (ch == L'\n') out += L"%0A";
    else out += ch;
  }
  return out;
}

int HexDigit(wchar_t ch) {
  if (ch >= L'0' && ch <= L'9') return ch - L'0';
  if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
  if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
  return -1;
}

std::wstring Unescape(std::wstring_view text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out += static_cast<wchar_t>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::optional<int> ParseCount(std::wstring_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (wchar_t ch : text) {
    if (ch < L'0' || ch > L'9') return std::nullopt;
    value = value * 10 + (ch - L'0');
  }
  return value;
}

}  // namespace

BOOL CSkyViewControl::SaveState(const CString& path) const {
  std::wstring text = L"# sky view state\n";
  text += kPictureTag;
  text += Escape(m_strPictureFile.str()) + L"\n";
  text += kRedrawsTag;
  text += std::to_wstring(m_nRedraws) + L"\n";
  for (const Setting& s : m_settings) {
    orv::SkyValue current{s.key.byDefault.kind, s.current};
    orv::SkyValue byDefault{s.key.byDefault.kind, s.byDefault};
    text += s.key.name.str() + L" = " + orv::FormatSkyValue(current).str() + L"; Default " + s.key.name.str() +
            L" = " + orv::FormatSkyValue(byDefault).str() + L"\n";
  }
  // Replaced as a whole: a crash leaves the old state or the new one, never half of one.
  return orv::ReplaceFileAtomically(orv::NativePath(path.str()), orv::EncodeUtf8(text)) ? TRUE : FALSE;
}

BOOL CSkyViewControl::LoadState(const CString& path) {
  std::string bytes;
  if (!orv::ReadRegularFile(orv::NativePath(path.str()), &bytes, kMaxStateBytes)) return FALSE;

  std::wistringstream lines(orv::DecodeUtf8(bytes));
  std::wstring line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    std::wstring_view view(line);
    if (view.starts_with(kPictureTag)) {
      m_strPictureFile = CString(Unescape(view.substr(kPictureTag.size())));
    } else if (view.starts_with(kRedrawsTag)) {
      if (auto count = ParseCount(view.substr(kRedrawsTag.size()))) m_nRedraws = *count;
    } else {
      orv::SkyText text = orv::ParseSkyText(view);
      if (text.type != orv::SkyText::Type::Settings) continue;
      CString ignored;
      Apply(text, ignored);  // a key this control does not know is left out
    }
  }
  return TRUE;
}
