#include "windows/win32/dialogs.h"

#include <vector>

#include "core/win32/wide_text.h"
#include "windows/window_classes.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

namespace {

std::vector<DialogControlFacts> FactsOf(HWND dialog, const std::vector<HWND>& controls) {
  std::vector<DialogControlFacts> facts;
  facts.reserve(controls.size());
  for (HWND c : controls) {
    HWND parent = GetAncestor(c, GA_PARENT);
    HWND grandParent = parent ? GetAncestor(parent, GA_PARENT) : nullptr;
    HWND greatGrandParent = grandParent ? GetAncestor(grandParent, GA_PARENT) : nullptr;
    DialogControlFacts f;
    f.className = ClassNameOf(c);
    f.parentClass = ClassNameOf(parent);
    f.grandParentClass = ClassNameOf(grandParent);
    f.greatGrandParentClass = ClassNameOf(greatGrandParent);
    f.parentIsDialog = parent == dialog;
    f.visible = IsWindowVisible(c) != FALSE;
    f.enabled = IsWindowEnabled(c) != FALSE;
    facts.push_back(std::move(f));
  }
  return facts;
}

}  // namespace

DialogType GetDialogType(HWND dialog) {
  if (!dialog) return DialogType::None;
  std::vector<HWND> controls = DescendantsOf(dialog);
  return DialogTypeOf(FactsOf(dialog, controls));
}

HWND FindDialogFileNameEdit(HWND dialog) {
  if (!dialog) return nullptr;
  std::vector<HWND> controls = DescendantsOf(dialog);
  size_t index = ChooseDialogFileNameEdit(FactsOf(dialog, controls));
  return index < controls.size() ? controls[index] : nullptr;
}

bool IsDialogFileNameEdit(HWND edit, HWND topDialog) {
  if (!edit || !IsClass(ClassNameOf(edit), u"Edit")) return false;
  HWND outermostDialog = nullptr;
  HWND desktop = GetDesktopWindow();
  for (HWND w = GetAncestor(edit, GA_PARENT); w && w != desktop; w = GetAncestor(w, GA_PARENT)) {
    if (IsClass(ClassNameOf(w), kDialogClass)) outermostDialog = w;
    if (w == topDialog) break;
  }
  return outermostDialog && FindDialogFileNameEdit(outermostDialog) == edit;
}

bool IsDesktopWindow(HWND window) {
  if (!window) return false;
  if (FindWindowExW(window, nullptr, L"SHELLDLL_DefView", nullptr)) return true;
  for (HWND worker = FindWindowExW(window, nullptr, L"WorkerW", nullptr); worker;
       worker = FindWindowExW(window, worker, L"WorkerW", nullptr))
    if (IsDesktopWindow(worker)) return true;
  return false;
}

std::u16string GetDesktopFolder() {
  wchar_t value[MAX_PATH * 2] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER,
                   L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   L"DeskTop", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return {};
  return core::win32::FromWide(value);
}

HWND GetForegroundFocus() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return nullptr;
  DWORD theirs = GetWindowThreadProcessId(foreground, nullptr);
  DWORD ours = GetCurrentThreadId();
  if (theirs == ours) return GetFocus();
  if (!AttachThreadInput(ours, theirs, TRUE)) return nullptr;
  HWND focus = GetFocus();
  AttachThreadInput(ours, theirs, FALSE);
  return focus;
}

}  // namespace pathorama::windows::win32
