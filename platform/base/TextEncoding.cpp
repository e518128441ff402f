#include "platform/base/TextEncoding.h"

#include <cerrno>
#include <iconv.h>

#include "platform/base/TextCodec.h"

namespace orv {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;
const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

bool IsUtf16(TextEncoding e) { return e == TextEncoding::Utf16Le || e == TextEncoding::Utf16Be; }

// Length a UTF-8 sequence announces by its first byte (1 for ASCII and for invalid bytes).
std::size_t SequenceLength(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring out;
  out.reserve(bytes.size() / 2 + 1);
  auto unitAt = [&](std::size_t i) {
    auto b0 = static_cast<unsigned char>(bytes[i]), b1 = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? static_cast<unsigned>(b0 << 8 | b1) : static_cast<unsigned>(b1 << 8 | b0);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    unsigned u = unitAt(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      unsigned low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        out += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    out += (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : static_cast<wchar_t>(u);
  }
  if (i < bytes.size()) out += kReplacement;  // the odd last byte
  return out;
}

void AppendUtf16(std::string& out, wchar_t c, bool bigEndian, bool& lossless) {
  auto cp = static_cast<unsigned long>(c);
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    cp = kReplacement;
    lossless = false;
  }
  auto unit = [&](unsigned long u) {
    char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (cp >= 0x10000) {
    cp -= 0x10000;
    unit(0xD800 + (cp >> 10));
    unit(0xDC00 + (cp & 0x3FF));
  } else {
    unit(cp);
  }
}

// Runs iconv over the whole input, replacing what it cannot convert.
template <typename In, typename Out>
void Convert(iconv_t cd, const In* in, std::size_t inCount, std::basic_string<Out>& out, Out replacement,
             bool& lossless) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* src = reinterpret_cast<char*>(const_cast<In*>(in));
  std::size_t srcLeft = inCount * sizeof(In);
  Out chunk[256];
  while (srcLeft > 0) {
    char* dst = reinterpret_cast<char*>(chunk);
    std::size_t dstLeft = sizeof(chunk);
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(chunk, static_cast<std::size_t>(reinterpret_cast<Out*>(dst) - chunk));
    if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ: a unit without a mapping; EINVAL: an incomplete sequence at the end.
    out += replacement;
    lossless = false;
    if (errno == EINVAL) break;
    src += sizeof(In);
    srcLeft -= sizeof(In);
  }
}

}  // namespace

std::string_view ByteOrderMark(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case TextEncoding::Utf16Le: return "\xFF\xFE";
    case TextEncoding::Utf16Be: return "\xFE\xFF";
    default: return {};
  }
}

std::optional<TextEncoding> EncodingFromMark(std::string_view bytes) {
  for (TextEncoding e : {TextEncoding::Utf8Bom, TextEncoding::Utf16Le, TextEncoding::Utf16Be})
    if (bytes.substr(0, ByteOrderMark(e).size()) == ByteOrderMark(e)) return e;
  return std::nullopt;
}

TextEncoding DetectEncoding(std::string_view bytes) {
  if (auto marked = EncodingFromMark(bytes)) return *marked;
  return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::size_t CodeUnitSize(TextEncoding encoding) { return IsUtf16(encoding) ? 2 : 1; }

void Utf8Validator::Feed(std::string_view bytes) {
  if (!valid_ || bytes.empty()) return;
  std::string data = pending_;
  data.append(bytes);
  // Hold back a sequence that the next piece may complete; check the rest now.
  std::size_t lead = data.size();
  while (lead > 0 && (static_cast<unsigned char>(data[lead - 1]) & 0xC0) == 0x80 && data.size() - lead < 3) --lead;
  std::size_t split = data.size();
  if (lead > 0) {
    std::size_t start = lead - 1;
    if (start + SequenceLength(static_cast<unsigned char>(data[start])) > data.size()) split = start;
  }
  valid_ = IsValidUtf8(std::string_view(data).substr(0, split));
  pending_ = data.substr(split);
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

TextDecoder::~TextDecoder() {
  if (iconv_ != nullptr) iconv_close(static_cast<iconv_t>(iconv_));
}

std::wstring TextDecoder::Decode(std::string_view bytes) {
  switch (encoding_) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom: return DecodeUtf8(bytes);
    case TextEncoding::Utf16Le: return DecodeUtf16(bytes, false);
    case TextEncoding::Utf16Be: return DecodeUtf16(bytes, true);
    case TextEncoding::Cp932: break;
  }
  if (iconv_ == nullptr) {
    iconv_t cd = iconv_open("WCHAR_T", "CP932");
    if (cd == kNoIconv) {
      // Without the converter only ASCII can be read; the rest is marked, never guessed.
      std::wstring out;
      for (char c : bytes) out += static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : kReplacement;
      return out;
    }
    iconv_ = cd;
  }
  std::wstring out;
  bool lossless = true;
  Convert(static_cast<iconv_t>(iconv_), bytes.data(), bytes.size(), out, kReplacement, lossless);
  return out;
}

std::string EncodeText(std::wstring_view text, TextEncoding encoding, bool* lossless) {
  bool exact = true;
  std::string out;
  switch (encoding) {
    case TextEncoding::Utf8:
    case TextEncoding::Utf8Bom:
      for (wchar_t c : text)
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) exact = false;
      out = EncodeUtf8(text);
      break;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      out.reserve(text.size() * 2);
      for (wchar_t c : text) AppendUtf16(out, c, encoding == TextEncoding::Utf16Be, exact);
      break;
    case TextEncoding::Cp932: {
      iconv_t cd = iconv_open("CP932", "WCHAR_T");
      if (cd == kNoIconv) {
        for (wchar_t c : text) {
          exact = exact && c < 0x80;
          out += c < 0x80 ? static_cast<char>(c) : '?';
        }
        break;
      }
      Convert(cd, text.data(), text.size(), out, '?', exact);
      iconv_close(cd);
      break;
    }
  }
  if (lossless != nullptr) *lossless = exact;
  return out;
}

std::optional<LineEnd> FindLineEnd(std::string_view bytes, std::size_t from, TextEncoding encoding, bool atEnd) {
  if (from >= bytes.size()) return std::nullopt;
  if (!IsUtf16(encoding)) {
    std::size_t at = bytes.find_first_of("\r\n", from);
    if (at == std::string_view::npos) {
      if (!atEnd) return std::nullopt;
      return LineEnd{bytes.size(), bytes.size()};
    }
    if (bytes[at] == '\n') return LineEnd{at, at + 1};
    if (at + 1 < bytes.size()) return LineEnd{at, at + (bytes[at + 1] == '\n' ? 2 : 1)};
    if (!atEnd) return std::nullopt;
    return LineEnd{at, at + 1};
  }
  const bool be = encoding == TextEncoding::Utf16Be;
  auto isUnit = [&](std::size_t i, char c) {
    return be ? bytes[i] == '\0' && bytes[i + 1] == c : bytes[i] == c && bytes[i + 1] == '\0';
  };
  std::size_t i = from;
  for (; i + 1 < bytes.size(); i += 2) {
    if (isUnit(i, '\n')) return LineEnd{i, i + 2};
    if (!isUnit(i, '\r')) continue;
    if (i + 3 < bytes.size()) return LineEnd{i, i + (isUnit(i + 2, '\n') ? 4 : 2)};
    if (!atEnd) return std::nullopt;
    return LineEnd{i, i + 2};
  }
  if (!atEnd) return std::nullopt;
  return LineEnd{bytes.size(), bytes.size()};
}

}  // namespace orv
