#include "jumplist/caption_limit.h"

#include "core/regex.h"
#include "core/text.h"

namespace pathorama::jumplist {

namespace {

// The accelerator suffix: "(&D)", "[&D]" or "&D)" at the end.
constexpr std::u16string_view kAcceleratorSuffix = uR"([\(\[]?&.[\)\]]$)";

// The first `count` units (none for a count of zero or less), never half a
// surrogate pair.
std::u16string_view Head(std::u16string_view text, long long count) {
  return count <= 0 ? std::u16string_view() : core::TruncateUnits(text, static_cast<size_t>(count));
}

}  // namespace

std::u16string LimitJumpListItemCaptionLength(std::u16string_view sourceItemCaption,
                                              int32_t captionMaxLength,
                                              std::u16string_view replacement) {
  const long long limit = captionMaxLength;
  const long long length = static_cast<long long>(sourceItemCaption.size());
  if (sourceItemCaption.empty() || length <= limit) return std::u16string(sourceItemCaption);
  const long long replacementLength = static_cast<long long>(replacement.size());
  if (auto match = core::Regex::Get(kAcceleratorSuffix).Search(sourceItemCaption)) {
    if (limit >= length - 1) return std::u16string(sourceItemCaption);
    const std::u16string suffix = match->Group();
    std::u16string out(
        Head(sourceItemCaption, limit - replacementLength - static_cast<long long>(suffix.size()) + 1));
    out.append(replacement).append(suffix);
    return out;
  }
  std::u16string out(Head(sourceItemCaption, limit - replacementLength));
  out.append(replacement);
  return out;
}

}  // namespace pathorama::jumplist
