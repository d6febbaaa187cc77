#include "app/cli/cli_io.h"

#include <cstdio>

#include "core/text.h"

namespace pathorama::app::cli {

void WriteStdout(std::u16string_view text) {
  std::string bytes = core::Utf16ToUtf8(text);
  fwrite(bytes.data(), 1, bytes.size(), stdout);
  fflush(stdout);
}

void WriteStderr(std::u16string_view text) {
  std::string bytes = core::Utf16ToUtf8(text);
  fwrite(bytes.data(), 1, bytes.size(), stderr);
  fflush(stderr);
}

}  // namespace pathorama::app::cli
