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

// The text cut at every "\"; an empty text after a final "\" is a layer too.
std::vector<std::u16string_view> Layers(std::u16string_view text) {
  std::vector<std::u16string_view> layers;
  size_t from = 0;
  for (size_t at = text.find(u'\\'); at != std::u16string_view::npos;
       from = at + 1, at = text.find(u'\\', from))
    layers.push_back(text.substr(from, at - from));
  layers.push_back(text.substr(from));
  return layers;
}

// Layer `index` (from 1) of `text`, or nothing.
std::optional<std::u16string> LayerOf(std::u16string_view text, long long index) {
  if (index < 1) return std::nullopt;
  const std::vector<std::u16string_view> layers = Layers(text);
  if (static_cast<unsigned long long>(index) > layers.size()) return std::nullopt;
  return std::u16string(layers[static_cast<size_t>(index - 1)]);
}

std::optional<std::u16string> ChooseLayer(const LayerForm& form, const VariableRequest& request) {
  if (!form.n || *form.n == 0) return std::nullopt;
  const long long n = *form.n;
  switch (form.direction) {
    case LayerForm::FromDrive:
      return LayerOf(request.contextPath.Text(), n);
    case LayerForm::Forward:
      // The text after starts in the variable's own layer.
      return n < (1LL << 62) ? LayerOf(request.textAfter, n + 1) : std::nullopt;
    case LayerForm::Back: {
      // Back from the layer the variable stands in: its parent is one back.
      const std::u16string_view before = request.textBefore;
      const size_t last = before.rfind(u'\\');
      const std::u16string_view parent =
          last == std::u16string_view::npos ? std::u16string_view() : before.substr(0, last);
      return LayerOf(parent, LayerCount(parent) - n + 1);
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

std::optional<std::u16string> EvaluateFolderLayer(const VariableRequest& request) {
  LayerState& state = CurrentLayerState();
  // The place is the layer count of the text before: coming back to a place
  // that is still unresolved means the layers refer to each other.
  const std::u16string key = u"," + core::IntToText(LayerCount(request.textBefore)) + u",";
  if (state.visitedPositions.find(key) != std::u16string::npos) {
    state.stop = true;
    state.visitedPositions.clear();
    return std::nullopt;
  }
  state.visitedPositions += key;

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
