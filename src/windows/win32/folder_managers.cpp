#include "windows/win32/folder_managers.h"

#include <shellapi.h>

#include "core/text.h"
#include "windows/selection_text.h"
#include "windows/window_classes.h"
#include "windows/win32/clip_backuper.h"
#include "windows/win32/processes.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

// Explorer's shell automation route lives in explorer_shell.cpp.
std::u16string ReadShellViewFolder(HWND explorer);
std::u16string ReadShellViewSelection(HWND explorer, SelectionMode mode);

namespace {

PathKind ProbePath(const std::u16string& path) {
  DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()));
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

HWND FirstVisibleDescendantOfClass(HWND root, std::u16string_view className) {
  for (HWND child : DescendantsOf(root))
    if (IsClass(ClassNameOf(child), className) && IsWindowVisible(child)) return child;
  return nullptr;
}

}  // namespace

HWND FindTopmostWindowOfClass(std::u16string_view className) {
  for (HWND w : TopLevelWindowsInZOrder())
    if (IsClass(ClassNameOf(w), className)) return w;
  return nullptr;
}

HWND FindExplorerWindow(HWND window) {
  if (window) {
    if (IsClass(ClassNameOf(window), kExplorerClass)) return window;
    return FirstVisibleDescendantOfClass(window, kExplorerClass);
  }
  if (HWND top = FindTopmostWindowOfClass(kExplorerClass)) return top;
  return FirstVisibleDescendantOfClass(GetDesktopWindow(), kExplorerClass);
}

bool IsExplorerHostWindow(HWND window) {
  if (!window) {
    return !FindTopmostWindowOfClass(kExplorerClass) &&
           FirstVisibleDescendantOfClass(GetDesktopWindow(), kExplorerClass) != nullptr;
  }
  // An ordinary Explorer window, or anything below the topmost one, is not
  // a host: only a window above every Explorer window can embed one.
  bool belowExplorer = false;
  for (HWND w : TopLevelWindowsInZOrder()) {
    if (!belowExplorer && IsClass(ClassNameOf(w), kExplorerClass)) belowExplorer = true;
    if (belowExplorer && w == window) return false;
  }
  if (IsClass(ClassNameOf(window), kExplorerClass)) return true;
  return FirstVisibleDescendantOfClass(window, kExplorerClass) != nullptr;
}

HWND FindTopmostFolderManagerWindow() {
  std::vector<HWND> windows = TopLevelWindowsInZOrder();
  std::vector<TopLevelFacts> facts;
  facts.reserve(windows.size());
  for (HWND w : windows) facts.push_back({ClassNameOf(w), TitleOf(w)});
  size_t index = ChooseTopmostFolderManager(
      facts, [&](size_t i) { return FirstVisibleDescendantOfClass(windows[i], kExplorerClass); });
  if (index == static_cast<size_t>(-1)) return FindExplorerWindow(GetDesktopWindow());
  HWND found = windows[index];
  if (ManagerOfTopLevelWindow(facts[index].className, facts[index].title) == FolderManager::None)
    return FindExplorerWindow(found);  // the Explorer view hosted in it
  return found;
}

std::vector<HWND> FindFolderManagerWindows() {
  std::vector<HWND> found;
  for (HWND w : TopLevelWindowsInZOrder()) {
    std::u16string className = ClassNameOf(w);
    if (ManagerOfTopLevelWindow(className, TitleOf(w)) != FolderManager::None) {
      found.push_back(w);
    } else if (!IsClass(className, kXYplorerClass) && IsWindowVisible(w)) {
      if (HWND view = FirstVisibleDescendantOfClass(w, kExplorerClass)) found.push_back(view);
    }
  }
  return found;
}

std::u16string GetTopmostFolderManagerName() {
  HWND window = FindTopmostFolderManagerWindow();
  if (!window) return {};
  FolderManager manager = ManagerOfTopLevelWindow(ClassNameOf(window), TitleOf(window));
  return ManagerWord(manager);
}

void GetExplorerFolder(HWND window, TOpenedFolderInfo& info) {
  info = {};
  if (!window || !IsClass(ClassNameOf(window), kExplorerClass)) return;
  info.hFolderManager = window;
  if (IsExplorerHostWindow(window)) {
    HWND bar = FindDescendantByChain(
        window, {u"ToolbarWindow32", u"Breadcrumb Parent", u"msctls_progress32"});
    if (bar) info.FolderPath = FolderFromAddressText(ControlTextOf(bar, 256));
    return;
  }
  info.FolderPath = ReadShellViewFolder(window);
}

namespace {

// Sends one Total Commander command that answers through the clipboard and
// returns the clipboard text it left; the user's clipboard is restored.
std::u16string AskTotalCommander(HWND window, WPARAM command) {
  ScopedClipBorrow borrow;
  EmptyClipboardQuietly();
  DWORD before = GetClipboardSequenceNumber();
  if (!SendMessageBounded(window, kTotalCommanderCommand, command, 0)) return {};
  // A timeout is no answer, and so is a clipboard nobody wrote to.
  if (GetClipboardSequenceNumber() == before) return {};
  return GetClipboardText();
}

}  // namespace

void GetTotalCommanderFolder(TOpenedFolderInfo& info) {
  info = {};
  HWND window = FindTopmostWindowOfClass(kTotalCommanderClass);
  if (!window) return;
  info.hFolderManager = window;
  info.FolderPath = AskTotalCommander(window, kTotalCommanderCopySourcePath);
}

namespace {

std::u16string AddressEditText(HWND window, const std::vector<std::u16string_view>& chain) {
  HWND edit = FindDescendantByChain(window, chain, false, true);
  return edit ? ControlTextOf(edit, 256) : std::u16string();
}

size_t CountLines(std::u16string_view text) {
  size_t count = 0;
  for (const std::u16string& line : core::SplitText(core::ReplaceAllText(text, u"\n", u""), u"\r"))
    if (!line.empty()) ++count;
  return count;
}

}  // namespace

std::u16string GetTotalCommanderSelection(HWND window, std::u16string_view mode) {
  std::optional<SelectionMode> parsed = ParseSelectionMode(mode);
  if (!window || !parsed) return {};
  std::u16string text = AskTotalCommander(window, kTotalCommanderCopyFullNames);
  return FilterSelectionText(text, *parsed, ProbePath);
}

void RunDirectoryOpusCommand(std::u16string_view parameters, TOpenedFolderInfo& info, int waitMs) {
  info = {};
  if (core::TrimChars(parameters, u" \t\r\n").empty()) return;
  HWND lister = FindTopmostWindowOfClass(kDirectoryOpusClass);
  if (!lister) return;
  info.hFolderManager = lister;
  std::u16string program = GetWindowProcessPath(lister);
  size_t slash = program.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return;
  std::u16string runner = program.substr(0, slash + 1) + u"dopusrt.exe";
  HWND foreground = GetForegroundWindow();
  HWND dialog = IsClass(ClassNameOf(foreground), kDialogClass) ? foreground : nullptr;
  std::u16string params(parameters);
  {
    ScopedClipBorrow borrow;
    DWORD before = GetClipboardSequenceNumber();
    HINSTANCE started = ShellExecuteW(nullptr, nullptr, reinterpret_cast<const wchar_t*>(runner.c_str()),
                                      reinterpret_cast<const wchar_t*>(params.c_str()), nullptr,
                                      SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(started) > 32) {
      SendMessageBounded(lister, WM_KILLFOCUS, 0, 0);
      // Only a clipboard written after the start is the answer: the user's
      // own text must never pass for the lister's folder.
      for (int waited = 0; waited < waitMs; waited += 10) {
        if (GetClipboardSequenceNumber() != before && IsClipboardFormatAvailable(CF_UNICODETEXT))
          break;
        Sleep(10);
      }
      SendMessageBounded(lister, WM_SETFOCUS, 0, 0);
      if (GetClipboardSequenceNumber() != before)
        info.FolderPath = DirectoryOpusAnswer(GetClipboardText());
    }
  }
  if (dialog && IsWindow(dialog)) SetForegroundWindow(dialog);
}

void GetDirectoryOpusFolder(TOpenedFolderInfo& info, int waitMs) {
  RunDirectoryOpusCommand(u"/cmd Clipboard SET {sourcepath$}", info, waitMs);
}

std::u16string GetDirectoryOpusSelection(int waitMs) {
  TOpenedFolderInfo info;
  RunDirectoryOpusCommand(u"/cmd Clipboard COPYNAMES", info, waitMs);
  return info.FolderPath;
}

HWND FindXYplorerWindow() {
  for (HWND w : TopLevelWindowsInZOrder())
    if (IsWindowVisible(w) && IsXYplorerWindow(ClassNameOf(w), TitleOf(w))) return w;
  return nullptr;
}

void GetXYplorerFolder(TOpenedFolderInfo& info) {
  info = {};
  HWND window = FindXYplorerWindow();
  if (!window) return;
  info.hFolderManager = window;
  HWND edit = FindDescendantByChain(window, {u"Edit", u"ThunderRT6PictureBoxDC", kXYplorerClass},
                                    false, true);
  if (edit) info.FolderPath = ControlTextOf(edit, 256);
}

void GetXplorer2Folder(TOpenedFolderInfo& info) {
  info = {};
  HWND window = FindTopmostWindowOfClass(kXplorer2Class);
  if (!window) return;
  info.hFolderManager = window;
  HWND edit = FindDescendantByChain(window, {u"Edit", u"ComboBox", u"ToolbarWindow32"}, false, true);
  if (edit) info.FolderPath = ControlTextOf(edit, 256);
}

void GetFreeCommanderFolder(TOpenedFolderInfo& info) { info = {}; }

void GetFolderOfManager(std::u16string_view managerWord, TOpenedFolderInfo& info) {
  info = {};
  switch (ManagerFromWord(managerWord)) {
    case FolderManager::Explorer:
      GetExplorerFolder(FindExplorerWindow(nullptr), info);
      if (info.FolderPath.empty()) GetExplorerFolder(FindExplorerWindow(GetDesktopWindow()), info);
      break;
    case FolderManager::TotalCommander: GetTotalCommanderFolder(info); break;
    case FolderManager::DirectoryOpus: GetDirectoryOpusFolder(info); break;
    case FolderManager::XYplorer: GetXYplorerFolder(info); break;
    case FolderManager::Xplorer2: GetXplorer2Folder(info); break;
    case FolderManager::FreeCommander: GetFreeCommanderFolder(info); break;
    case FolderManager::None: break;
  }
}

void GetFolderOfWindow(HWND window, TOpenedFolderInfo& info, int waitMs) {
  info = {};
  if (!window) return;
  std::u16string className = ClassNameOf(window);
  switch (ManagerOfTopLevelWindow(className, TitleOf(window))) {
    case FolderManager::Explorer: GetExplorerFolder(window, info); return;
    case FolderManager::TotalCommander:
      info.hFolderManager = window;
      info.FolderPath = AskTotalCommander(window, kTotalCommanderCopySourcePath);
      return;
    case FolderManager::DirectoryOpus:
      if (FindTopmostWindowOfClass(kDirectoryOpusClass) == window)
        GetDirectoryOpusFolder(info, waitMs);
      info.hFolderManager = window;
      return;
    case FolderManager::XYplorer:
      info.hFolderManager = window;
      info.FolderPath = AddressEditText(window, {u"Edit", u"ThunderRT6PictureBoxDC", kXYplorerClass});
      return;
    case FolderManager::Xplorer2:
      info.hFolderManager = window;
      info.FolderPath = AddressEditText(window, {u"Edit", u"ComboBox", u"ToolbarWindow32"});
      return;
    case FolderManager::FreeCommander:
    case FolderManager::None:
      info.hFolderManager = window;
      return;
  }
}

int CountSelectedItems(HWND window, int waitMs) {
  if (!window) return 0;
  switch (ManagerOfTopLevelWindow(ClassNameOf(window), TitleOf(window))) {
    case FolderManager::Explorer:
      return static_cast<int>(CountLines(GetExplorerSelection(window, u"Path")));
    case FolderManager::TotalCommander:
      return static_cast<int>(CountLines(GetTotalCommanderSelection(window, u"Path")));
    case FolderManager::DirectoryOpus:
      if (FindTopmostWindowOfClass(kDirectoryOpusClass) != window) return 0;
      return static_cast<int>(CountLines(GetDirectoryOpusSelection(waitMs)));
    default:
      return 0;
  }
}

void GetFolderOfTopmostManager(TOpenedFolderInfo& info) {
  info = {};
  HWND window = FindTopmostFolderManagerWindow();
  if (!window) return;
  std::u16string className = ClassNameOf(window);
  if (IsClass(className, kExplorerClass)) GetExplorerFolder(window, info);
  else if (IsClass(className, kTotalCommanderClass)) GetTotalCommanderFolder(info);
  else if (IsClass(className, kDirectoryOpusClass)) GetDirectoryOpusFolder(info);
  else if (IsClass(className, kXYplorerClass)) GetXYplorerFolder(info);
  else if (IsClass(className, kXplorer2Class)) GetXplorer2Folder(info);
  else if (IsFreeCommanderClass(className)) GetFreeCommanderFolder(info);
}

std::u16string GetExplorerSelection(HWND window, std::u16string_view mode) {
  std::optional<SelectionMode> parsed = ParseSelectionMode(mode);
  if (!window || !parsed) return {};
  return ReadShellViewSelection(window, *parsed);
}

}  // namespace pathorama::windows::win32
