// The editor's tree on the 10,000-entry list (1,000 groups of 10): building
// it from the live list, writing it into the settings document, one
// duplicate-path test (a path no other entry holds, so every entry is
// compared), and moving 5,000 selected entries to the top.
#include <benchmark/benchmark.h>

#include <string>

#include "core/ini.h"
#include "core/text.h"
#include "editor/tree_conversions.h"
#include "editor/tree_duplicates.h"
#include "editor/path_row.h"
#include "editor/tree_moves.h"
#include "jumplist/jump_list.h"
#include "variables/clocks.h"
#include "variables/numbering.h"
#include "variables/variable_expansion.h"

namespace pathorama {
namespace {

constexpr int kGroups = 1000;
constexpr int kEntriesPerGroup = 10;

// The same list as the jump list benchmark's file.
core::IniDocument SampleDocument() {
  core::IniDocument doc;
  core::IniSection& menu = doc.Section(u"PathMenu");
  int n = 0;
  auto line = [&](std::u16string key, std::u16string value) {
    menu.Append({std::move(key), std::move(value), true});
  };
  for (int g = 0; g < kGroups; ++g) {
    line(u"menu" + core::IntToText(++n), u"-项目组 " + core::IntToText(g));
    for (int e = 0; e < kEntriesPerGroup; ++e) {
      std::u16string id = core::IntToText(g * kEntriesPerGroup + e);
      line(u"menu" + core::IntToText(++n), u"报告与资料 " + id + u"(&R)");
      line(u"path" + core::IntToText(n), u"D:\\工作\\项目" + core::IntToText(g) + u"\\资料" + id +
                                             u" | *E:\\备份\\{YYYY}\\" + id);
    }
    line(u"menu" + core::IntToText(++n), u"--");
  }
  return doc;
}

jumplist::JumpList& SampleList() {
  static jumplist::JumpList list = [] {
    jumplist::JumpList l;
    core::IniDocument doc = SampleDocument();
    l.CreatePathListFromIni(doc);
    return l;
  }();
  return list;
}

class QuietPrompts : public core::UserPrompts {
 public:
  void Tell(std::u16string_view, std::u16string_view, core::PromptIcon) override {}
  bool AskYesNo(std::u16string_view, std::u16string_view, core::PromptIcon) override {
    return false;
  }
};

void BM_BuildTree(benchmark::State& state) {
  jumplist::JumpList& list = SampleList();
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  for (auto _ : state) {
    editor::BuildTreeFromJumpListMenu(list, tree);
    benchmark::DoNotOptimize(tree.Size());
  }
}
BENCHMARK(BM_BuildTree)->Unit(benchmark::kMillisecond);

void BM_SaveTreeToDocument(benchmark::State& state) {
  jumplist::JumpList& list = SampleList();
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  editor::BuildTreeFromJumpListMenu(list, tree);
  core::IniDocument doc = SampleDocument();
  for (auto _ : state) benchmark::DoNotOptimize(editor::SavePathListFromTreeViewToIni(tree, doc));
}
BENCHMARK(BM_SaveTreeToDocument)->Unit(benchmark::kMillisecond);

void BM_DuplicateTest(benchmark::State& state) {
  jumplist::JumpList& list = SampleList();
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  editor::BuildTreeFromJumpListMenu(list, tree);
  editor::NodeId node = tree.Insert(editor::Place::LastChildOf(std::nullopt), u"new",
                                    editor::NodeRecord{1, u"D:\\工作\\新项目 | F:\\其它"});
  for (auto _ : state)
    benchmark::DoNotOptimize(editor::FindPathAssociatedWithOtherNode(tree, node, {}));
}
BENCHMARK(BM_DuplicateTest)->Unit(benchmark::kMillisecond);

// Every other entry selected (5,000), moved after a first root node, as
// "上移到顶部" does. The tree is rebuilt outside the timing.
void BM_MoveFiveThousandSelected(benchmark::State& state) {
  jumplist::JumpList& list = SampleList();
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  QuietPrompts prompts;
  for (auto _ : state) {
    state.PauseTiming();
    editor::BuildTreeFromJumpListMenu(list, tree);
    editor::NodeId top = tree.Insert(editor::Place::FirstChildOf(std::nullopt), u"", std::nullopt);
    int entry = 0;
    for (editor::NodeId node : tree.NodesInOrder())
      if (tree.Kind(node) == editor::NodeKind::NormalItem && node != top && entry++ % 2 == 0)
        tree.SetSelected(node, true);
    state.ResumeTiming();
    benchmark::DoNotOptimize(editor::MoveSelectedItems(tree, top, false, prompts));
  }
}
BENCHMARK(BM_MoveFiveThousandSelected)->Unit(benchmark::kMillisecond);

// One keystroke in the path box of an entry of the 10,000-entry tree: the
// typed text stored into the node (type, marks, canonical form) and the blue
// label of its expanded paths rebuilt. The window then repaints the visible
// rows only.
void BM_PathBoxKeystroke(benchmark::State& state) {
  jumplist::JumpList& list = SampleList();
  editor::JumpTree tree(editor::FreshIdsFrom(list));
  editor::BuildTreeFromJumpListMenu(list, tree);
  editor::NodeId entry = tree.NodesInOrder()[5000];
  // An entry with the variables mark, so every keystroke expands its label.
  tree.SetPathInfo(entry, u"*D:\\工作\\{YYYY}\\资料 | E:\\备份\\{MM}");
  variables::FixedClock clock{variables::LocalDateTime{2026, 3, 8, 9, 3, 7, 0}};
  variables::SeededRandom random{1};
  variables::VariableOptions options;
  variables::VariableEnvironment env{&clock, &random, &options};
  const paths::VariableExpander expand = [&env](std::u16string_view text) {
    return variables::ExpandPathVariables(text, env);
  };
  editor::PathRowState row = editor::ShowItemInControls(
      editor::FocusedNode::NormalItem, tree.PathInfo(entry), editor::PathTypeEntry::Local, true, expand);
  const std::u16string typed = row.boxText;
  size_t n = 0;
  for (auto _ : state) {
    row.boxText = typed + (n++ % 2 ? u"x" : u"");
    tree.SetPathInfo(entry, editor::RefreshCurItemPathInfo(row, editor::RowSender::PathBox, true));
    row.label = editor::PathRowLabel(row, expand);
    benchmark::DoNotOptimize(row.label);
  }
}
BENCHMARK(BM_PathBoxKeystroke)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pathorama

BENCHMARK_MAIN();
