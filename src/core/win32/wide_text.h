// UTF-16 at the Win32 boundary. char16_t and wchar_t are the same 16 bits on
// Windows, so the core's strings cross by a cast, never by a conversion; this
// is the one place that cast is written.
#pragma once

#include <string>
#include <string_view>

namespace pathorama::core::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide text is UTF-16");

inline const wchar_t* AsWide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}
// Not zero-terminated: for calls that take a pointer and a length.
inline const wchar_t* AsWide(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}
inline wchar_t* AsWide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

// A null pointer is empty text.
inline std::u16string FromWide(const wchar_t* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::u16string FromWide(const wchar_t* text, size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(std::wstring_view text) {
  return FromWide(text.data(), text.size());
}

}  // namespace pathorama::core::win32
