// Which clipboard formats the backup may copy byte by byte, and how long it
// waits for a clipboard that another program holds open.
#pragma once

#include <array>

namespace pathorama::windows {

// True for formats whose clipboard handle is not a plain global memory block
// (bitmaps, palettes, metafiles, GDI objects, private handles, owner-drawn
// data): copying their bytes would copy a handle or read foreign memory.
bool IsUnsafeClipFormat(unsigned format);

// Pauses between the attempts to open the clipboard: six attempts, about
// 1.5 s of waiting in all.
inline constexpr std::array<int, 5> kClipboardRetryDelaysMs = {100, 200, 300, 400, 500};

}  // namespace pathorama::windows
