#include "windows/win32/window_facts.h"

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"
#include "windows/window_classes.h"

namespace pathorama::windows::win32 {

using core::win32::FromWide;

std::u16string ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  int length = window ? GetClassNameW(window, name, 256) : 0;
  return FromWide(name, length > 0 ? length : 0);
}

std::u16string TitleOf(HWND window, int maxChars) {
  std::wstring buffer(maxChars + 1, L'\0');
  int length = window ? InternalGetWindowText(window, buffer.data(), maxChars + 1) : 0;
  return FromWide(buffer.data(), length > 0 ? length : 0);
}

bool SendMessageBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                        UINT timeoutMs) {
  if (!window) return false;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                           timeoutMs, &answer)) {
    // A hung or slow program is no answer; the trace says which one it was.
    DWORD error = GetLastError();
    core::Trace(u"no answer to message " + core::HexText(message, 4) + u" from window " +
                core::HexText(reinterpret_cast<UINT_PTR>(window), 8) + u" (class " +
                ClassNameOf(window) + u") within " + core::IntToText(timeoutMs) +
                u" ms: system error " + core::win32::SystemErrorText(error));
    return false;
  }
  if (result) *result = static_cast<LRESULT>(answer);
  return true;
}

std::u16string ControlTextOf(HWND window, int maxChars) {
  std::wstring buffer(maxChars + 1, L'\0');
  LRESULT length = 0;
  if (!SendMessageBounded(window, WM_GETTEXT, maxChars + 1,
                          reinterpret_cast<LPARAM>(buffer.data()), &length, kTextTimeoutMs))
    return {};
  buffer[maxChars] = L'\0';
  return FromWide(buffer.data(), wcsnlen(buffer.data(), maxChars));
}

std::vector<HWND> TopLevelWindowsInZOrder() {
  std::vector<HWND> windows;
  // The cap guards against a list that changes under the walk.
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w && windows.size() < 100000;
       w = GetWindow(w, GW_HWNDNEXT))
    windows.push_back(w);
  return windows;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  // No exception may cross back into the system's enumeration.
  try {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

std::vector<HWND> DescendantsOf(HWND window) {
  std::vector<HWND> children;
  if (window) EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::vector<std::u16string> ClassesUpward(HWND control, HWND stopAt) {
  std::vector<std::u16string> classes;
  HWND desktop = GetDesktopWindow();
  for (HWND w = control; w && w != desktop && classes.size() < 64; w = GetAncestor(w, GA_PARENT)) {
    classes.push_back(ClassNameOf(w));
    if (w == stopAt) break;
  }
  return classes;
}

HWND FindDescendantByChain(HWND root, const std::vector<std::u16string_view>& chain,
                           bool mustBeVisible, bool needsText) {
  for (HWND child : DescendantsOf(root)) {
    if (!MatchesClassChain(ClassesUpward(child, root), chain)) continue;
    if (mustBeVisible && !IsWindowVisible(child)) continue;
    if (needsText && ControlTextOf(child).empty()) continue;
    return child;
  }
  return nullptr;
}

RECT ScreenRectOf(HWND window) {
  RECT rect{};
  if (!window || !GetWindowRect(window, &rect)) return RECT{};
  return rect;
}

}  // namespace pathorama::windows::win32
