// The system code page conversion of Windows.
#include <windows.h>

#include <climits>

#include "core/encoding.h"

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

unsigned SystemAnsiCodePage() { return GetACP(); }

}  // namespace pathorama::core
