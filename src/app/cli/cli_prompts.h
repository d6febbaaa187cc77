// The command-line tool's user prompts: messages go to the error output;
// a question is answered Yes only when the call said --yes.
#pragma once

#include "app/cli/cli.h"
#include "core/prompts.h"

namespace pathorama::app::cli {

class CliPrompts : public core::UserPrompts {
 public:
  CliPrompts(Output& output, bool answerYes) : output_(output), answerYes_(answerYes) {}
  void Tell(std::u16string_view text, std::u16string_view caption, core::PromptIcon) override {
    ++told_;
    output_.ErrLine(std::u16string(caption) + u": " + OneLine(text));
  }
  bool AskYesNo(std::u16string_view text, std::u16string_view caption,
                core::PromptIcon) override {
    output_.ErrLine(std::u16string(caption) + u": " + OneLine(text) +
                    (answerYes_ ? u" -> 是" : u" -> 否"));
    return answerYes_;
  }
  int Told() const { return told_; }

 private:
  // The boxes' line breaks (CR) as spaces, so a message is one line.
  static std::u16string OneLine(std::u16string_view text) {
    std::u16string line;
    for (char16_t c : text) {
      if (c == u'\r' || c == u'\n') {
        if (!line.empty() && line.back() != u' ') line += u' ';
      } else {
        line += c;
      }
    }
    return line;
  }
  Output& output_;
  bool answerYes_;
  int told_ = 0;
};

}  // namespace pathorama::app::cli
