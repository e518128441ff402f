#include "platform/base/TextCodec.h"

namespace orv {
namespace {
constexpr wchar_t kReplacement = 0xFFFD;

// Decodes one sequence at bytes[i]; returns the code point (or -1 when invalid) and
// advances i past the sequence.
long DecodeOne(std::string_view bytes, size_t& i) {
  unsigned char b0 = static_cast<unsigned char>(bytes[i++]);
  if (b0 < 0x80) return b0;
  int extra;
  long cp, min;
  if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; min = 0x80; }
  else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; min = 0x800; }
  else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; min = 0x10000; }
  else return -1;
  for (int k = 0; k < extra; ++k) {
    if (i >= bytes.size()) return -1;
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if ((b & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (b & 0x3F);
    ++i;
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  return cp;
}

constexpr unsigned long kEscapeBase = 0xDC00;  // a byte b that is not UTF-8: U+DC00 + b (b >= 0x80)

// Decodes UTF-8; an invalid byte becomes U+FFFD, or its escape when `escape` is set.
std::wstring Decode(std::string_view bytes, bool escape) {
  std::wstring out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    size_t start = i;
    long cp = DecodeOne(bytes, i);
    if (cp < 0) i = start + 1;  // resynchronise on the next byte
    if (cp >= 0) out += static_cast<wchar_t>(cp);
    else out += escape ? static_cast<wchar_t>(kEscapeBase + static_cast<unsigned char>(bytes[start])) : kReplacement;
  }
  return out;
}
}  // namespace

std::wstring DecodeUtf8(std::string_view bytes) { return Decode(bytes, false); }

std::wstring DecodePathBytes(std::string_view bytes) { return Decode(bytes, true); }

std::string EncodePathBytes(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t run = 0;  // start of the text not yet encoded
  for (std::size_t i = 0; i <= text.size(); ++i) {
    auto cp = i < text.size() ? static_cast<unsigned long>(text[i]) : 0;
    bool escaped = i < text.size() && cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF;
    if (!escaped && i < text.size()) continue;
    out += EncodeUtf8(text.substr(run, i - run));
    if (escaped) out += static_cast<char>(cp - kEscapeBase);
    run = i + 1;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();)
    if (DecodeOne(bytes, i) < 0) return false;
  return true;
}

std::string EncodeUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto cp = static_cast<unsigned long>(wc);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}
}  // namespace orv
