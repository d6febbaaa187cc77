// Preparing the jump-list popup for a large list (10,000 entries in 1,000
// groups, three levels deep) with 0 %, 10 % and 100 % of the entries
// carrying the variables mark and a date variable, the open folder matching
// one entry deep in the tree. Each benchmark reports the processor time per
// entry and its ratio to a plain comparison pass over the same path infos
// (trim and compare each one, no splitting, no expansion), measured in the
// same run ("x_plain").
#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "core/ini.h"
#include "core/text.h"
#include "jumplist/jump_list.h"
#include "jumplist/jump_menu.h"
#include "variables/clocks.h"
#include "variables/fake_system_facts.h"
#include "variables/numbering.h"
#include "variables/system_facts.h"
#include "variables/variable_expansion.h"

namespace pathorama {
namespace {

constexpr int kGroups = 1000;
constexpr int kEntriesPerGroup = 10;
constexpr int kEntries = kGroups * kEntriesPerGroup;

// The list with every `markEvery`-th entry marked (0: none). Groups nest in
// tens: ten outer groups of ten groups of ten groups... as far as 1,000 go.
// With `variableLast`, a marked path ends in a variable, so neither its
// written head nor its tail tells it from the open folder: every marked
// entry is expanded.
jumplist::JumpList MakeList(int markEvery, bool variableLast = false) {
  core::IniDocument doc;
  core::IniSection& menu = doc.Section(u"PathMenu");
  int n = 0;
  auto line = [&](std::u16string key, std::u16string value) {
    menu.Append({std::move(key), std::move(value), true});
  };
  for (int g = 0; g < kGroups; ++g) {
    if (g % 100 == 0) line(u"menu" + core::IntToText(++n), u"-区域 " + core::IntToText(g / 100));
    if (g % 10 == 0) line(u"menu" + core::IntToText(++n), u"-部门 " + core::IntToText(g / 10));
    line(u"menu" + core::IntToText(++n), u"-项目组 " + core::IntToText(g));
    for (int e = 0; e < kEntriesPerGroup; ++e) {
      const int id = g * kEntriesPerGroup + e;
      line(u"menu" + core::IntToText(++n), u"报告与资料 " + core::IntToText(id) + u"(&R)");
      std::u16string path =
          u"D:\\工作\\项目" + core::IntToText(g) + u"\\资料" + core::IntToText(id);
      if (markEvery && id % markEvery == 0)
        path = u"*E:\\备份\\{YYYY}\\" + core::IntToText(id) + (variableLast ? u"\\{MM}" : u"");
      line(u"path" + core::IntToText(n), path);
    }
    line(u"menu" + core::IntToText(++n), u"--");
    if (g % 10 == 9) line(u"menu" + core::IntToText(++n), u"--");
    if (g % 100 == 99) line(u"menu" + core::IntToText(++n), u"--");
  }
  jumplist::JumpList list;
  list.CreatePathListFromIni(doc);
  jumplist::CopyFunctionItemsIntoJumpList(list, 1);
  jumplist::SetCurrentFolderItems(list, true);
  return list;
}

// One entry deep in the last group: as written, or as its marked form
// expands when every entry is marked.
const std::u16string kOpenFolder = u"d:\\工作\\项目998\\资料9985\\";
const std::u16string kOpenMarkedFolder = u"E:\\备份\\2026\\9985";
const std::u16string kOpenMonthFolder = u"E:\\备份\\2026\\9980\\03";

struct Environment {
  variables::FixedClock clock{variables::LocalDateTime{2026, 3, 8, 9, 3, 7, 0}};
  variables::SeededRandom random{1};
  variables::VariableOptions options;
  variables::VariableEnvironment env{&clock, &random, &options};
  paths::VariableExpander expand = [this](std::u16string_view text) {
    return variables::ExpandPathVariables(text, env);
  };
};

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The floor: every path info trimmed and compared with the folder once.
size_t PlainPass(const jumplist::JumpList& list, const std::u16string& folderKey) {
  size_t matches = 0;
  for (const auto& [tag, info] : list.PathByTagMap()) {
    std::u16string key = core::TrimChars(info, u" \\");
    if (key.size() == folderKey.size() && core::EqualsIgnoreCase(key, folderKey)) ++matches;
  }
  return matches;
}

double PlainSeconds() {
  static const double seconds = [] {
    jumplist::JumpList list = MakeList(0);
    const std::u16string key = core::TrimChars(kOpenFolder, u" \\");
    constexpr int kRuns = 200;
    for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(PlainPass(list, key));
    double start = CpuSeconds();
    for (int i = 0; i < kRuns; ++i) benchmark::DoNotOptimize(PlainPass(list, key));
    return (CpuSeconds() - start) / kRuns;
  }();
  return seconds;
}

void BM_PlainComparison(benchmark::State& state) {
  jumplist::JumpList list = MakeList(0);
  const std::u16string key = core::TrimChars(kOpenFolder, u" \\");
  double start = CpuSeconds();
  for (auto _ : state) benchmark::DoNotOptimize(PlainPass(list, key));
  double perRun = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["us_per_entry"] = perRun * 1e6 / kEntries;
  state.counters["x_plain"] = perRun / PlainSeconds();
}
BENCHMARK(BM_PlainComparison)->Unit(benchmark::kMillisecond);

// Prepares the menu of `list` for `folder` for the benchmark's iterations.
void MeasurePreparation(benchmark::State& state, const jumplist::JumpList& list,
                        const std::u16string& folder) {
  Environment e;
  const jumplist::MenuOptions options;
  size_t matched = 0;
  double start = CpuSeconds();
  for (auto _ : state) {
    jumplist::PreparedMenu prepared = jumplist::PrepareJumpMenu(list, folder, options, e.expand);
    matched = prepared.MatchedTags().size();
    benchmark::DoNotOptimize(prepared);
  }
  double perRun = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  if (matched != 1) state.SkipWithError("the deep entry was not matched");
  state.counters["us_per_entry"] = perRun * 1e6 / kEntries;
  state.counters["x_plain"] = perRun / PlainSeconds();
}

// state.range(0): percent of the entries marked (0, 10, 100).
void BM_PrepareJumpMenu(benchmark::State& state) {
  const int percent = static_cast<int>(state.range(0));
  MeasurePreparation(state, MakeList(percent == 0 ? 0 : 100 / percent),
                     percent == 100 ? kOpenMarkedFolder : kOpenFolder);
}
BENCHMARK(BM_PrepareJumpMenu)->Arg(0)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The same with every marked path ending in a variable: all of them are
// expanded (state.range(0): percent marked).
void BM_PrepareJumpMenuExpandingEveryMark(benchmark::State& state) {
  MeasurePreparation(state, MakeList(100 / static_cast<int>(state.range(0)), true),
                     kOpenMonthFolder);
}
BENCHMARK(BM_PrepareJumpMenuExpandingEveryMark)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// 1,000 marked entries under the folder open in a file manager
// ("{OpenedDir}\资料N\{MM}", a variable last, so every one is expanded):
// one preparation is one batch, which asks the (counting) provider once
// however many entries want the folder.
void BM_PrepareJumpMenuWithOpenedDir(benchmark::State& state) {
  constexpr int kMarked = 1000;
  core::IniDocument doc;
  core::IniSection& menu = doc.Section(u"PathMenu");
  for (int i = 1; i <= kMarked; ++i) {
    menu.Append({u"menu" + core::IntToText(i), u"资料 " + core::IntToText(i), true});
    menu.Append({u"path" + core::IntToText(i), u"*{OpenedDir}\\资料" + core::IntToText(i) + u"\\{MM}", true});
  }
  jumplist::JumpList list;
  list.CreatePathListFromIni(doc);
  variables::FakeSystemFacts facts;
  facts.openedFolder = u"E:\\打开的";
  Environment e;
  const jumplist::MenuOptions options;
  size_t matched = 0;
  for (auto _ : state) {
    variables::BatchSystemFacts batch(facts);
    e.env.system = &batch;
    jumplist::PreparedMenu prepared =
        jumplist::PrepareJumpMenu(list, u"E:\\打开的\\资料500\\03", options, e.expand);
    matched = prepared.MatchedTags().size();
    benchmark::DoNotOptimize(prepared);
  }
  if (matched != 1) state.SkipWithError("the entry of the open folder was not matched");
  state.counters["provider_calls_per_preparation"] =
      static_cast<double>(facts.openedAsked) / static_cast<double>(state.iterations());
  state.counters["time_per_entry"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * kMarked,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrepareJumpMenuWithOpenedDir)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pathorama

BENCHMARK_MAIN();
