// Running one jump-list entry: every path of its path info in order, each
// prepared (type, tags, variables, start parameter) and handed to
// OpenPathPiece, with the messages when nothing could be opened.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"
#include "paths/opening.h"
#include "paths/path_info.h"

namespace pathorama::paths {

// One path of an entry, ready for OpenPathPiece.
struct PreparedPiece {
  PathType type = PathType::Local;
  std::u16string path;   // tags stripped, variables expanded when marked
  std::u16string extra;  // the tail tag's start parameter
  friend bool operator==(const PreparedPiece&, const PreparedPiece&) = default;
};

// The paths of a path info as an item run opens them. `expand` is applied
// when the path info carries the variables mark. A piece written as a UNC
// path ("\\server\share") keeps its two leading backslashes.
std::vector<PreparedPiece> PrepareItemPieces(std::u16string_view pathInfo,
                                             bool recognizeWebAddresses,
                                             const VariableExpander& expand);

// The item's show command: the built-in Explorer's window state, else normal.
ShowCommand ItemShowCommand(const OpeningOptions& options);

// Performs what OpenPathPiece decided; the Win32 side.
class PieceActions {
 public:
  virtual ~PieceActions() = default;
  virtual void Perform(const PieceAction& action) = 0;
  // The target as it stands before each path (a window that went away or
  // changed class is "any other window").
  virtual TargetKind CurrentTarget() = 0;
};

struct ItemRunResult {
  bool anyOpenable = false;
  bool dialogSwitched = false;
  // The target was a dialog: it is brought back to the front and forgotten.
  bool targetWasDialog = false;
};

struct ItemRunRequest {
  std::u16string pathInfo;
  bool recognizeWebAddresses = false;
  VariableExpander expand;  // may be empty when there are no variables to expand
  windows::DialogType dialogType = windows::DialogType::None;  // of a dialog target
};

// The item run. Asks and tells through `prompts`.
ItemRunResult RunItem(const ItemRunRequest& request, const OpeningOptions& options,
                      OpeningFacts& facts, PieceActions& actions, core::UserPrompts& prompts);

}  // namespace pathorama::paths
