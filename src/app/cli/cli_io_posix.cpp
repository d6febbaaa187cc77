#include <cstdio>

#include "app/cli/cli_io.h"
#include "core/text.h"

namespace pathorama::cli {

void WriteStdout(std::u16string_view text) {
  std::string bytes = Utf16ToUtf8(text);
  fwrite(bytes.data(), 1, bytes.size(), stdout);
  fflush(stdout);
}

void WriteStderr(std::u16string_view text) {
  std::string bytes = Utf16ToUtf8(text);
  fwrite(bytes.data(), 1, bytes.size(), stderr);
  fflush(stderr);
}

}  // namespace pathorama::cli
