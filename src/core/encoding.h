// Text encodings of files the program reads: detection of an INI file's
// encoding and conversion of its bytes to UTF-16; UTF-16 to a code page.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::core {

// "ANSI" is the system code page (GBK, code page 936, on a Chinese system).
enum class TextEncoding { Ansi, Utf16LE, Utf8, Utf16BE };

const char16_t* TextEncodingName(TextEncoding encoding);  // "ANSI", "UTF-16LE", ...

// Decides the encoding of a file's whole contents:
//  1. a byte-order mark: FF FE is UTF-16LE, FE FF UTF-16BE, EF BB BF UTF-8;
//  2. else bytes that pass the UTF-8 scan below are UTF-8 (so an empty or
//     pure ASCII file is UTF-8);
//  3. else an odd length or no zero byte: ANSI; otherwise UTF-16, big-endian
//     when more zero bytes stand at even offsets than at odd ones,
//     little-endian otherwise.
// The UTF-8 scan accepts one-, two- and three-byte sequences and well-formed
// four-byte sequences (F0-F4 and three continuation bytes), so a caption with
// an emoji does not send a UTF-8 file through the code page conversion and
// garble every other caption in it. It refuses a zero byte: a settings file
// never holds one, while UTF-16 without byte-order mark is full of them (read
// as UTF-8 it would come out as text the INI reader finds nothing in).
TextEncoding DetectTextEncoding(std::string_view bytes);

// True when `bytes` pass the UTF-8 scan of DetectTextEncoding (no zero byte).
bool LooksLikeUtf8(std::string_view bytes);

// Converts a file's bytes in `encoding` to UTF-16, dropping a leading
// byte-order mark. Never fails: a malformed sequence becomes U+FFFD, an odd
// trailing byte of UTF-16 becomes U+FFFD, and UTF-16's lone surrogates are
// kept as they are (Utf16ToUtf8 turns them into U+FFFD). `ansiCodePage` is
// used for TextEncoding::Ansi only.
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding, unsigned ansiCodePage);

// Bytes in a code page to UTF-16: MultiByteToWideChar on Windows, iconv
// ("CP<n>") elsewhere. A byte sequence the code page does not know becomes
// U+FFFD; an unknown code page is read as Latin-1 so the result is defined.
std::u16string DecodeAnsi(std::string_view bytes, unsigned codePage);

// UTF-16 to bytes in a code page: WideCharToMultiByte without best-fit
// mappings on Windows, iconv ("CP<n>") elsewhere. A character the code page
// cannot hold becomes one "?" (a surrogate pair is one character; an
// unpaired surrogate is one too), so no look-alike stands in for it. An
// unknown code page gives Latin-1, "?" above U+00FF.
std::string EncodeAnsi(std::u16string_view text, unsigned codePage);

// The system code page: GetACP() on Windows. Elsewhere the code page Windows
// would use for the locale in LC_ALL, LC_CTYPE or LANG (zh_CN gives 936),
// 1252 when none is set or known.
unsigned SystemAnsiCodePage();

}  // namespace pathorama::core
