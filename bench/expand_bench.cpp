// Expansion of typical path infos, next to the cost of one search of the
// master pattern over the same text: the floor any expansion pays to find
// its first variable (or to learn that there is none). Both searches run
// through the compiled machine code where the library has a JIT.
#include <benchmark/benchmark.h>

#include <ctime>

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
    {"folder layers", u"D:\\a\\b\\c\\{pFolder}\\{gFolder}_{-3Folder}\\{+1Folder}\\x"},
};

struct Environment {
  variables::FixedClock clock{variables::LocalDateTime{2026, 3, 8, 9, 3, 7, 0}};
  variables::SeededRandom random{1};
  variables::VariableOptions options;
  variables::VariableEnvironment env{&clock, &random, &options};
};

// Processor seconds of this process: on a busy machine wall time would
// measure the neighbours.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Processor seconds of one master search over the text, averaged.
double MasterSearchSeconds(std::u16string_view text) {
  const core::Regex& master = variables::MasterRegex(variables::patterns::AllVariables());
  constexpr int kRuns = 20000;
  for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(master.Search(text));  // warm up
  const double start = CpuSeconds();
  for (int i = 0; i < kRuns; ++i) benchmark::DoNotOptimize(master.Search(text));
  return (CpuSeconds() - start) / kRuns;
}

// Also reports the ratio to one master search over the same text, measured
// in the same run ("x_master_search").
void BM_ExpandPathVariables(benchmark::State& state) {
  const Sample& s = kSamples[state.range(0)];
  Environment e;
  const double floor = MasterSearchSeconds(s.text);
  const double start = CpuSeconds();
  for (auto _ : state) benchmark::DoNotOptimize(variables::ExpandPathVariables(s.text, e.env));
  const double perRun = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["x_master_search"] = perRun / floor;
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

// Large texts: the time per variable must not grow with the text (linear
// expansion), whatever the variables are.
std::u16string Repeated(std::u16string_view unit, int64_t times) {
  std::u16string text;
  text.reserve(unit.size() * static_cast<size_t>(times));
  for (int64_t i = 0; i < times; ++i) text += unit;
  return text;
}

void ExpandRepeated(benchmark::State& state, std::u16string_view unit) {
  const std::u16string text = Repeated(unit, state.range(0));
  Environment e;
  for (auto _ : state) benchmark::DoNotOptimize(variables::ExpandPathVariables(text, e.env));
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
void BM_ExpandManyDates(benchmark::State& state) { ExpandRepeated(state, u"{Today}"); }
BENCHMARK(BM_ExpandManyDates)->RangeMultiplier(4)->Range(2500, 40000)->Complexity();
void BM_ExpandManyFolderLayers(benchmark::State& state) {
  ExpandRepeated(state, u"{+1Folder}\\");
}
BENCHMARK(BM_ExpandManyFolderLayers)->RangeMultiplier(4)->Range(1250, 20000)->Complexity();

// A user's expression searched from the end, one search per suffix: the
// budget ends it (the variable stays as written).
void BM_RegexEndpointFromTheEnd(benchmark::State& state) {
  const std::u16string text =
      u"{" + core::IntToText(state.range(0)) + uR"(Random-1*'\w*\w*Q\d\d\d\d\d\d'})";
  Environment e;
  for (auto _ : state) benchmark::DoNotOptimize(variables::ExpandPathVariables(text, e.env));
}
BENCHMARK(BM_RegexEndpointFromTheEnd)->Arg(400)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pathorama

BENCHMARK_MAIN();
