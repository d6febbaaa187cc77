#include "variables/folder_layers.h"

#include <vector>

#include "core/diagnostics.h"
#include "core/regex.h"
#include "core/text.h"
#include "variables/extraction.h"
#include "variables/variable_expansion.h"
#include "variables/variable_patterns.h"

namespace pathorama::variables {

namespace {

// Which layer a name asks for: counted from the drive (`2Folder`), back from
// the variable (`-1Folder`, `pFolder`, `gFolder`) or on after it (`+1Folder`).
struct LayerForm {
  enum Direction { FromDrive, Back, Forward } direction = FromDrive;
  std::optional<long long> n;  // nothing: too large to count
};

std::optional<LayerForm> ParseLayerForm(std::u16string_view name) {
  // The ":" and "::" prefixes choose the context path only.
  while (!name.empty() && name.front() == u':') name.remove_prefix(1);
  if (core::EqualsIgnoreCase(name, u"pFolder")) return LayerForm{LayerForm::Back, 1};
  if (core::EqualsIgnoreCase(name, u"gFolder")) return LayerForm{LayerForm::Back, 2};
  if (!core::EndsWithIgnoreCase(name, u"Folder")) return std::nullopt;
  name.remove_suffix(6);
  LayerForm form;
  if (!name.empty() && (name.front() == u'+' || name.front() == u'-')) {
    form.direction = name.front() == u'+' ? LayerForm::Forward : LayerForm::Back;
    name.remove_prefix(1);
  }
  if (name.empty()) return std::nullopt;
  for (char16_t c : name)
    if (c < u'0' || c > u'9') return std::nullopt;
  form.n = core::ParseInt(name);
  return form;
}

// Layers are the pieces of a text cut at every "\" (an empty piece after a
// final "\" is a layer too). Each lookup below walks only as far as the
// layer it wants, never the whole text: a path of thousands of layer
// variables must expand in time linear in its length.

// Layer `index` (from 1) of `text`, or nothing.
std::optional<std::u16string> LayerOf(std::u16string_view text, long long index) {
  if (index < 1) return std::nullopt;
  size_t from = 0;
  for (long long skipped = 1; skipped < index; ++skipped) {
    const size_t at = text.find(u'\\', from);
    if (at == std::u16string_view::npos) return std::nullopt;
    from = at + 1;
  }
  return std::u16string(text.substr(from, text.find(u'\\', from) - from));
}

std::optional<std::u16string> ChooseLayer(const LayerForm& form, const VariableRequest& request) {
  if (!form.n || *form.n == 0) return std::nullopt;
  const long long n = *form.n;
  switch (form.direction) {
    case LayerForm::FromDrive:
      return LayerOfContext(request.contextPath, n);
    case LayerForm::Forward:
      // The text after starts in the variable's own layer.
      return n < (1LL << 62) ? LayerOf(request.textAfter, n + 1) : std::nullopt;
    case LayerForm::Back: {
      // Back from the layer the variable stands in: its parent is one back.
      // The parent's layers are counted without its final "\" run, so the
      // n-th one back lies that run plus n - 1 cuts before its end.
      const std::u16string_view before = request.textBefore;
      const size_t last = before.rfind(u'\\');
      if (last == std::u16string_view::npos || last == 0) return std::nullopt;  // no parent
      const std::u16string_view parent = before.substr(0, last);
      size_t end = parent.size();
      long long cuts = n - 1;
      for (size_t i = end; i > 0 && parent[i - 1] == u'\\'; --i) ++cuts;
      for (; cuts > 0; --cuts) {
        const size_t at = parent.rfind(u'\\', end - 1);
        if (end == 0 || at == std::u16string_view::npos) return std::nullopt;
        end = at;
      }
      const size_t start = end == 0 ? 0 : parent.rfind(u'\\', end - 1);
      const size_t from = start == std::u16string_view::npos || end == 0 ? 0 : start + 1;
      return std::u16string(parent.substr(from, end - from));
    }
  }
  return std::nullopt;
}

// Whether a layer is still an unexpanded layer variable (in braces: a folder
// merely named "AppFolder" or "Backup2Folder" is a value like any other).
bool HoldsLayerVariable(std::u16string_view layer) {
  static const core::Regex& detector = core::Regex::Get(patterns::LayerDetector());
  try {
    return detector.IsMatch(layer);
  } catch (const core::RegexError& e) {
    core::Trace(u"folder layer left as written: " + core::Utf8ToUtf16(e.what()));
    return true;
  }
}

}  // namespace

std::optional<std::u16string> LayerOfContext(const ContextText& context, long long index) {
  if (index < 1) return std::nullopt;
  const std::u16string_view head = context.head, tail = context.tail;
  const size_t size = head.size() + tail.size();
  auto at = [&](size_t i) { return i < head.size() ? head[i] : tail[i - head.size()]; };
  auto cuts = [&](char16_t c) {
    return c == u'\\' || (context.carriageReturnAsBackslash && c == u'\r');
  };
  size_t i = 0;
  for (long long skipped = 1; skipped < index; ++skipped) {
    while (i < size && !cuts(at(i))) ++i;
    if (i == size) return std::nullopt;
    ++i;
  }
  std::u16string layer;
  for (; i < size && !cuts(at(i)); ++i) layer += at(i);
  return layer;
}

std::optional<std::u16string> EvaluateFolderLayer(const VariableRequest& request) {
  LayerState& state = CurrentLayerState();
  // The place is the layer count of the text before: coming back to a place
  // that is still unresolved means the layers refer to each other.
  const long long place = request.layerCountBefore >= 0 ? request.layerCountBefore
                                                        : LayerCount(request.textBefore);
  if (!state.visitedPositions.insert(place).second) {
    state.stop = true;
    state.visitedPositions.clear();
    return std::nullopt;
  }

  const std::optional<LayerForm> form = ParseLayerForm(request.nameText);
  if (!form) return std::nullopt;
  std::optional<std::u16string> layer = ChooseLayer(*form, request);
  if (!layer) {
    state.visitedPositions.clear();
    return std::u16string();
  }
  // Resolved by a later pass once that variable has its value.
  if (HoldsLayerVariable(*layer)) return std::nullopt;
  state.visitedPositions.clear();
  return layer;
}

}  // namespace pathorama::variables
