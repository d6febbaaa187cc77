// Recognising foreign windows by their class: which window is which folder
// manager, dialog or desktop, and the class chains that lead to the controls
// holding a manager's folder. Pure decisions; the Win32 side gathers the facts.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pathorama::windows {

enum class FolderManager { None, Explorer, TotalCommander, DirectoryOpus, XYplorer, Xplorer2,
                           FreeCommander };

// "Explorer", "TotalCommander", ... ; empty for None.
std::u16string ManagerWord(FolderManager manager);
// The manager named by a word, compared without regard to case; None if unknown.
FolderManager ManagerFromWord(std::u16string_view word);

inline constexpr std::u16string_view kExplorerClass = u"CabinetWClass";
inline constexpr std::u16string_view kTotalCommanderClass = u"TTOTAL_CMD";
inline constexpr std::u16string_view kDirectoryOpusClass = u"dopus.lister";
inline constexpr std::u16string_view kDirectoryOpusFileDisplayClass = u"dopus.filedisplay";
inline constexpr std::u16string_view kXYplorerClass = u"ThunderRT6FormDC";
inline constexpr std::u16string_view kXplorer2Class = u"ATL:ExplorerFrame";
inline constexpr std::u16string_view kFreeCommanderClassPrefix = u"FreeCommanderXE";
inline constexpr std::u16string_view kFreeCommanderMainClass = u"FreeCommanderXE.SingleInst.1";
inline constexpr std::u16string_view kFreeCommanderFileListClass = u"TfcDragdropFileListView";
inline constexpr std::u16string_view kDialogClass = u"#32770";
inline constexpr std::u16string_view kConsoleClass = u"ConsoleWindowClass";
inline constexpr std::u16string_view kDteClass = u"DTE";
// One per tab of a tabbed Explorer window; only the active tab's is visible.
inline constexpr std::u16string_view kShellTabClass = u"ShellTabWindowClass";

bool IsClass(std::u16string_view className, std::u16string_view wanted);  // ignores case
bool IsFreeCommanderClass(std::u16string_view className);
bool IsXYplorerWindow(std::u16string_view className, std::u16string_view title);

// The folder manager a top-level window is by itself (a window that only
// hosts an Explorer view is not one here).
FolderManager ManagerOfTopLevelWindow(std::u16string_view className, std::u16string_view title);

struct TopLevelFacts {
  std::u16string className;
  std::u16string title;
};

// The first window, in Z order from the top, that is a folder manager or that
// hosts an Explorer view (asked lazily: the test walks the window's children).
// Returns the index, or npos.
size_t ChooseTopmostFolderManager(const std::vector<TopLevelFacts>& zOrder,
                                  const std::function<bool(size_t)>& hostsExplorer);

// A tabbed Explorer window has one shell window item per tab, all with the
// window's handle. `isActiveTab[i]`: the i-th such item's browser window is
// the window's visible tab. The active tab's item, else the first item;
// npos for no item.
size_t ChooseShellWindowItem(const std::vector<bool>& isActiveTab);

// classesUpward[0] is a control's class, [1] its parent's, and so on.
// True when the control and its ancestors match `chain` from the bottom up.
bool MatchesClassChain(const std::vector<std::u16string>& classesUpward,
                       const std::vector<std::u16string_view>& chain);

// One descendant of a dialog, in enumeration order.
struct DialogControlFacts {
  std::u16string className;
  std::u16string parentClass;
  std::u16string grandParentClass;
  std::u16string greatGrandParentClass;
  bool parentIsDialog = false;  // the parent is the dialog itself
  bool visible = true;
  bool enabled = true;
};

// An Open/Save dialog that picks files, one that picks a folder, or neither.
enum class DialogType { None, OpenFile, OpenFolder };
// "OpenFile", "OpenFolder"; empty for None.
std::u16string DialogTypeWord(DialogType type);

// OpenFile when the first telling edit sits in a combo box, OpenFolder when
// it sits directly in a dialog, None otherwise.
DialogType DialogTypeOf(const std::vector<DialogControlFacts>& descendants);
// Index of the dialog's file name (or folder) edit, or npos.
size_t ChooseDialogFileNameEdit(const std::vector<DialogControlFacts>& descendants);

}  // namespace pathorama::windows
