#include "windows/clip_formats.h"

namespace pathorama::windows {

bool IsUnsafeClipFormat(unsigned format) {
  switch (format) {
    case 2:      // CF_BITMAP
    case 3:      // CF_METAFILEPICT: its block holds a metafile handle
    case 9:      // CF_PALETTE
    case 14:     // CF_ENHMETAFILE
    case 0x80:   // CF_OWNERDISPLAY: no data, the owner paints
    case 0x82:   // CF_DSPBITMAP
    case 0x83:   // CF_DSPMETAFILEPICT
    case 0x8E:   // CF_DSPENHMETAFILE
      return true;
    default:
      break;
  }
  // CF_PRIVATEFIRST..CF_PRIVATELAST and CF_GDIOBJFIRST..CF_GDIOBJLAST hold
  // handles of any kind, which the system never frees or copies.
  return format >= 0x200 && format <= 0x3FF;
}

}  // namespace pathorama::windows
