#include "editor/editor_actions.h"

#include <unordered_map>
#include <utility>

#include "core/regex.h"
#include "core/text.h"
#include "editor/accelerator_keys.h"
#include "editor/tree_selection.h"
#include "jumplist/caption_limit.h"
#include "paths/item_run.h"
#include "paths/opening.h"

namespace pathorama::editor {

namespace {

int32_t EffectiveLimit(int32_t captionMaxLength) {
  return captionMaxLength > 0 ? captionMaxLength : jumplist::kNoCaptionLimit;
}

// A typed caption as a node can hold it, without the leading dashes and
// spaces that would make it a group head or a separator. Line breaks and
// trailing blanks go first: a title of blanks must come out empty here, not
// only after the node has been made.
std::u16string CaptionOf(std::u16string_view title) {
  return CleanNodeText(core::TrimCharsLeft(CleanNodeText(title), u"- "));
}

// The options of one add: the editor's check boxes decide whether
// accelerators are added and duplicates refused; the rest is the caller's.
AddNodeOptions AddOptionsFor(const EditorOptions& options, const AddNodeOptions& addOptions) {
  AddNodeOptions effective = addOptions;
  if (!options.autoAcceleratorKey)
    effective.addAcceleratorKey = nullptr;
  else if (!effective.addAcceleratorKey)
    effective.addAcceleratorKey = [](std::u16string_view caption) {
      return AddAcceleratorKey(caption);
    };
  effective.forbidDuplicatePaths = options.forbidDuplicatePaths;
  return effective;
}

// One typed title as a node: a separator or an entry without path.
std::optional<NodeId> AddTitle(JumpTree& tree, std::optional<NodeId> dest, bool asSubNode,
                               const std::u16string& title, FileSystemFacts& facts,
                               const AddNodeOptions& addOptions) {
  if (title == kSeparatorText)
    return AddNodeForPath(tree, dest, asSubNode, kSeparatorText, kNoPathInfo, facts, addOptions);
  const std::u16string caption = CaptionOf(title);
  if (caption.empty()) return std::nullopt;
  return AddNodeForPath(tree, dest, asSubNode, caption, u"", facts, addOptions);
}

std::vector<NodeId> InTreeOrder(const JumpTree& tree, const std::vector<NodeId>& nodes) {
  std::vector<NodeId> out;
  for (NodeId node : tree.NodesInOrder())
    for (NodeId added : nodes)
      if (added == node) {
        out.push_back(node);
        break;
      }
  return out;
}

std::optional<NodeId> EndMarkerAfter(const JumpTree& tree, NodeId head) {
  auto next = tree.NextSibling(head);
  return next && tree.Kind(*next) == NodeKind::EndMarker ? next : std::nullopt;
}

bool IsEntryOrGroup(NodeKind kind) {
  return kind == NodeKind::NormalItem || kind == NodeKind::GroupHead;
}

// Normal items from the last to the first, as the delete commands visit
// them. An item that carries others (only a damaged list has one) is left
// alone: deleting it would take them along.
std::vector<NodeId> ChildlessItemsFromLast(const JumpTree& tree) {
  std::vector<NodeId> items;
  for (NodeId node : tree.NodesInOrder())
    if (tree.Kind(node) == NodeKind::NormalItem && !tree.HasChildren(node)) items.push_back(node);
  return {items.rbegin(), items.rend()};
}

// ---- missing local paths

// The drive or share a path lies on: "C:\" or "\\server\share"; none for a
// path that names neither.
std::optional<std::u16string> RootOf(std::u16string_view path) {
  auto isLetter = [](char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); };
  if (path.size() >= 2 && isLetter(path[0]) && path[1] == u':')
    return std::u16string(path.substr(0, 2)) + u"\\";
  if (path.size() > 2 && path[0] == u'\\' && path[1] == u'\\') {
    const size_t server = path.find(u'\\', 2);
    if (server == 2) return std::nullopt;
    if (server == std::u16string_view::npos) return std::u16string(path);
    const size_t share = path.find(u'\\', server + 1);
    return std::u16string(path.substr(0, share));
  }
  return std::nullopt;
}

// Answers about the computer for one command: each root is asked once.
class MissingPathTest {
 public:
  explicit MissingPathTest(PathExistence& facts) : facts_(facts) {}

  // Whether the piece is known not to exist. Anything not known (a path
  // relative to a folder the editor does not know, a drive or share that
  // does not answer) counts as present.
  bool IsKnownMissing(std::u16string_view givenPath) {
    const std::u16string path = paths::TrimOpeningPath(givenPath);
    if (paths::IsShellNamespacePath(path)) return false;
    if (!paths::IsDriveRoot(path) && !paths::IsAbsolutePath(path)) return false;
    const std::optional<std::u16string> root = RootOf(path);
    if (!root || !IsReachable(*root)) return false;
    const std::u16string resolved = paths::ResolvePath(path, u"");
    return !facts_.IsExistingFolder(resolved) && !facts_.IsExistingFile(resolved);
  }

 private:
  bool IsReachable(const std::u16string& root) {
    const std::u16string key = core::ToLower(root);
    auto it = reachable_.find(key);
    if (it == reachable_.end()) it = reachable_.emplace(key, facts_.IsReachable(root)).first;
    return it->second;
  }

  PathExistence& facts_;
  std::unordered_map<std::u16string, bool> reachable_;
};

// Whether an entry is known to point nowhere: every path it opens is a
// local path known to be missing, or it has no path at all.
bool PointsNowhere(std::u16string_view pathInfo, bool recognizeWebAddresses,
                   const paths::VariableExpander& expand, MissingPathTest& test) {
  const bool expands = paths::PathInfoUsesVariables(pathInfo) && expand;
  const std::vector<paths::PreparedPiece> pieces =
      paths::PrepareItemPieces(pathInfo, recognizeWebAddresses, expand);
  // The same pieces before expansion, to tell a piece that expanded empty
  // from one that was empty as written.
  const std::vector<paths::PreparedPiece> written =
      expands ? paths::PrepareItemPieces(pathInfo, recognizeWebAddresses, nullptr) : pieces;
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].type != paths::PathType::Local) return false;
    const std::u16string path = core::TrimChars(pieces[i].path, u" ");
    if (expands) {
      const bool writtenEmpty =
          i >= written.size() || core::TrimChars(written[i].path, u" ").empty();
      // A variable that gives nothing today, or one left as written,
      // says nothing about whether the entry's folder exists.
      if (path.empty() && !writtenEmpty) return false;
      if (path.find(u'{') != std::u16string::npos) return false;
    }
    if (path.empty()) continue;
    if (!test.IsKnownMissing(path)) return false;
  }
  return true;
}

// ---- drawing

bool IsPathTypeTagWord(std::u16string_view word) {
  const auto type = paths::PathTypeFromWord(word);
  return type && *type != paths::PathType::Mixed;
}

// What is left of a path info without the tags that name a path type.
std::u16string WithoutTypeTags(std::u16string_view pathInfo) {
  const core::Regex& tag = core::Regex::Get(uR"( *<([^<>]+|(?R)+)> *)");
  std::u16string out;
  size_t kept = 0;
  try {
    for (const core::RegexMatch& m : tag.FindAll(pathInfo)) {
      if (!IsPathTypeTagWord(m.GroupView(1))) continue;
      out.append(pathInfo.substr(kept, m.Start() - kept));
      kept = m.End();
    }
  } catch (const core::RegexError&) {
    // Brackets nested past the matcher's limits: the text stays whole,
    // which draws the entry as one that holds a path.
    return std::u16string(pathInfo);
  }
  out.append(pathInfo.substr(kept));
  return out;
}

// Blanks and control characters trimmed at both ends.
std::u16string TrimBlanks(std::u16string_view text) {
  size_t begin = 0, end = text.size();
  while (begin < end && text[begin] <= u' ') ++begin;
  while (end > begin && text[end - 1] <= u' ') --end;
  return std::u16string(text.substr(begin, end - begin));
}

}  // namespace

std::vector<std::u16string> SplitTitles(std::u16string_view answer, int32_t captionMaxLength) {
  std::vector<std::u16string> titles;
  for (const std::u16string& raw : core::SplitText(core::TrimChars(answer, u" |"), u"|")) {
    std::u16string title = core::TrimChars(raw, u" ");
    if (title.empty()) continue;
    titles.push_back(
        jumplist::LimitJumpListItemCaptionLength(title, EffectiveLimit(captionMaxLength), u"..."));
  }
  return titles;
}

std::vector<NodeId> AddItems(JumpTree& tree, std::u16string_view answer,
                             const EditorOptions& options, FileSystemFacts& facts,
                             const AddNodeOptions& addOptions) {
  const AddNodeOptions effective = AddOptionsFor(options, addOptions);
  const std::vector<std::u16string> titles = SplitTitles(answer, options.captionMaxLength);
  const std::optional<NodeId> focused = tree.Focused();
  std::vector<NodeId> added;
  if (focused) {
    // Each goes right after the focused node: the last title first keeps
    // the typed order.
    for (auto it = titles.rbegin(); it != titles.rend(); ++it)
      if (auto node = AddTitle(tree, focused, false, *it, facts, effective)) added.push_back(*node);
  } else {
    for (const std::u16string& title : titles)
      if (auto node = AddTitle(tree, std::nullopt, false, title, facts, effective))
        added.push_back(*node);
  }
  return InTreeOrder(tree, added);
}

std::vector<NodeId> AddSubItems(JumpTree& tree, std::u16string_view answer,
                                const EditorOptions& options, FileSystemFacts& facts,
                                const AddNodeOptions& addOptions) {
  const std::optional<NodeId> focused = tree.Focused();
  if (!focused) return {};
  const AddNodeOptions effective = AddOptionsFor(options, addOptions);
  const std::vector<std::u16string> titles = SplitTitles(answer, options.captionMaxLength);
  // An end marker sends each title to the end of its group, so the first
  // goes first; every other target takes each one at the front (or right
  // after itself), so the last goes first.
  auto head = tree.PrevSibling(*focused);
  const bool appends =
      tree.Kind(*focused) == NodeKind::EndMarker && head && tree.Kind(*head) == NodeKind::GroupHead;
  std::vector<NodeId> added;
  auto add = [&](const std::u16string& title) {
    if (auto node = AddTitle(tree, focused, true, title, facts, effective)) added.push_back(*node);
  };
  if (appends) {
    for (const std::u16string& title : titles) add(title);
  } else {
    for (auto it = titles.rbegin(); it != titles.rend(); ++it) add(*it);
  }
  return InTreeOrder(tree, added);
}

std::vector<NodeId> AddGroups(JumpTree& tree, std::u16string_view answer,
                              const EditorOptions& options) {
  std::vector<NodeId> heads;
  for (const std::u16string& raw : core::SplitText(answer, u"|")) {
    const std::u16string title = CaptionOf(raw);
    if (title.empty()) continue;
    std::u16string text = u"-" + title;
    if (options.autoAcceleratorKey) text = KeepNodeKind(text, AddAcceleratorKey(text));

    std::optional<NodeId> focused = tree.Focused();
    if (focused && !heads.empty())
      if (auto end = EndMarkerAfter(tree, *focused)) focused = *end;
    Place place = Place::LastChildOf(std::nullopt);
    if (focused) {
      place = Place::After(*focused);
      if (tree.Kind(*focused) == NodeKind::GroupHead) {
        if (!tree.HasChildren(*focused) || tree.IsExpanded(*focused))
          place = Place::FirstChildOf(*focused);
        else if (auto end = EndMarkerAfter(tree, *focused))
          place = Place::After(*end);
      }
    }
    const NodeId head =
        tree.Insert(place, text, NodeRecord{tree.FreshRecordId(), std::u16string(kNoPathInfo)});
    tree.Insert(Place::After(head), kEndMarkerText,
                NodeRecord{tree.FreshRecordId(), std::u16string(kNoPathInfo)});
    tree.SelectOnly(head);
    heads.push_back(head);
  }
  return heads;
}

std::u16string RenamePrefill(std::u16string_view nodeText, int32_t captionMaxLength) {
  return jumplist::LimitJumpListItemCaptionLength(core::TrimCharsLeft(nodeText, u"-"),
                                                  EffectiveLimit(captionMaxLength), u"...");
}

std::optional<std::u16string> RenamedText(std::u16string_view nodeText, std::u16string_view answer,
                                          const EditorOptions& options) {
  const NodeKind kind = NodeKindOf(nodeText);
  if (!IsEntryOrGroup(kind)) return std::nullopt;
  std::u16string caption = CaptionOf(core::TrimChars(answer, u" "));
  if (caption.empty()) return std::nullopt;
  if (options.autoAcceleratorKey) caption = AddAcceleratorKey(caption);
  std::u16string text = kind == NodeKind::GroupHead ? u"-" + caption : caption;
  // The text the node will hold must still be a caption of the same kind.
  text = CleanNodeText(text);
  if (NodeKindOf(text) != kind || core::TrimCharsLeft(text, u"- ").empty()) return std::nullopt;
  return text;
}

bool ToggleEnabledOfSelection(JumpTree& tree) {
  NormalizeTreeSelection(tree);
  if (!tree.Focused()) return false;
  std::optional<NodeId> last;
  for (NodeId node : tree.SelectedNodes()) {
    if (!IsEntryOrGroup(tree.Kind(node))) continue;
    const std::u16string pathInfo(tree.PathInfo(node));
    tree.SetPathInfo(node, paths::IsPathInfoDisabled(pathInfo)
                               ? core::TrimCharsLeft(pathInfo, u" /")
                               : u"/" + pathInfo);
    last = node;
  }
  if (!last) return false;
  tree.SetFocused(last);
  return true;
}

bool SelectionHasEndMarker(const JumpTree& tree) {
  for (NodeId node : tree.SelectedNodes())
    if (tree.Kind(node) == NodeKind::EndMarker) return true;
  return false;
}

void DeleteSelection(JumpTree& tree) {
  NormalizeTreeSelection(tree);
  const std::vector<NodeId> selected = tree.SelectedNodes();
  for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    if (tree.Contains(*it)) tree.Remove(*it);
}

int DeleteItemsWithMissingLocalPaths(JumpTree& tree, bool recognizeWebAddresses,
                                     const paths::VariableExpander& expand, PathExistence& facts) {
  MissingPathTest test(facts);
  int deleted = 0;
  for (NodeId node : ChildlessItemsFromLast(tree)) {
    if (!PointsNowhere(tree.PathInfo(node), recognizeWebAddresses, expand, test)) continue;
    tree.Remove(node);
    ++deleted;
  }
  return deleted;
}

int DeleteItemsWithoutPath(JumpTree& tree) {
  int deleted = 0;
  for (NodeId node : ChildlessItemsFromLast(tree)) {
    if (!tree.PathInfo(node).empty()) continue;
    tree.Remove(node);
    ++deleted;
  }
  return deleted;
}

SelectionMoveResult MoveSelection(JumpTree& tree, SelectionMove move, core::UserPrompts& prompts) {
  const std::optional<NodeId> focused = tree.Focused();
  if (!focused) return SelectionMoveResult::NothingDone;
  Place place = Place::FirstChildOf(std::nullopt);
  switch (move) {
    case SelectionMove::ToTop:
      break;
    case SelectionMove::ToBottom:
      place = Place::LastChildOf(std::nullopt);
      break;
    case SelectionMove::ToTopOfLevel:
    case SelectionMove::ToBottomOfLevel: {
      const std::optional<NodeId> parent = tree.Parent(*focused);
      for (NodeId node : tree.SelectedNodes())
        if (tree.Parent(node) != parent) return SelectionMoveResult::NotOneLevel;
      place = move == SelectionMove::ToTopOfLevel ? Place::FirstChildOf(parent)
                                                  : Place::LastChildOf(parent);
      break;
    }
  }
  // The selection moves in behind a temporary node that goes again in every
  // case, also when nothing moved or the move threw.
  struct TemporaryNode {
    JumpTree& tree;
    NodeId node;
    ~TemporaryNode() {
      if (tree.Contains(node)) tree.Remove(node);
    }
  } temporary{tree, tree.Insert(place, u"", std::nullopt)};
  const MoveOutcome outcome = MoveSelectedItems(tree, temporary.node, false, prompts);
  return outcome == MoveOutcome::Moved ? SelectionMoveResult::Moved
                                       : SelectionMoveResult::NothingDone;
}

std::u16string_view NotOneLevelMessage(SelectionMove move) {
  switch (move) {
    case SelectionMove::ToTopOfLevel:
      return u"当前选中的条目并不全在同一层级，无法上移到本级顶部";
    case SelectionMove::ToBottomOfLevel:
      return u"当前选中的条目并不全在同一层级，无法下移到本级底部";
    case SelectionMove::ToTop:
    case SelectionMove::ToBottom:
      break;
  }
  return {};
}

namespace {

template <typename Edit>
bool EditSelectedTexts(JumpTree& tree, Edit edit) {
  bool changed = false;
  for (NodeId node : tree.SelectedNodes()) {
    const std::u16string& before = tree.Text(node);
    std::u16string after = KeepNodeKind(before, edit(before));
    if (after == before) continue;
    tree.SetText(node, after);
    changed = true;
  }
  return changed;
}

}  // namespace

bool AddAcceleratorKeysToSelection(JumpTree& tree) {
  return EditSelectedTexts(tree, [](std::u16string_view text) { return AddAcceleratorKey(text); });
}

bool RemoveAcceleratorKeysFromSelection(JumpTree& tree) {
  return EditSelectedTexts(tree,
                           [](std::u16string_view text) { return RemoveAcceleratorKeys(text); });
}

NodeStyle StyleOfNode(const JumpTree& tree, NodeId node) {
  NodeStyle style;
  const std::u16string_view pathInfo = tree.PathInfo(node);
  switch (tree.Kind(node)) {
    case NodeKind::NormalItem:
      style.strikeOut = paths::IsPathInfoDisabled(pathInfo);
      style.bold = pathInfo.find(u'|') != std::u16string_view::npos;
      if (core::TrimChars(WithoutTypeTags(pathInfo), u" /*").empty())
        style.colour = NodeColour::Red;
      else if (!pathInfo.empty() && pathInfo[0] == u'*')
        style.colour = NodeColour::Blue;
      else
        style.colour = NodeColour::Black;
      break;
    case NodeKind::GroupHead:
      style.bold = true;
      style.strikeOut = paths::IsPathInfoDisabled(pathInfo);
      style.colour = tree.IsExpanded(node) ? NodeColour::Black : NodeColour::Fuchsia;
      break;
    case NodeKind::EndMarker:
      style.colour = NodeColour::Gray;
      break;
    case NodeKind::Separator:
      break;
  }
  return style;
}

std::optional<std::u16string> PathHintOfNode(const JumpTree& tree, NodeId node,
                                             const paths::VariableExpander& expand) {
  const NodeRecord* record = tree.Record(node);
  if (!record) return std::nullopt;
  std::u16string hint = TrimBlanks(record->pathInfo);
  if (!hint.empty() && hint[0] == u'*') {
    hint = core::TrimCharsLeft(hint, u" *");
    if (expand) hint = expand(hint);
  }
  if (hint.empty() || hint == kNoPathInfo) return std::nullopt;
  return core::ReplaceAllText(hint, u"|", u"｜");
}

}  // namespace pathorama::editor
