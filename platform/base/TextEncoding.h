#pragma once
// Encodings of text files on disk. Files from the Windows application are UTF-16 with a
// byte-order mark, UTF-8, or CP932 (Japanese Windows "ANSI"); in memory every character is
// one wchar_t holding a Unicode code point.
//
// Damaged input never fails and never overruns: a byte or code unit that cannot be decoded
// (invalid UTF-8 after a UTF-8 mark, an unpaired surrogate, the odd last byte of UTF-16, a
// CP932 byte without a mapping) becomes U+FFFD. NUL bytes decode to U+0000 and are kept.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/Export.h"

namespace orv {

enum class TextEncoding {
  Utf8,     // no byte-order mark
  Utf8Bom,  // EF BB BF
  Utf16Le,  // FF FE
  Utf16Be,  // FE FF
  Cp932,    // no mark; chosen on reading when the bytes are not valid UTF-8
};

// The byte-order mark written at the start of a file in this encoding ("" for none).
ORV_API std::string_view ByteOrderMark(TextEncoding encoding);
// The encoding named by a byte-order mark at the start of bytes, if there is one.
ORV_API std::optional<TextEncoding> EncodingFromMark(std::string_view bytes);
// How a whole file's bytes are to be read: its mark, else UTF-8 when the bytes are valid
// UTF-8, else CP932.
ORV_API TextEncoding DetectEncoding(std::string_view bytes);
// 2 for UTF-16, 1 for the byte encodings.
ORV_API std::size_t CodeUnitSize(TextEncoding encoding);

// Incremental check of UTF-8 validity over a file read in pieces.
class ORV_API Utf8Validator {
public:
  void Feed(std::string_view bytes);
  // False as soon as the bytes so far cannot be valid UTF-8, whatever follows.
  bool Valid() const { return valid_; }
  // Whether everything fed, taken as a whole, is valid UTF-8.
  bool Finish() const { return valid_ && pending_.empty(); }

private:
  std::string pending_;  // an incomplete sequence at the end of the last piece
  bool valid_ = true;
};

// Decodes text without a mark (a mark still present decodes as U+FEFF). Holds the converter
// that CP932 needs, so a reader decoding many lines makes one.
class ORV_API TextDecoder {
public:
  explicit TextDecoder(TextEncoding encoding);
  ~TextDecoder();
  TextDecoder(const TextDecoder&) = delete;
  TextDecoder& operator=(const TextDecoder&) = delete;
  std::wstring Decode(std::string_view bytes);

private:
  TextEncoding encoding_;
  void* iconv_ = nullptr;  // CP932 converter, made on first use
};

// Encodes text without a mark. Characters the encoding cannot hold (only CP932 has such;
// for the Unicode encodings: surrogate code points and values beyond U+10FFFF) are written
// as "?" in CP932 and U+FFFD otherwise, and make *lossless false.
ORV_API std::string EncodeText(std::wstring_view text, TextEncoding encoding, bool* lossless = nullptr);

// Where the line that starts at `from` ends: its content stops at contentEnd, the next line
// starts at next (after LF, CR LF or CR; in UTF-16, after those code units). Without a
// terminator the line runs to the end of bytes. Returns nothing when the answer depends on
// bytes not yet read (no terminator, or a CR as the last unit) unless atEnd says there are
// none; also nothing when from is the end of bytes. Units are counted from `from`.
struct LineEnd {
  std::size_t contentEnd;
  std::size_t next;
};
ORV_API std::optional<LineEnd> FindLineEnd(std::string_view bytes, std::size_t from, TextEncoding encoding,
                                            bool atEnd);

}  // namespace orv
