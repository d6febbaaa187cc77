// What a path names on disk, for the portable decisions that take a
// PathKindProbe.
#pragma once

#include <string>

#include "windows/selection_text.h"

namespace pathorama::windows::win32 {

PathKind ProbePath(const std::u16string& path);

}  // namespace pathorama::windows::win32
