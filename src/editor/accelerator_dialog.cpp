#include "editor/accelerator_dialog.h"

#include "core/text.h"
#include "editor/accelerator_keys.h"

namespace pathorama::editor {

namespace {

bool IsKeyCharacter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? c - u'a' + u'A' : c; }

}  // namespace

std::u16string AcceleratorDialogLabel(std::u16string_view nodeText, bool isGroupHead) {
  std::u16string label = core::TrimChars(nodeText, u" ");
  if (isGroupHead && !label.empty() && label[0] == u'-')
    label = core::TrimCharsLeft(std::u16string_view(label).substr(1), u" ");
  return label;
}

std::u16string ProposedAcceleratorKey(std::u16string_view label) {
  std::u16string_view t = label;
  while (!t.empty() && t.back() == u' ') t.remove_suffix(1);
  if (t.size() >= 4 && t.substr(t.size() - 4, 2) == u"[&" && t.back() == u']' &&
      IsKeyCharacter(t[t.size() - 2]))
    return std::u16string(1, AsciiUpper(t[t.size() - 2]));
  return ChooseAcceleratorKey(RemoveAcceleratorKeys(label));
}

AcceleratorDialogOk DecideAcceleratorDialogOk(std::u16string_view nodeText, bool isGroupHead,
                                              std::u16string_view boxText) {
  const std::u16string trimmedNode = core::TrimChars(nodeText, u" ");
  if (trimmedNode == u"--" || trimmedNode == u"-") return {};

  const std::u16string box = core::TrimChars(boxText, u" ");
  const bool key = box.size() == 1 && IsKeyCharacter(box[0]);
  if (!box.empty() && !key) return {};

  std::u16string text = RemoveAcceleratorKeys(core::TrimChars(
      AcceleratorDialogLabel(nodeText, isGroupHead), u" "));
  if (key) text += std::u16string(u"[&") + AsciiUpper(box[0]) + u"]";
  if (isGroupHead) text.insert(0, u"-");

  const std::u16string kept = KeepNodeKind(nodeText, text);
  AcceleratorDialogOk result{true, std::nullopt};
  if (kept != nodeText) result.newText = kept;
  return result;
}

DialogBounds PlaceAcceleratorDialog(int left, int top, int width, int height,
                                    DialogBounds workArea) {
  if (left + width > workArea.right) left = workArea.right - width;
  if (top + height > workArea.bottom) top = workArea.bottom - height;
  if (left < workArea.left) left = workArea.left;
  if (top < workArea.top) top = workArea.top;
  return {left, top, left + width, top + height};
}

}  // namespace pathorama::editor
