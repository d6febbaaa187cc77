// What the program tells or asks the user while it works: fixed Chinese
// texts with a caption and an icon. The resident program shows them in
// message boxes; the command-line tool writes them to its error output and
// answers questions from its own options. Decisions that ask call this
// interface, so they run the same way under both.
#pragma once

#include <string_view>

namespace pathorama::core {

enum class PromptIcon { Information, Warning, Error, Question };

class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  // A message the user acknowledges.
  virtual void Tell(std::u16string_view text, std::u16string_view caption, PromptIcon icon) = 0;
  // A question with the answers Yes and No; true for Yes.
  virtual bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                        PromptIcon icon) = 0;
};

}  // namespace pathorama::core

namespace pathorama::core {

enum class PromptAnswer { Yes, No, Cancel };

// A question with the answers Yes, No and Cancel in the program's own
// message box, whose buttons carry the program's Chinese captions ("是(&Y)",
// "否(&N)", "取消(&C)"); Escape and the close box answer Cancel.
class ThreeWayQuestion {
 public:
  virtual ~ThreeWayQuestion() = default;
  virtual PromptAnswer Ask(std::u16string_view text, std::u16string_view caption,
                           PromptIcon icon) = 0;
};

}  // namespace pathorama::core
