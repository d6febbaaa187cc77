// The jump-list popup as decisions: the block of function items below the
// entries, the current-folder items at the end of every group, the
// preparation before each showing (check marks on the entries that point at
// the open folder, the add/delete caption, icons, visibility), what the
// function items do to the list, and where the popup appears.
//
// Typical use (the Win32 popup does this on every showing):
//   SetCurrentFolderItems(list, options.currentFolderItemInEveryGroup);
//   PreparedMenu prepared = PrepareJumpMenu(list, folder, options, expand);
//   ... build the menu from list.Items(), asking prepared.View(item) ...
//   ... after the menu closed: DeleteCurrentFolderEntry(list, prepared) ...
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/prompts.h"
#include "jumplist/jump_list.h"
#include "paths/path_info.h"
#include "windows/window_classes.h"

namespace pathorama::jumplist {

// ---------------------------------------------------------------------------
// Function items

// The templates of the function block, in menu order. A copy in the list
// carries the tag FunctionTag(id), so a negative tag leads back to its
// template.
enum class FunctionItem : int32_t {
  Separator = 1,
  AddOrDeleteCurrentFolder,
  ConfigureJumpList,
  BatchDelete,                   // submenu
  DeleteItemsLocalPathNotExist,  // in BatchDelete
  DeleteItemsAssociateNull,      // in BatchDelete
  ForbidJumpListHotKey,          // submenu
  ForbidInCurrentWindowClass,    // in ForbidJumpListHotKey
  ForbidInCurrentProgram,        // in ForbidJumpListHotKey
  ForbidInGivenWindow,           // in ForbidJumpListHotKey
  AppSettings,
};

struct FunctionTemplate {
  FunctionItem id;
  std::u16string_view name;            // component name of the template ("mni_AppOption")
  std::u16string_view caption;         // with the default accelerator
  std::optional<FunctionItem> parent;  // the submenu it sits in
  bool hasIcon;
};

std::span<const FunctionTemplate> FunctionTemplates();
const FunctionTemplate& TemplateOf(FunctionItem id);
inline int32_t FunctionTag(FunctionItem id) { return -static_cast<int32_t>(id); }
// The template a copy's tag leads back to; none for any other tag.
std::optional<FunctionItem> FunctionItemOfTag(int32_t tag);

// Appends a copy of every template to the top level of the list. Top-level
// copies are named after their template plus "_" + copyNumber; the children
// of a submenu keep their templates' names. Copies are never stored, and a
// rebuild from the file keeps them.
void CopyFunctionItemsIntoJumpList(JumpList& list, int copyNumber);

// The accelerator letters of the function items (options dialog; for the run only).
struct FunctionAccelerators {
  char16_t addCurrentFolder = u'A';
  char16_t deleteCurrentFolder = u'R';
  char16_t configureJumpList = u'C';
  char16_t batchDelete = u'D';
  char16_t appSettings = u'S';
  char16_t forbidJumpListHotKey = u'J';
};

std::u16string AddCurrentFolderCaption(const FunctionAccelerators& accelerators);
std::u16string DeleteCurrentFolderCaption(const FunctionAccelerators& accelerators);
inline constexpr std::u16string_view kAddCurrentFolderToGroupCaption = u"添加当前文件夹到本层(&A)";

// ---------------------------------------------------------------------------
// Current-folder items

// Gives every group that holds entries, at every depth, exactly one pair of
// current-folder items at its end (a separator and "添加当前文件夹到本层(&A)"),
// or, with `on` false, removes every such pair. Idempotent: existing pairs are
// kept (and moved to the end), never doubled. New items take tags from the
// list's counter. Function items are left alone.
void SetCurrentFolderItems(JumpList& list, bool on);

bool IsCurrentFolderItem(const JumpItem& item);
// True for a group that holds something besides its placeholder and its
// current-folder pair.
bool HasStoredChildren(const JumpItem& group);

// ---------------------------------------------------------------------------
// Preparation

// Which function items show (the Hide... options).
struct FunctionItemsShown {
  bool addOrDeleteCurrentFolder = true;
  bool configureJumpList = true;
  bool batchDelete = true;
  bool appSettings = true;
  bool forbidJumpListHotKey = true;
};

struct MenuOptions {
  FunctionAccelerators accelerators;
  FunctionItemsShown shown;
  // "禁用弹出跳转列表的热键(&J)" is enabled only while a hotkey popup is shown.
  bool forbidJumpListHotKeyEnabled = false;
  // Setting AddCurDirForEverySubJumplist.
  bool currentFolderItemInEveryGroup = true;
};

// What one item shows in this showing.
struct ItemView {
  std::u16string_view caption;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  bool separator = false;
  bool icon = false;  // a function item shows its template's icon
};

class PreparedMenu {
 public:
  ItemView View(const JumpItem& item) const;

  // The open folder as it was read (a UNC path keeps its leading backslashes).
  const std::u16string& CurrentFolder() const { return currentFolder_; }
  // The open folder is in the list: the add/delete item offers deletion.
  bool OffersDeletion() const { return !matched_.empty(); }
  // Tags of the entries and groups that point at the open folder, in menu order.
  const std::vector<int32_t>& MatchedTags() const { return matched_; }
  bool IsMatched(int32_t tag) const { return matchedSet_.count(tag) != 0; }
  bool IsChecked(int32_t tag) const { return checked_.count(tag) != 0; }
  // The current-folder item `tag` of a group offers to delete the open
  // folder from its group (an entry of the group points at it).
  bool GroupItemOffersDeletion(int32_t tag) const {
    return groupItemsOfferingDeletion_.count(tag) != 0;
  }
  const MenuOptions& Options() const { return options_; }

 private:
  friend PreparedMenu PrepareJumpMenu(const JumpList&, std::u16string_view, const MenuOptions&,
                                      const paths::VariableExpander&);
  MenuOptions options_;
  std::u16string currentFolder_;
  std::vector<int32_t> matched_;
  std::unordered_set<int32_t> matchedSet_;
  std::unordered_set<int32_t> checked_;
  std::u16string addOrDeleteCaption_;
  std::u16string deleteCaption_;
  std::u16string configureCaption_, batchDeleteCaption_, appSettingsCaption_, forbidCaption_;
  // Current-folder items of groups that hold the open folder directly.
  std::unordered_set<int32_t> groupItemsOfferingDeletion_;
  std::unordered_set<int32_t> iconsHidden_;  // function tags whose accelerator an entry takes
};

// Decides every check mark, caption, icon and visibility of one showing from
// the list, the open folder and the options. An entry (or group) points at
// the folder when its path info, its pieces joined by "|", marks stripped and
// variables expanded through `expand` when it carries the variables mark,
// equals the folder once blanks and backslashes are trimmed from both ends
// (without regard to case). An empty folder matches nothing. Every path info
// is split and expanded once.
PreparedMenu PrepareJumpMenu(const JumpList& list, std::u16string_view currentFolder,
                             const MenuOptions& options, const paths::VariableExpander& expand);

// The popup as prepared, as text: one line per shown item, two spaces per
// level, "[x] " before a checked item, a group as "CAPTION/", a separator as
// "-"; function and current-folder items with their prepared captions.
// Hidden items (and what is below them) are left out. Deeper than 100 levels
// the indentation stops growing and the line names its level ("[150] ").
std::u16string PreparedMenuText(const JumpList& list, const PreparedMenu& prepared);

// ---------------------------------------------------------------------------
// What the items do

// What adding the open folder leads to.
enum class AddCurrentFolderDecision { NoFolder, OpenAddDialog, NotAFolder };
// A drive path ("D:\...") or a UNC path ("\\server\share") can be added;
// anything else (a shell namespace path) cannot.
AddCurrentFolderDecision DecideAddCurrentFolder(std::u16string_view folder);
// Tells the user why `folder` is not added (NoFolder, NotAFolder); says
// nothing for OpenAddDialog.
void TellAddCurrentFolderRefused(AddCurrentFolderDecision decision, std::u16string_view folder,
                                 core::UserPrompts& prompts);

// Removes what the add/delete item's deletion removes: the first entry (in
// menu order) that the preparation checked. When that is a group, only the
// group's own path info goes, never its entries. A group left without stored
// entries becomes a plain entry keeping its path info. False when the
// preparation checked nothing (the list is unchanged).
bool DeleteCurrentFolderEntry(JumpList& list, const PreparedMenu& prepared);

// The same for the current-folder item `itemTag` of a group: the first
// direct child of that group that the preparation checked.
bool DeleteCurrentFolderFromGroup(JumpList& list, const PreparedMenu& prepared, int32_t itemTag);

// The group a current-folder item belongs to; null when `itemTag` is no such item.
const JumpItem* GroupOfCurrentFolderItem(const JumpList& list, int32_t itemTag);

// Whether a path exists as a folder or a file (or answers like one).
using PathExists = std::function<bool(std::u16string_view path)>;

struct BatchDeleteOptions {
  bool recognizeWebAddresses = false;  // untagged "www."/"http(s)://" pieces are web addresses
  paths::VariableExpander expand;      // for entries with the variables mark
};

// "本地路径不存在的条目": removes every shown entry none of whose paths can be
// opened as an existing local path, tested the way activation opens it:
// alternations multiplied out, tags stripped, variables expanded when
// marked. A piece of any other type (registry, web address, share) keeps the
// entry; so does an existing folder or file or a shell namespace path. A
// group left without stored entries goes too. Returns how many items went.
size_t DeleteItemsLocalPathNotExist(JumpList& list, const PathExists& exists,
                                    const BatchDeleteOptions& options);
// "未关联路径或网址的条目": removes every shown entry whose path info is blank
// (blanks and stars aside), and groups left without stored entries.
size_t DeleteItemsAssociateNull(JumpList& list);

// The path infos a Ctrl-opened group runs, in order: its shown, enabled
// entries and subgroups (with their own path infos), up to a function
// separator; separators and current-folder items are passed over.
std::vector<std::u16string> GroupRunPathInfos(const JumpList& list, const JumpItem& group);

// Whether choosing `item` runs it as one entry: an entry, or a group without
// anything to show but its placeholder.
bool RunsAsEntry(const JumpItem& item);

// ---------------------------------------------------------------------------
// Where the popup appears

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  // Non-empty means width and height both non-zero.
  bool Empty() const { return right == left || bottom == top; }
};

enum class MenuPlacement { UnderCursor, UnderMainWindow, UnderAddressBar, AtCentre };
// From the four radio options; the address bar when none is set.
MenuPlacement MenuPlacementFrom(bool underCursor, bool underMainWindow, bool underAddressBar,
                                bool atCentre);

enum class PanelChoice { Left, Right, Source, Target };

// The control of a folder manager the popup is placed at.
enum class ManagerArea {
  None,
  ExplorerAddressBar,
  TotalCommanderPanel,       // panel 1 left, 2 right
  DirectoryOpusFileDisplay,  // n-th file display
  XYplorerAddress,
  Xplorer2Address,
  FreeCommanderFileList,  // panel 2 the first list, else the last
};

struct PlacementOptions {
  MenuPlacement placement = MenuPlacement::UnderAddressBar;
  int chosenFolderManager = 0;  // FolderManagerName: 0 Explorer ... 5 FreeCommander, 6 other
  PanelChoice totalCommanderPanel = PanelChoice::Source;
  PanelChoice directoryOpusPanel = PanelChoice::Source;
  PanelChoice freeCommanderPanel = PanelChoice::Source;
};

// Facts the decision asks for, only those it needs. Each rectangle is empty
// when its window or control is missing.
class PopupPlaceFacts {
 public:
  virtual ~PopupPlaceFacts() = default;
  virtual ScreenRect DteEditRect() = 0;
  // The class of the topmost folder manager window (empty when none).
  virtual std::u16string TopmostManagerClass() = 0;
  virtual ScreenRect ConsoleRect() = 0;
  virtual ScreenRect DialogAddressBandRect() = 0;
  virtual ScreenPoint Cursor() = 0;
  virtual ScreenRect MainWindowRect() = 0;
  // Total Commander answers that its left panel is the active one.
  virtual bool TotalCommanderLeftPanelActive() = 0;
  virtual ScreenRect ManagerAreaRect(ManagerArea area, int panel) = 0;
  virtual ScreenPoint Centre() = 0;
};

enum class PlaceReason {
  DteEdit,
  Console,
  DialogAddressBand,
  Cursor,
  MainWindow,
  ManagerArea,
  Centre
};

struct PopupPlace {
  ScreenPoint at;
  PlaceReason reason = PlaceReason::Centre;
  // A DTE target without its path box: the topmost folder manager becomes
  // the target.
  bool retargetToTopmostManager = false;
};

PopupPlace DecidePopupPlace(std::u16string_view targetClass, const PlacementOptions& options,
                            PopupPlaceFacts& facts);

// A showing from the main menu, the tray or "/OpenJumpList" looks at the
// shown window just below the main window: the one the user worked in. It is
// the target itself when entries open into it (a "DTE" window, a console, an
// Open/Save dialog); any other window, a message box among them, leaves the
// target to the topmost folder manager.
bool WindowBelowIsTarget(std::u16string_view className, windows::DialogType dialogType);

// One top-level item for the centre estimate.
struct TopLevelMeasure {
  int captionWidth = 0;  // in pixels, with the menu font
  bool visible = true;
  bool separator = false;
};
// The popup's top-left corner that centres it on the work area: width = the
// widest shown caption + 9, + 58 more with a separator; height = shown items
// x `itemHeight`.
ScreenPoint EstimateCentre(const std::vector<TopLevelMeasure>& items, int itemHeight,
                           const ScreenRect& workArea);

}  // namespace pathorama::jumplist
