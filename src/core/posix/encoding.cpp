// iconv stands in for the Windows code page conversion outside Windows.
#include "core/encoding.h"
#include "core/text.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace pathorama::core {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::u16string Latin1(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
  return out;
}

iconv_t OpenConverter(unsigned codePage) {
  std::string name = codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open("UTF-16LE", name.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1))
    cd = iconv_open("UTF-16LE", ("WINDOWS-" + std::to_string(codePage)).c_str());
  return cd;
}

}  // namespace

std::u16string DecodeAnsi(std::string_view bytes, unsigned codePage) {
  iconv_t cd = OpenConverter(codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) return Latin1(bytes);

  std::u16string out;
  out.reserve(bytes.size());
  char buffer[16384];
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  auto flush = [&](char* end) {
    for (char* p = buffer; p + 1 < end; p += 2)
      out.push_back(static_cast<char16_t>(static_cast<unsigned char>(p[0]) |
                                          (static_cast<unsigned char>(p[1]) << 8)));
  };
  // iconv is fed in slices: an error restarts the call, and a call over
  // the whole rest of a large file per bad byte would make a garbage file
  // take quadratic time (the sanitizers check the whole input on each call).
  constexpr size_t kSlice = 1024;
  while (inLeft > 0) {
    const bool last = inLeft <= kSlice;
    size_t sliceLeft = last ? inLeft : kSlice;
    const size_t slice = sliceLeft;
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd, &in, &sliceLeft, &outPtr, &outLeft);
    int error = rc == static_cast<size_t>(-1) ? errno : 0;
    inLeft -= slice - sliceLeft;
    flush(outPtr);
    if (error == 0 || error == E2BIG) continue;
    // A sequence cut by the slice end goes on in the next slice.
    if (error == EINVAL && !last) continue;
    // A byte the code page does not know (EILSEQ) or a sequence cut off by
    // the end of the text (EINVAL): one replacement character, then go on
    // after it.
    out.push_back(kReplacement);
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

std::string EncodeAnsi(std::u16string_view text, unsigned codePage) {
  std::string name = codePage == 65001 ? "UTF-8" : "CP" + std::to_string(codePage);
  iconv_t cd = iconv_open(name.c_str(), "UTF-16LE");
  if (cd == reinterpret_cast<iconv_t>(-1))
    cd = iconv_open(("WINDOWS-" + std::to_string(codePage)).c_str(), "UTF-16LE");
  std::string out;
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (size_t i = 0; i < text.size(); i += CodePointLength(text, i))
      out.push_back(text[i] <= 0xFF ? static_cast<char>(text[i]) : '?');
    return out;
  }
  // One code point per call: a character the code page cannot hold (or an
  // unpaired surrogate) is then exactly one "?", and a caption is short.
  for (size_t i = 0; i < text.size();) {
    size_t units = CodePointLength(text, i);
    char in[4];
    for (size_t k = 0; k < units; ++k) {
      in[2 * k] = static_cast<char>(text[i + k] & 0xFF);
      in[2 * k + 1] = static_cast<char>(text[i + k] >> 8);
    }
    char buffer[16];
    char* inPtr = in;
    size_t inLeft = 2 * units;
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    // A count above zero is a substitution made without asking: also "?".
    if (rc != 0 || inLeft != 0) {
      out.push_back('?');
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else {
      out.append(buffer, outPtr);
    }
    i += units;
  }
  iconv_close(cd);
  return out;
}

unsigned SystemAnsiCodePage() {
  const char* locale = nullptr;
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) {
      locale = value;
      break;
    }
  }
  if (!locale) return 1252;
  struct Mapping {
    const char* prefix;
    unsigned codePage;
  };
  static const Mapping kMappings[] = {
      {"zh_CN", 936}, {"zh_SG", 936}, {"zh_TW", 950}, {"zh_HK", 950}, {"ja", 932},  {"ko", 949},
      {"ru", 1251},   {"uk", 1251},   {"be", 1251},   {"bg", 1251},   {"pl", 1250}, {"cs", 1250},
      {"hu", 1250},   {"sk", 1250},   {"sl", 1250},   {"hr", 1250},   {"ro", 1250}, {"el", 1253},
      {"tr", 1254},   {"he", 1255},   {"ar", 1256},   {"th", 874},    {"vi", 1258},
  };
  for (const Mapping& m : kMappings) {
    size_t n = std::strlen(m.prefix);
    // "zh_CN.UTF-8", "ja_JP", "ja": the prefix followed by the end, "_", "." or "@".
    if (std::strncmp(locale, m.prefix, n) == 0 &&
        (locale[n] == '\0' || locale[n] == '_' || locale[n] == '.' || locale[n] == '@'))
      return m.codePage;
  }
  return 1252;
}

}  // namespace pathorama::core
