#include "paths/item_run.h"

#include "core/text.h"

namespace pathorama::paths {

namespace {

// Splitting a path info folds runs of backslashes and trims them from the
// ends of pieces, which would turn "\\server\share" into the relative path
// "server\share". The leading backslashes of a UNC piece are held by this
// mark (a noncharacter, never in real text) while the path info is split.
constexpr char16_t kUncMark = u'\uFDD0';

bool IsBlankOrMark(char16_t c) { return c == u' ' || c == u'/' || c == u'*'; }

// End of the head tag "<...>" that starts at `at`, or `at` when there is none
// there. Stops at the first character that cannot be in a tag, so a run of
// pieces that all begin with "<" stays linear.
size_t SkipHeadTag(std::u16string_view text, size_t at) {
  if (at >= text.size() || text[at] != u'<') return at;
  for (size_t i = at + 1; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'>') return i + 1;
    if (c == u'<' || c == u'|' || c == u'\r') return at;
  }
  return at;
}

std::u16string MarkUncPieceStarts(std::u16string_view info) {
  std::u16string out;
  out.reserve(info.size());
  int depth = 0;
  bool pieceStart = true;
  size_t i = 0;
  while (i < info.size()) {
    if (pieceStart) {
      pieceStart = false;
      size_t j = i;
      while (j < info.size() && IsBlankOrMark(info[j])) ++j;
      j = SkipHeadTag(info, j);
      while (j < info.size() && info[j] == u' ') ++j;
      if (j + 1 < info.size() && info[j] == u'\\' && info[j + 1] == u'\\') {
        out.append(info.substr(i, j - i));
        out += kUncMark;
        while (j < info.size() && info[j] == u'\\') ++j;
        i = j;
        continue;
      }
    }
    const char16_t c = info[i++];
    out += c;
    if (c == u'(') {
      ++depth;
    } else if (c == u')') {
      if (depth > 0) --depth;
    } else if ((c == u'|' && depth == 0) || c == u'\r' || c == u'\n') {
      pieceStart = true;
    }
  }
  return out;
}

std::u16string UnmarkUnc(std::u16string text) {
  const size_t at = text.find(kUncMark);
  if (at == std::u16string::npos) return text;
  return core::ReplaceAllText(text, std::u16string_view(&kUncMark, 1), u"\\\\");
}

}  // namespace

std::vector<PreparedPiece> PrepareItemPieces(std::u16string_view pathInfo,
                                             bool recognizeWebAddresses,
                                             const VariableExpander& expand) {
  std::vector<PreparedPiece> pieces;
  const bool variables = PathInfoUsesVariables(pathInfo) && expand;
  for (const std::u16string& piece : SplitPathInfoPieces(MarkUncPieceStarts(pathInfo))) {
    PreparedPiece prepared;
    prepared.type = GetCurPathType(piece, recognizeWebAddresses);
    if (prepared.type == PathType::Untagged) prepared.type = PathType::Local;
    prepared.path = UnmarkUnc(StripPathTags(piece, false));
    if (variables) prepared.path = expand(prepared.path);
    prepared.extra = UnmarkUnc(ExtraPathParam(piece));
    pieces.push_back(std::move(prepared));
  }
  return pieces;
}

ShowCommand ItemShowCommand(const OpeningOptions& options) {
  if (options.manager != FolderManagerChoice::Explorer) return ShowCommand::Normal;
  switch (options.windowState) {
    case WindowState::Maximized: return ShowCommand::Maximized;
    case WindowState::Minimized: return ShowCommand::MinimizedNoActivate;
    case WindowState::Normal: return ShowCommand::Normal;
  }
  return ShowCommand::Normal;
}

ItemRunResult RunItem(const ItemRunRequest& request, const OpeningOptions& options,
                      OpeningFacts& facts, PieceActions& actions, core::UserPrompts& prompts) {
  ItemRunResult result;
  ItemState state;
  state.dialogType = request.dialogType;
  result.targetWasDialog = actions.CurrentTarget() == TargetKind::Dialog;
  const std::vector<PreparedPiece> pieces =
      PrepareItemPieces(request.pathInfo, request.recognizeWebAddresses, request.expand);
  if (!pieces.empty()) {
    for (const PreparedPiece& piece : pieces) {
      if (piece.path.empty()) continue;
      const PieceAction action = OpenPathPiece(piece.type, piece.path, piece.extra, state,
                                               actions.CurrentTarget(), options, facts, prompts);
      if (action.kind != PieceAction::Kind::None) actions.Perform(action);
      if (action.endsItem) break;
    }
    if (!state.anyOpenable)
      prompts.Tell(kItemPathMissingMessage, kItemPathMissingCaption, core::PromptIcon::Error);
  }
  if (result.targetWasDialog && state.dialogType == windows::DialogType::OpenFolder &&
      !state.dialogSwitched)
    prompts.Tell(kNotLocalFolderMessage, kNotLocalFolderCaption, core::PromptIcon::Warning);
  result.anyOpenable = state.anyOpenable;
  result.dialogSwitched = state.dialogSwitched;
  return result;
}

}  // namespace pathorama::paths
