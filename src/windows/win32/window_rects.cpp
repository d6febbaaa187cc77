#include "windows/win32/window_rects.h"

#include "windows/window_classes.h"
#include "windows/win32/folder_managers.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

namespace {

bool Minimised(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  return root && IsIconic(root);
}

RECT ManagerControlRect(HWND control) {
  if (!control || Minimised(control)) return RECT{};
  return ScreenRectOf(control);
}

HWND FirstDescendant(HWND root, std::u16string_view className, bool mustBeVisible = false) {
  for (HWND child : DescendantsOf(root))
    if (IsClass(ClassNameOf(child), className) && (!mustBeVisible || IsWindowVisible(child)))
      return child;
  return nullptr;
}

}  // namespace

RECT GetExplorerAddressBarRect() {
  HWND explorer = FindExplorerWindow(nullptr);
  if (!explorer) explorer = FindExplorerWindow(GetDesktopWindow());
  if (!explorer) return RECT{};
  return ManagerControlRect(
      FindDescendantByChain(explorer, {u"ToolbarWindow32", u"Breadcrumb Parent"}));
}

bool IsTotalCommanderLeftPanelActive() {
  LRESULT answer = 0;
  HWND window = FindTopmostWindowOfClass(kTotalCommanderClass);
  return SendMessageBounded(window, kTotalCommanderPanel, 1000, 0, &answer) && answer == 1;
}

RECT GetTotalCommanderPanelRect(int panel) {
  HWND window = FindTopmostWindowOfClass(kTotalCommanderClass);
  LRESULT answer = 0;
  if (!window || !SendMessageBounded(window, kTotalCommanderPanel, panel, 0, &answer)) return RECT{};
  HWND control = reinterpret_cast<HWND>(answer);
  if (!IsWindow(control)) return RECT{};
  return ManagerControlRect(control);
}

RECT GetDirectoryOpusFileDisplayRect(int n) {
  HWND lister = FindTopmostWindowOfClass(kDirectoryOpusClass);
  int seen = 0;
  for (HWND child : DescendantsOf(lister))
    if (IsClass(ClassNameOf(child), kDirectoryOpusFileDisplayClass) && ++seen == n)
      return ManagerControlRect(child);
  return RECT{};
}

RECT GetXYplorerAddressRect() {
  return ManagerControlRect(FirstDescendant(FindXYplorerWindow(), u"Edit", true));
}

RECT GetXplorer2AddressRect() {
  for (HWND child : DescendantsOf(FindTopmostWindowOfClass(kXplorer2Class)))
    if (IsClass(ClassNameOf(child), u"ToolbarWindow32") && FirstDescendant(child, u"ComboBox"))
      return ManagerControlRect(child);
  return RECT{};
}

RECT GetFreeCommanderFileListRect(int panel) {
  HWND window = FindTopmostWindowOfClass(kFreeCommanderMainClass);
  if (!window) return RECT{};
  if (IsIconic(window)) {
    // Asynchronously: a hung FreeCommander must not hold this thread.
    ShowWindowAsync(window, SW_SHOWMAXIMIZED);
    for (int waited = 0; waited < 500 && IsIconic(window); waited += 20) Sleep(20);
  }
  HWND first = nullptr, last = nullptr;
  for (HWND child : DescendantsOf(window)) {
    if (!IsClass(ClassNameOf(child), kFreeCommanderFileListClass)) continue;
    if (!first) first = child;
    last = child;
  }
  return ScreenRectOf(panel == 2 ? first : last);
}

RECT GetConsoleRect(HWND console) {
  if (!console) console = FindTopmostWindowOfClass(kConsoleClass);
  return ScreenRectOf(console);
}

RECT GetDialogAddressBandRect(HWND dialog) {
  if (!dialog) dialog = FindTopmostWindowOfClass(kDialogClass);
  return ScreenRectOf(FirstDescendant(dialog, u"Address Band Root"));
}

RECT GetDteEditRect() {
  HWND dte = FindTopmostWindowOfClass(kDteClass);
  return ScreenRectOf(FindDescendantByChain(dte, {u"Edit", u"SysTabControl32", u"Button", kDteClass}));
}

}  // namespace pathorama::windows::win32
