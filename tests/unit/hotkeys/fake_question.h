// A three-way question that records what it was asked and answers from a
// script (Yes once the script runs out).
#pragma once

#include <string>
#include <vector>

#include "core/prompts.h"

namespace pathorama::hotkeys::testing {

struct AskedQuestion {
  std::u16string text, caption;
  core::PromptIcon icon;
};

class FakeQuestion : public core::ThreeWayQuestion {
 public:
  explicit FakeQuestion(std::vector<core::PromptAnswer> answers = {}) : answers_(answers) {}
  core::PromptAnswer Ask(std::u16string_view text, std::u16string_view caption,
                         core::PromptIcon icon) override {
    asked.push_back({std::u16string(text), std::u16string(caption), icon});
    if (next_ < answers_.size()) return answers_[next_++];
    return core::PromptAnswer::Yes;
  }
  std::vector<AskedQuestion> asked;

 private:
  std::vector<core::PromptAnswer> answers_;
  size_t next_ = 0;
};

}  // namespace pathorama::hotkeys::testing
