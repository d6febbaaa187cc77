#include "core/diagnostics.h"

#include "core/text.h"

namespace pathorama::core {

std::u16string TraceLine(std::u16string_view timeStamp, unsigned long processId,
                         std::u16string_view message) {
  std::u16string line(timeStamp);
  line += u" [" + IntToText(static_cast<long long>(processId)) + u"] ";
  // One message is one line of the log, whatever it quotes.
  for (char16_t c : message) line += (c == u'\r' || c == u'\n') ? u' ' : c;
  return line;
}

}  // namespace pathorama::core
