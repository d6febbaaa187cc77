// Expansion of typical path infos, next to the cost of one search of the
// master pattern over the same text: the floor any expansion pays to find
// its first variable (or to learn that there is none).
#include <benchmark/benchmark.h>

#include "core/regex.h"
#include "core/text.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/variable_expansion.h"
#include "variables/variable_patterns.h"

namespace pathorama {
namespace {

struct Sample {
  const char* label;
  const char16_t* text;
};

const Sample kSamples[] = {
    {"no variables", u"D:\\Work\\Projects\\Reports\\2025"},
    {"dates", u"D:\\Log\\{YYYY}\\{MM}\\{DD}"},
    {"sequence", u"D:\\Backup\\{1-12:1:2Number}"},
    {"extraction", u"D:\\Photos\\{Today1-4}\\{Today5,2}"},
    {"restructuring", u"D:\\Archive\\{Today:0::1,3}\\{ABC_Upper1-6:*[AEIOU]}"},
    {"grouping", u"D:\\Mail\\{Today<4/->}\\{TianGan<2>}"},
    {"random", u"D:\\Tmp\\{8Random}"},
    {"two pieces", u"C:\\a\\{Today} | D:\\b\\{1-3RomaNum}"},
};

struct Environment {
  variables::FixedClock clock{variables::LocalDateTime{2026, 3, 8, 9, 3, 7, 0}};
  variables::SeededRandom random{1};
  variables::VariableOptions options;
  variables::VariableEnvironment env{&clock, &random, &options};
};

void BM_ExpandPathVariables(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  Environment e;
  for (auto _ : state) benchmark::DoNotOptimize(variables::ExpandPathVariables(s.text, e.env));
  state.SetLabel(s.label);
}
BENCHMARK(BM_ExpandPathVariables)->DenseRange(0, std::size(kSamples) - 1);

void BM_MasterPatternSearch(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  const core::Regex& master = variables::MasterRegex(variables::patterns::AllVariables());
  std::u16string_view text = s.text;
  for (auto _ : state) benchmark::DoNotOptimize(master.Search(text));
  state.SetLabel(s.label);
}
BENCHMARK(BM_MasterPatternSearch)->DenseRange(0, std::size(kSamples) - 1);

}  // namespace
}  // namespace pathorama

BENCHMARK_MAIN();
