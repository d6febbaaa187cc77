// UTF-16 at the Win32 boundary: char16_t and wchar_t are the same 16 bits on
// Windows, so the core's strings pass by a cast.
#pragma once

#include <string>

namespace pathorama::app::win32 {

inline const wchar_t* W(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* W(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline std::u16string U(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

}  // namespace pathorama::app::win32
