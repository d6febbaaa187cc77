// The ignore-list files (.lst) from arbitrary bytes: read into lines, written
// back, read again.
//
// Invariants:
//  - a line never holds a line break;
//  - the lines read from the written bytes are the lines written (a lone
//    surrogate, which UTF-8 cannot hold, as U+FFFD);
//  - the written bytes are UTF-8 with a byte-order mark, every line ending in
//    CR LF, and writing the re-read lines gives the same bytes again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "fuzz_support.h"
#include "settings/settings_store.h"

namespace pathorama::fuzz {
namespace {

std::string Lines(const std::vector<std::u16string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size() && i < 40; ++i)
    out += "\n  [" + std::to_string(i) + "] \"" + Printable(lines[i]) + "\"";
  if (lines.size() > 40) out += "\n  ... " + std::to_string(lines.size()) + " lines";
  return out;
}

}  // namespace
}  // namespace pathorama::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace pathorama;
  using namespace pathorama::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::u16string> lines = settings::IgnoreListLinesFromBytes(bytes, 936);
  for (const std::u16string& line : lines)
    if (line.find_first_of(u"\r\n") != std::u16string::npos)
      Fail("a line of an ignore list holds no line break", Lines(lines));

  const std::string written = settings::IgnoreListBytesFromLines(lines);
  if (written.rfind("\xEF\xBB\xBF", 0) != 0)
    Fail("an ignore list is written with a byte-order mark", Lines(lines));
  if (!lines.empty() && (written.size() < 5 || written.compare(written.size() - 2, 2, "\r\n") != 0))
    Fail("every written line ends in CR LF", Lines(lines));

  // The file is UTF-8, which has no form for a lone surrogate (a UTF-16
  // file may hold one): it comes back as U+FFFD.
  std::vector<std::u16string> expected;
  for (const std::u16string& line : lines) expected.push_back(WithoutLoneSurrogates(line));
  const std::vector<std::u16string> reread = settings::IgnoreListLinesFromBytes(written, 936);
  if (reread != expected)
    Fail("the lines read back are the lines written",
         "written:" + Lines(lines) + "\nread back:" + Lines(reread));
  if (settings::IgnoreListBytesFromLines(reread) != written)
    Fail("writing the read-back lines gives the same bytes", "lines:" + Lines(lines));
  return 0;
}
