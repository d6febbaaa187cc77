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

std::u16string HexText(uint64_t value, int minDigits) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), u"0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value != 0);
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, minDigits - digits.size(), u'0');
  return u"0x" + digits;
}

}  // namespace pathorama::core
