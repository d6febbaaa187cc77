#include "editor/tree_duplicates.h"

#include <algorithm>

#include "core/text.h"

namespace pathorama::editor {

namespace {

constexpr std::u16string_view kPieceTrim = u" \\/*";

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool EqualsIgnoreAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::u16string_view TrimView(std::u16string_view text, std::u16string_view chars) {
  size_t first = text.find_first_not_of(chars);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(chars) - first + 1);
}

// Calls visit(path) for each compared path of the path info. A path info
// without the variables mark is read in place, without copies: the test
// runs over every entry of the tree.
template <typename Visit>
void ForEachComparedPath(std::u16string_view pathInfo, const paths::VariableExpander& expand,
                         Visit visit) {
  std::u16string expanded;
  std::u16string_view text =
      pathInfo.substr(std::min(pathInfo.find_first_not_of(u" /"), pathInfo.size()));
  text = TrimView(text, u" /\\*");
  if (paths::PathInfoUsesVariables(pathInfo) && expand) {
    expanded = expand(text);
    text = expanded;
  }
  while (true) {
    size_t bar = text.find(u'|');
    std::u16string_view piece = TrimView(text.substr(0, bar), kPieceTrim);
    if (!piece.empty() && visit(piece)) return;
    if (bar == std::u16string_view::npos) return;
    text.remove_prefix(bar + 1);
  }
}

}  // namespace

std::vector<std::u16string> ComparedPaths(std::u16string_view pathInfo,
                                          const paths::VariableExpander& expand) {
  std::vector<std::u16string> out;
  ForEachComparedPath(pathInfo, expand, [&](std::u16string_view path) {
    out.emplace_back(path);
    return false;
  });
  return out;
}

std::optional<PathDuplicate> FindPathAssociatedWithOtherNode(
    const JumpTree& tree, NodeId node, const paths::VariableExpander& expand) {
  if (tree.Kind(node) != NodeKind::NormalItem) return std::nullopt;
  const std::vector<std::u16string> candidates = ComparedPaths(tree.PathInfo(node), expand);
  if (candidates.empty()) return std::nullopt;
  // One walk instead of one per candidate: the earliest candidate wins, and
  // for it the first entry in depth-first order, as a walk per candidate
  // would find.
  size_t best = candidates.size();
  std::optional<NodeId> bestNode;
  for (auto other = tree.FirstRoot(); other && best > 0; other = tree.NextInOrder(*other)) {
    if (*other == node || tree.Kind(*other) != NodeKind::NormalItem) continue;
    ForEachComparedPath(tree.PathInfo(*other), expand, [&](std::u16string_view path) {
      for (size_t i = 0; i < best; ++i) {
        if (EqualsIgnoreAsciiCase(path, candidates[i])) {
          best = i;
          bestNode = other;
          break;
        }
      }
      return best == 0;
    });
  }
  if (!bestNode) return std::nullopt;
  return PathDuplicate{candidates[best], *bestNode};
}

std::u16string DuplicatePathMessage(const JumpTree& tree, NodeId node,
                                    const PathDuplicate& duplicate) {
  // A chain of thousands of groups would give a message of gigabytes (the
  // indentation grows with every level): the middle of a long chain is left
  // out and deep lines name their level instead of indenting further.
  constexpr size_t kShownAtEachEnd = 20;
  constexpr size_t kIndentedLevels = 20;
  std::u16string text =
      u"拟添加的路径已关联到其它条目下，不能再添加到当前条目下\r\r『拟添加路径』：" +
      duplicate.path + u"\r\r『当前条目』：" + tree.Text(node) + u"\r\r『与该条目重复』：\r";
  const std::vector<NodeId> chain = tree.PathFromRoot(duplicate.other);
  for (size_t level = 0; level < chain.size(); ++level) {
    if (chain.size() > 2 * kShownAtEachEnd && level == kShownAtEachEnd) {
      text += u"\r" + std::u16string(2 * kIndentedLevels, u' ') + u"…";
      level = chain.size() - kShownAtEachEnd;
    }
    text += u"\r";
    if (level <= kIndentedLevels) {
      text.append(2 * level, u' ');
    } else {
      text.append(2 * kIndentedLevels, u' ');
      text += u'[';
      text += core::IntToText(static_cast<long long>(level));
      text += u"] ";
    }
    text += tree.Text(chain[level]);
  }
  return text;
}

bool IsPathAssociateOtherNode(const JumpTree& tree, NodeId node,
                              const paths::VariableExpander& expand, core::UserPrompts* prompts) {
  std::optional<PathDuplicate> duplicate = FindPathAssociatedWithOtherNode(tree, node, expand);
  if (!duplicate) return false;
  if (prompts)
    prompts->Tell(DuplicatePathMessage(tree, node, *duplicate), kDuplicatePathCaption,
                  core::PromptIcon::Warning);
  return true;
}

}  // namespace pathorama::editor
