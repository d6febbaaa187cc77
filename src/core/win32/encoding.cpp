// The system code page conversion of Windows.
#include <windows.h>

#include <climits>

#include "core/encoding.h"
#include "core/text.h"

namespace pathorama::core {

std::u16string DecodeAnsi(std::string_view bytes, unsigned codePage) {
  std::u16string out;
  // MultiByteToWideChar takes int sizes: convert in slices that end on a
  // line end so no character is split (files are capped far below INT_MAX).
  while (!bytes.empty()) {
    size_t take = bytes.size();
    if (take > (1u << 30)) {
      size_t cut = bytes.rfind('\n', 1u << 30);
      take = cut == std::string_view::npos ? (1u << 30) : cut + 1;
    }
    int inSize = static_cast<int>(take);
    int need = MultiByteToWideChar(codePage, 0, bytes.data(), inSize, nullptr, 0);
    if (need <= 0) {
      // Unknown code page: Latin-1, so the result is still defined.
      for (size_t i = 0; i < take; ++i) out.push_back(static_cast<unsigned char>(bytes[i]));
    } else {
      size_t at = out.size();
      out.resize(at + static_cast<size_t>(need));
      MultiByteToWideChar(codePage, 0, bytes.data(), inSize, reinterpret_cast<wchar_t*>(&out[at]),
                          need);
    }
    bytes.remove_prefix(take);
  }
  return out;
}

std::string EncodeAnsi(std::u16string_view text, unsigned codePage) {
  // Only UTF-8 and GB18030 hold characters beyond the BMP. For the others a
  // pair (or a lone half) is one "?" here, whatever the conversion would
  // make of its two halves.
  std::u16string bmp;
  if (codePage != 65001 && codePage != 54936) {
    bmp.reserve(text.size());
    for (size_t i = 0; i < text.size(); i += CodePointLength(text, i))
      bmp.push_back(IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]) ? u'?' : text[i]);
    text = bmp;
  }
  std::string out;
  while (!text.empty()) {
    size_t take = text.size();
    if (take > (1u << 28)) take = (1u << 28) - (IsHighSurrogate(text[(1u << 28) - 1]) ? 1 : 0);
    int inSize = static_cast<int>(take);
    // WC_NO_BEST_FIT_CHARS: "?" rather than a look-alike (an accented
    // letter as its plain one). UTF-8 and some code pages take no flags.
    DWORD flags = codePage == 65001 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = codePage == 65001 ? nullptr : "?";
    int need = WideCharToMultiByte(codePage, flags, reinterpret_cast<const wchar_t*>(text.data()),
                                   inSize, nullptr, 0, defaultChar, nullptr);
    if (need <= 0 && flags != 0) {
      flags = 0;
      defaultChar = nullptr;
      need = WideCharToMultiByte(codePage, 0, reinterpret_cast<const wchar_t*>(text.data()),
                                 inSize, nullptr, 0, nullptr, nullptr);
    }
    if (need <= 0) {
      // Unknown code page: Latin-1, as DecodeAnsi reads it.
      for (size_t i = 0; i < take; ++i) out.push_back(text[i] <= 0xFF ? static_cast<char>(text[i]) : '?');
    } else {
      size_t at = out.size();
      out.resize(at + static_cast<size_t>(need));
      WideCharToMultiByte(codePage, flags, reinterpret_cast<const wchar_t*>(text.data()), inSize,
                          &out[at], need, defaultChar, nullptr);
    }
    text.remove_prefix(take);
  }
  return out;
}

unsigned SystemAnsiCodePage() { return GetACP(); }

}  // namespace pathorama::core
