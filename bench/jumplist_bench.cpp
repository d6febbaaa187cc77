// Loading and saving a large jump list (10,000 entries in 1,000 groups) next
// to the floor any load pays: reading the file's bytes and decoding them.
// Each benchmark reports the time per entry and its ratio to that floor,
// measured in the same run ("x_read_decode").
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "core/encoding.h"
#include "core/file_io.h"
#include "core/text.h"
#include "jumplist/jump_list.h"

namespace pathorama {
namespace {

constexpr int kGroups = 1000;
constexpr int kEntriesPerGroup = 10;
constexpr int kEntries = kGroups * kEntriesPerGroup;

// A settings file as the program writes it: options, then the jump list.
const std::u16string& SampleFile() {
  static const std::u16string path = [] {
    std::u16string p =
        core::Utf8ToUtf16("/tmp/pathorama_jumplist_bench_" + std::to_string(getpid()) + ".ini");
    core::IniDocument doc;
    for (int i = 0; i < 80; ++i) doc.Write(u"Option", u"Key" + core::IntToText(i), u"1");
    core::IniSection& menu = doc.Section(u"PathMenu");
    int n = 0;
    auto line = [&](std::u16string key, std::u16string value) { menu.Append({std::move(key), std::move(value), true}); };
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
    if (core::SaveIniDocument(p, doc) != core::FileStatus::kOk) std::abort();
    return p;
  }();
  return path;
}

std::u16string ReadAndDecode() {
  core::FileBytes file = core::ReadFileBytes(SampleFile());
  return core::DecodeText(file.bytes, core::DetectTextEncoding(file.bytes), 936);
}

// Processor seconds of this process: the machine may be busy with other
// work, and wall time would then measure the neighbours.
double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Processor seconds per read-and-decode of the sample file, averaged.
double ReadDecodeSeconds() {
  static const double seconds = [] {
    constexpr int kRuns = 200;
    for (int i = 0; i < 20; ++i) benchmark::DoNotOptimize(ReadAndDecode());  // warm caches
    double start = CpuSeconds();
    for (int i = 0; i < kRuns; ++i) benchmark::DoNotOptimize(ReadAndDecode());
    return (CpuSeconds() - start) / kRuns;
  }();
  return seconds;
}

// Runs `body` for the benchmark's iterations and reports the time per entry
// and the ratio to reading and decoding the file, both in processor time.
template <typename Body>
void Measure(benchmark::State& state, Body body) {
  double floor = ReadDecodeSeconds();
  double start = CpuSeconds();
  for (auto _ : state) body(state);
  double perRun = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["us_per_entry"] = perRun * 1e6 / kEntries;
  state.counters["x_read_decode"] = perRun / floor;
}

void BM_ReadAndDecode(benchmark::State& state) {
  Measure(state, [](benchmark::State&) { benchmark::DoNotOptimize(ReadAndDecode()); });
}
BENCHMARK(BM_ReadAndDecode)->Unit(benchmark::kMillisecond);

// The start-up path: read, detect, decode, parse, build the tree.
void BM_Load(benchmark::State& state) {
  Measure(state, [](benchmark::State&) {
    core::IniDocument doc = core::LoadIniDocument(SampleFile(), 936).document;
    jumplist::JumpList list;
    list.CreatePathListFromIni(doc);
    benchmark::DoNotOptimize(list.Items().data());
  });
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// Writing the list back into the document only.
void BM_SaveToDocument(benchmark::State& state) {
  core::IniDocument doc = core::LoadIniDocument(SampleFile(), 936).document;
  jumplist::JumpList list;
  list.CreatePathListFromIni(doc);
  Measure(state, [&](benchmark::State&) { list.SavePathListFromMenuToIni(doc); });
}
BENCHMARK(BM_SaveToDocument)->Unit(benchmark::kMillisecond);

// The exit path: into the document, then the safe save (temporary file,
// flush to disk, one-step replace).
void BM_SaveToFile(benchmark::State& state) {
  core::IniDocument doc = core::LoadIniDocument(SampleFile(), 936).document;
  jumplist::JumpList list;
  list.CreatePathListFromIni(doc);
  std::u16string target = SampleFile() + u".saved.ini";
  Measure(state, [&](benchmark::State&) { jumplist::SavePathListToIniFile(list, doc, target); });
  std::remove(core::Utf16ToUtf8(target).c_str());
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pathorama

int main(int argc, char** argv) {
  // The file's decoded text is over a megabyte. Whether glibc hands such a
  // block out from fresh pages (mapped, or trimmed back after the last
  // free) depended on what the process freed before, and the page faults
  // then doubled the floor in one build and not in another. Kept mapped, as
  // in a resident program, every operation here is measured without them.
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(pathorama::core::Utf16ToUtf8(pathorama::SampleFile()).c_str());
  return 0;
}
