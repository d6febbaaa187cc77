// Number sequences, random text and the fixed character strings.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "variables/variable_environment.h"

namespace pathorama::variables {

// Bounds that keep one variable from running away; beyond them the variable
// stays in braces.
inline constexpr long long kMaxSequenceValues = 10'000;
inline constexpr long long kMaxRandomLength = 10'000;
// No path component is longer, so a wider zero padding cannot name a folder.
inline constexpr long long kMaxNumberWidth = 255;
inline constexpr size_t kMaxSequenceText = 1'000'000;

// "{1-10Number}", "{1,5:2RomaNum}", "{0-100:10:3Number}": the values in the
// path-branch format "(a|b|c)", a single value bare. No value for a text
// without a sequence or a sequence over the bounds above.
std::optional<std::u16string> EvaluateSequence(std::u16string_view nameText);
std::optional<std::u16string> EvaluateSequence(const VariableRequest& request);

// "{Random}", "{8Random}", "{8-Random}", "{8+Random}", "{4-8Random}": random
// characters drawn from `options.randomCharacters`. No value for a length
// over kMaxRandomLength or an empty character set.
std::optional<std::u16string> EvaluateRandom(std::u16string_view nameText, RandomSource& random,
                                             const VariableOptions& options);
std::optional<std::u16string> EvaluateRandom(const VariableRequest& request);

// `ABC_Upper`, `ABC_Lower`, `TianGan`, `DiZhi`, `ShengXiao`.
std::optional<std::u16string> FixedString(std::u16string_view name);
std::optional<std::u16string> EvaluateFixedString(const VariableRequest& request);

// A reproducible random source: the same seed gives the same draws on every
// platform.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(uint32_t seed) : engine_(seed) {}
  // Seeded from the system's entropy source.
  SeededRandom();
  uint32_t Below(uint32_t bound) override;

 private:
  std::mt19937 engine_;
};

}  // namespace pathorama::variables
