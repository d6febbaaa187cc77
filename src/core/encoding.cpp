#include "core/encoding.h"

#include "core/text.h"

namespace pathorama::core {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

unsigned char Byte(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string out;
  out.reserve(bytes.size() / 2 + 1);
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    unsigned hi = bigEndian ? Byte(bytes, i) : Byte(bytes, i + 1);
    unsigned lo = bigEndian ? Byte(bytes, i + 1) : Byte(bytes, i);
    out.push_back(static_cast<char16_t>((hi << 8) | lo));
  }
  if (i < bytes.size()) out.push_back(kReplacement);  // half a code unit
  if (!out.empty() && out[0] == 0xFEFF) out.erase(0, 1);
  return out;
}

}  // namespace

const char16_t* TextEncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Ansi: return u"ANSI";
    case TextEncoding::Utf16LE: return u"UTF-16LE";
    case TextEncoding::Utf8: return u"UTF-8";
    case TextEncoding::Utf16BE: return u"UTF-16BE";
  }
  return u"?";
}

bool LooksLikeUtf8(std::string_view bytes) {
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    unsigned char b = Byte(bytes, i);
    size_t follow;
    if (b == 0) return false;  // UTF-16 text, never UTF-8 (see DetectTextEncoding)
    if (b < 0x80) follow = 0;
    else if (b < 0xC0) return false;  // continuation byte in lead position
    else if (b < 0xE0) follow = 1;
    else if (b < 0xF0) follow = 2;
    else if (b <= 0xF4) follow = 3;
    else return false;
    if (follow > n - i - 1) return false;  // cut off by the end of the file
    for (size_t k = 1; k <= follow; ++k)
      if ((Byte(bytes, i + k) & 0xC0) != 0x80) return false;
    if (follow == 3) {
      // Only code points U+10000..U+10FFFF: F0 needs 90..BF, F4 needs 80..8F.
      unsigned char second = Byte(bytes, i + 1);
      if ((b == 0xF0 && second < 0x90) || (b == 0xF4 && second > 0x8F)) return false;
    }
    i += follow + 1;
  }
  return true;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (StartsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16LE;
  if (StartsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16BE;
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8;
  if (LooksLikeUtf8(bytes)) return TextEncoding::Utf8;
  if (bytes.size() % 2 != 0) return TextEncoding::Ansi;
  // The zero bytes of UTF-16 are the high bytes of ASCII characters: at odd
  // offsets in little-endian order, at even ones in big-endian order. An INI
  // file is mostly ASCII ("[", "=", "menu1", line ends), so the side with
  // more zero bytes gives the order, whatever character comes first.
  size_t evenZeros = 0, oddZeros = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\0') ++(i % 2 == 0 ? evenZeros : oddZeros);
  if (evenZeros == 0 && oddZeros == 0) return TextEncoding::Ansi;
  return evenZeros > oddZeros ? TextEncoding::Utf16BE : TextEncoding::Utf16LE;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding, unsigned ansiCodePage) {
  switch (encoding) {
    case TextEncoding::Utf16LE: return DecodeUtf16(bytes, false);
    case TextEncoding::Utf16BE: return DecodeUtf16(bytes, true);
    case TextEncoding::Utf8:
      if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
      return Utf8ToUtf16(bytes);
    case TextEncoding::Ansi: break;
  }
  return DecodeAnsi(bytes, ansiCodePage);
}

}  // namespace pathorama::core
