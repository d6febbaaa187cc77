#include "windows/win32/folder_managers.h"

#include <shellapi.h>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/diagnostics.h"
#include "core/win32/wide_text.h"
#include "windows/win32/clipboard.h"
#include "windows/win32/path_probe.h"
#include "windows/win32/explorer_shell.h"
#include "windows/win32/processes.h"
#include "windows/win32/window_facts.h"

namespace pathorama::windows::win32 {

using core::win32::AsWide;

namespace {

HWND FirstVisibleDescendantOfClass(HWND root, std::u16string_view className) {
  for (HWND child : DescendantsOf(root))
    if (IsClass(ClassNameOf(child), className) && IsWindowVisible(child)) return child;
  return nullptr;
}

// The class chains, from the edit up, of the address edits that hold the
// folder of XYplorer and Xplorer2.
const std::vector<std::u16string_view> kXYplorerAddressChain = {u"Edit", u"ThunderRT6PictureBoxDC",
                                                                kXYplorerClass};
const std::vector<std::u16string_view> kXplorer2AddressChain = {u"Edit", u"ComboBox",
                                                                u"ToolbarWindow32"};

std::u16string AddressEditText(HWND window, const std::vector<std::u16string_view>& chain) {
  HWND edit = FindDescendantByChain(window, chain, false, true);
  return edit ? ControlTextOf(edit, 256) : std::u16string();
}

int CountLines(std::u16string_view text) {
  int count = 0;
  for (const std::u16string& line : core::SplitText(core::ReplaceAllText(text, u"\n", u""), u"\r"))
    if (!line.empty()) ++count;
  return count;
}

// Sends one Total Commander command that answers through the clipboard and
// returns the clipboard text it left; the user's clipboard is restored.
std::u16string AskTotalCommander(HWND window, WPARAM command) {
  ScopedClipboardBorrow borrow;
  EmptyClipboardQuietly();
  DWORD before = GetClipboardSequenceNumber();
  if (!SendMessageBounded(window, kTotalCommanderCommand, command, 0)) return {};
  // A timeout is no answer, and so is a clipboard nobody wrote to.
  if (GetClipboardSequenceNumber() == before) return {};
  return GetClipboardText();
}

bool IsTopmostDirectoryOpusLister(HWND window) {
  return window && FindTopmostWindowOfClass(kDirectoryOpusClass) == window;
}

// ---- one manager's readers ----------------------------------------------------------------

OpenedFolder ExplorerTopmostFolder(int) {
  OpenedFolder folder = GetExplorerFolder(FindExplorerWindow(nullptr));
  if (folder.path.empty()) folder = GetExplorerFolder(FindExplorerWindow(GetDesktopWindow()));
  return folder;
}
OpenedFolder ExplorerWindowFolder(HWND window, int) { return GetExplorerFolder(window); }
int ExplorerSelectedCount(HWND window, int) {
  return CountLines(GetExplorerSelection(window, SelectionMode::Path));
}

OpenedFolder TotalCommanderTopmostFolder(int) { return GetTotalCommanderFolder(); }
OpenedFolder TotalCommanderWindowFolder(HWND window, int) {
  if (!window) return {};
  return {window, AskTotalCommander(window, kTotalCommanderCopySourcePath)};
}
int TotalCommanderSelectedCount(HWND window, int) {
  return CountLines(GetTotalCommanderSelection(window, SelectionMode::Path));
}

OpenedFolder DirectoryOpusTopmostFolder(int waitMs) { return GetDirectoryOpusFolder(waitMs); }
OpenedFolder DirectoryOpusWindowFolder(HWND window, int waitMs) {
  if (!window) return {};
  if (!IsTopmostDirectoryOpusLister(window)) return {window, {}};
  return GetDirectoryOpusFolder(waitMs);
}
int DirectoryOpusSelectedCount(HWND window, int waitMs) {
  return IsTopmostDirectoryOpusLister(window) ? CountLines(GetDirectoryOpusSelection(waitMs)) : 0;
}

OpenedFolder XYplorerTopmostFolder(int) { return GetXYplorerFolder(); }
OpenedFolder XYplorerWindowFolder(HWND window, int) {
  if (!window) return {};
  return {window, AddressEditText(window, kXYplorerAddressChain)};
}

OpenedFolder Xplorer2TopmostFolder(int) { return GetXplorer2Folder(); }
OpenedFolder Xplorer2WindowFolder(HWND window, int) {
  if (!window) return {};
  return {window, AddressEditText(window, kXplorer2AddressChain)};
}

OpenedFolder FreeCommanderTopmostFolder(int) { return GetFreeCommanderFolder(); }
OpenedFolder FreeCommanderWindowFolder(HWND, int) { return GetFreeCommanderFolder(); }

int NoSelectedCount(HWND, int) { return 0; }

struct ManagerReaders {
  FolderManager manager;
  // The folder of the manager's topmost window, found by the reader.
  OpenedFolder (*topmostFolder)(int waitMs);
  // The folder of one given window of the manager.
  OpenedFolder (*windowFolder)(HWND window, int waitMs);
  // How many items that window has selected.
  int (*selectedCount)(HWND window, int waitMs);
};

constexpr ManagerReaders kManagerReaders[] = {
    {FolderManager::Explorer, ExplorerTopmostFolder, ExplorerWindowFolder, ExplorerSelectedCount},
    {FolderManager::TotalCommander, TotalCommanderTopmostFolder, TotalCommanderWindowFolder,
     TotalCommanderSelectedCount},
    {FolderManager::DirectoryOpus, DirectoryOpusTopmostFolder, DirectoryOpusWindowFolder,
     DirectoryOpusSelectedCount},
    {FolderManager::XYplorer, XYplorerTopmostFolder, XYplorerWindowFolder, NoSelectedCount},
    {FolderManager::Xplorer2, Xplorer2TopmostFolder, Xplorer2WindowFolder, NoSelectedCount},
    {FolderManager::FreeCommander, FreeCommanderTopmostFolder, FreeCommanderWindowFolder,
     NoSelectedCount},
};

const ManagerReaders* ReadersOf(FolderManager manager) {
  for (const ManagerReaders& readers : kManagerReaders)
    if (readers.manager == manager) return &readers;
  return nullptr;
}

FolderManager ManagerOfWindow(HWND window) {
  return window ? ManagerOfTopLevelWindow(ClassNameOf(window), TitleOf(window))
                : FolderManager::None;
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

FolderManager GetTopmostFolderManager() {
  return ManagerOfWindow(FindTopmostFolderManagerWindow());
}

OpenedFolder GetExplorerFolder(HWND window) {
  if (!window || !IsClass(ClassNameOf(window), kExplorerClass)) return {};
  if (IsExplorerHostWindow(window)) {
    HWND bar = FindDescendantByChain(
        window, {u"ToolbarWindow32", u"Breadcrumb Parent", u"msctls_progress32"});
    return {window, bar ? FolderFromAddressText(ControlTextOf(bar, 256)) : std::u16string()};
  }
  return {window, ReadShellViewFolder(window)};
}

OpenedFolder GetTotalCommanderFolder() {
  return TotalCommanderWindowFolder(FindTopmostWindowOfClass(kTotalCommanderClass), 0);
}

std::u16string GetTotalCommanderSelection(HWND window, SelectionMode mode) {
  if (!window) return {};
  return FilterSelectionText(AskTotalCommander(window, kTotalCommanderCopyFullNames), mode,
                             ProbePath);
}

OpenedFolder RunDirectoryOpusCommand(std::u16string_view parameters, int waitMs) {
  if (core::TrimChars(parameters, u" \t\r\n").empty()) return {};
  HWND lister = FindTopmostWindowOfClass(kDirectoryOpusClass);
  if (!lister) return {};
  OpenedFolder folder{lister, {}};
  std::u16string program = GetWindowProcessPath(lister);
  size_t slash = program.find_last_of(u"\\/");
  if (slash == std::u16string::npos) return folder;
  std::u16string runner = program.substr(0, slash + 1) + u"dopusrt.exe";
  HWND foreground = GetForegroundWindow();
  HWND dialog = IsClass(ClassNameOf(foreground), kDialogClass) ? foreground : nullptr;
  std::u16string params(parameters);
  {
    ScopedClipboardBorrow borrow;
    DWORD before = GetClipboardSequenceNumber();
    HINSTANCE started =
        ShellExecuteW(nullptr, nullptr, AsWide(runner), AsWide(params), nullptr, SW_SHOWNORMAL);
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
        folder.path = DirectoryOpusAnswer(GetClipboardText());
      else
        core::Trace(u"dopusrt.exe left no answer on the clipboard within " +
                    core::IntToText(waitMs) + u" ms: " + params);
    } else {
      core::Trace(u"could not start " + runner + u" (ShellExecute answered " +
                  core::IntToText(reinterpret_cast<INT_PTR>(started)) + u")");
    }
  }
  if (dialog && IsWindow(dialog)) SetForegroundWindow(dialog);
  return folder;
}

OpenedFolder GetDirectoryOpusFolder(int waitMs) {
  return RunDirectoryOpusCommand(u"/cmd Clipboard SET {sourcepath$}", waitMs);
}

std::u16string GetDirectoryOpusSelection(int waitMs) {
  return RunDirectoryOpusCommand(u"/cmd Clipboard COPYNAMES", waitMs).path;
}

HWND FindXYplorerWindow() {
  for (HWND w : TopLevelWindowsInZOrder())
    if (IsWindowVisible(w) && IsXYplorerWindow(ClassNameOf(w), TitleOf(w))) return w;
  return nullptr;
}

OpenedFolder GetXYplorerFolder() { return XYplorerWindowFolder(FindXYplorerWindow(), 0); }

OpenedFolder GetXplorer2Folder() {
  return Xplorer2WindowFolder(FindTopmostWindowOfClass(kXplorer2Class), 0);
}

OpenedFolder GetFreeCommanderFolder() { return {}; }

OpenedFolder GetFolderOfManager(FolderManager manager, int waitMs) {
  const ManagerReaders* readers = ReadersOf(manager);
  return readers ? readers->topmostFolder(waitMs) : OpenedFolder{};
}

OpenedFolder GetFolderOfWindow(HWND window, int waitMs) {
  const ManagerReaders* readers = ReadersOf(ManagerOfWindow(window));
  return readers ? readers->windowFolder(window, waitMs) : OpenedFolder{};
}

OpenedFolder GetFolderOfTopmostManager(int waitMs) {
  HWND window = FindTopmostFolderManagerWindow();
  const ManagerReaders* readers = ReadersOf(ManagerOfWindow(window));
  return readers ? readers->windowFolder(window, waitMs) : OpenedFolder{};
}

int CountSelectedItems(HWND window, int waitMs) {
  const ManagerReaders* readers = ReadersOf(ManagerOfWindow(window));
  return readers ? readers->selectedCount(window, waitMs) : 0;
}

std::u16string GetExplorerSelection(HWND window, SelectionMode mode) {
  if (!window) return {};
  return ReadShellViewSelection(window, mode);
}

}  // namespace pathorama::windows::win32
