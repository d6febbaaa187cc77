// `accel`: the accelerator key the jump-list editor gives a caption, or the
// caption without its accelerators.
#include "app/cli/cli.h"
#include "editor/accelerator_keys.h"

namespace pathorama::app::cli {

int RunAccel(const std::vector<std::u16string>& args, Output& output) {
  bool remove = false;
  const std::u16string* text = nullptr;
  for (const std::u16string& arg : args) {
    if (arg == u"--remove" && !remove && !text)
      remove = true;
    else if (!text)
      text = &arg;
    else
      throw UsageError{u"too many arguments"};
  }
  if (!text) throw UsageError{u"missing TEXT"};
  // TEXT is a node text: removal keeps a group head a group head.
  output.Line(remove ? editor::RemoveNodeAcceleratorKeys(*text) : editor::AddAcceleratorKey(*text));
  return 0;
}

}  // namespace pathorama::app::cli
