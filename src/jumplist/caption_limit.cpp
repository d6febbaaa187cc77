#include "jumplist/caption_limit.h"

#include "core/regex.h"

namespace pathorama::jumplist {

namespace {

// The accelerator suffix: "(&D)", "[&D]" or "&D)" at the end.
constexpr std::u16string_view kAcceleratorSuffix = uR"([\(\[]?&.[\)\]]$)";

// The first `count` characters (none for a count of zero or less), without
// a high surrogate whose partner would be cut off.
std::u16string_view Head(std::u16string_view text, long long count) {
  if (count <= 0) return {};
  size_t n = count < static_cast<long long>(text.size()) ? static_cast<size_t>(count) : text.size();
  if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  return text.substr(0, n);
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
