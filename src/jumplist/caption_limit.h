// Shortening of jump-list captions to the user's maximum length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathorama::jumplist {

// `CaptionMaxLength` when no limit is in force.
inline constexpr int32_t kNoCaptionLimit = 2147483647;

// Shortens `sourceItemCaption` to `captionMaxLength` visible characters,
// ending in `replacement` ("..." throughout the program). An accelerator
// suffix such as "(&D)", "[&D]" or "&D)" is kept after the replacement; its
// ampersand is not displayed, so "Documents archive(&A)" with the limit 10
// becomes "Docu...(&A)". A caption one character longer than the limit that
// ends in such a suffix already shows no more than the limit and stays as it
// is. A cut never splits a surrogate pair.
std::u16string LimitJumpListItemCaptionLength(std::u16string_view sourceItemCaption,
                                              int32_t captionMaxLength,
                                              std::u16string_view replacement = u"...");

}  // namespace pathorama::jumplist
