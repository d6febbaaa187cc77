#include "windows/office_documents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace pathorama::windows {
namespace {

using enum OfficeProduct;

std::string Narrow(std::u16string_view s) { return std::string(s.begin(), s.end()); }

// A small file system: what exists and what it is.
PathKind Probe(const std::u16string& path) {
  static const std::map<std::u16string, PathKind> fs = {
      {u"D:\\Reports", PathKind::Folder},
      {u"D:\\", PathKind::Folder},
      {u"E:\\Budget", PathKind::Folder},
      {u"F:\\Slides", PathKind::Folder},
      {u"\\\\server\\share\\docs", PathKind::Folder},
      {u"D:\\Reports\\q3.docx", PathKind::File},
      // A relative name that happens to exist beside the program.
      {u"Reports", PathKind::Folder},
  };
  auto it = fs.find(path);
  return it == fs.end() ? PathKind::Missing : it->second;
}

TEST(OfficeDocuments, ProductOfMainWindowClassAndItsWord) {
  struct Case {
    const char16_t* className;
    const char16_t* word;  // empty: not an Office main window
  } cases[] = {
      {u"OpusApp", u"Word"},
      {u"opusapp", u"Word"},
      {u"XLMAIN", u"Excel"},
      {u"xlMain", u"Excel"},
      {u"PPTFrameClass", u"PPT"},
      {u"pptframeclass", u"PPT"},
      {u"_WwF", u""},
      {u"OpusApp2", u""},
      {u"XLMAIN ", u""},
      {u"PPTFrame", u""},
      {u"CabinetWClass", u""},
      {u"", u""},
  };
  for (const Case& c : cases) {
    std::optional<OfficeProduct> product = OfficeProductOfClass(c.className);
    EXPECT_EQ(product ? OfficeProductWord(*product) : u"", c.word) << Narrow(c.className);
  }
}

TEST(OfficeDocuments, WordCountsOnlyWithItsDocumentPane) {
  struct Case {
    const char* what;
    const char16_t* className;
    std::vector<std::u16string> children;
    bool want;
  } cases[] = {
      {"Word with its pane", u"OpusApp", {u"MsoCommandBarDock", u"_WwF"}, true},
      {"class names ignore case", u"opusapp", {u"_wwf"}, true},
      {"Word's start screen has no pane", u"OpusApp", {u"MsoCommandBarDock", u"_WwB"}, false},
      {"no children", u"OpusApp", {}, false},
      {"the pane's own child is not the pane", u"OpusApp", {u"_WwG"}, false},
      {"a pane in another program's window", u"XLMAIN", {u"_WwF"}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HasWordDocumentPane(c.className, c.children), c.want) << c.what;
}

TEST(OfficeDocuments, WindowHandleFromAutomationLong) {
  struct Case {
    int64_t value;
    uint64_t want;
  } cases[] = {
      {0x0001A2B4, 0x1A2B4},
      {0x7FFFFFFF, 0x7FFFFFFF},
      {-2147478988, 0xFFFFFFFF80001234ull},          // a Long with its high bit set
      {0x80001234ll, 0xFFFFFFFF80001234ull},         // the same bits widened without sign
      {0x0000000500001234ll, 0x1234},                // only the low 32 bits carry the handle
      {-1, 0xFFFFFFFFFFFFFFFFull},
      {0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowHandleFromAutomation(c.value), c.want) << c.value;
}

TEST(OfficeDocuments, WhichAnswerGivesAFolderForAWindow) {
  struct Case {
    const char* what;
    OfficeAnswer answer;
    uint32_t windowProcess;
    const char16_t* want;
  } cases[] = {
      {"saved document of this window's application", {10, u"D:\\Reports"}, 10, u"D:\\Reports"},
      {"document at a drive root", {10, u"D:\\"}, 10, u"D:\\"},
      {"document on a share", {10, u"\\\\server\\share\\docs"}, 10, u"\\\\server\\share\\docs"},
      {"another process's application", {11, u"D:\\Reports"}, 10, u""},
      {"application window unknown", {0, u"D:\\Reports"}, 0, u""},
      {"never saved", {10, u""}, 10, u""},
      {"a cloud document", {10, u"https://d.docs.live.net/4f2a/Documents"}, 10, u""},
      {"a folder that is gone", {10, u"D:\\Gone"}, 10, u""},
      {"a file, not a folder", {10, u"D:\\Reports\\q3.docx"}, 10, u""},
      {"a relative name is never taken from our own folder", {10, u"Reports"}, 10, u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FolderForWindow(c.answer, c.windowProcess, Probe), c.want) << c.what;
}

// ---- the walks --------------------------------------------------------------------------

OfficeWindowFacts Shown(const char16_t* className, uint32_t process) {
  return {className, true, process};
}
OfficeWindowFacts Hidden(const char16_t* className, uint32_t process) {
  return {className, false, process};
}

// What each product's running application answers (absent: none runs, or
// it did not answer), and which windows have Word's document pane.
struct World {
  std::vector<OfficeWindowFacts> zOrder;
  std::vector<size_t> panes;
  std::map<OfficeProduct, OfficeAnswer> applications;
};

// Runs a walk in `world`, recording what it asked.
struct Recorder {
  const World& world;
  std::vector<OfficeProduct> asked;
  std::vector<size_t> paneAsked;

  DocumentPaneProbe Panes() {
    return [this](size_t i) {
      paneAsked.push_back(i);
      return std::find(world.panes.begin(), world.panes.end(), i) != world.panes.end();
    };
  }
  OfficeApplicationAsker Ask() {
    return [this](OfficeProduct product) -> std::optional<OfficeAnswer> {
      asked.push_back(product);
      auto it = world.applications.find(product);
      if (it == world.applications.end()) return std::nullopt;
      return it->second;
    };
  }
};

TEST(OfficeDocuments, ProductReaderWalk) {
  struct Case {
    const char* what;
    World world;
    OfficeProduct product;
    size_t start;
    bool walk;
    const char16_t* want;
    size_t asks;  // how often the application was asked
  } cases[] = {
      {"Word in front with a saved document",
       {{Shown(u"OpusApp", 10)}, {0}, {{Word, {10, u"D:\\Reports"}}}}, Word, 0, false,
       u"D:\\Reports", 1},
      {"Word in front with a new document",
       {{Shown(u"OpusApp", 10)}, {0}, {{Word, {10, u""}}}}, Word, 0, true, u"", 1},
      {"no Word runs",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 10)}, {0, 1}, {}}, Word, 0, true, u"", 1},
      {"the walk passes an invisible and a paneless Word window",
       {{Hidden(u"OpusApp", 10), Shown(u"OpusApp", 10), Shown(u"Notepad", 3),
         Shown(u"OpusApp", 10)},
        {0, 3},
        {{Word, {10, u"D:\\Reports"}}}},
       Word, 0, true, u"D:\\Reports", 1},
      {"without walk an invisible start window is all there is",
       {{Hidden(u"OpusApp", 10), Shown(u"OpusApp", 10)}, {0, 1}, {{Word, {10, u"D:\\Reports"}}}},
       Word, 0, false, u"", 0},
      {"without walk a paneless start window is all there is",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 10)}, {1}, {{Word, {10, u"D:\\Reports"}}}},
       Word, 0, false, u"", 0},
      {"no window of the product: its application is not asked",
       {{Hidden(u"OpusApp", 10), Shown(u"OpusApp", 10), Shown(u"XLMAIN", 20)},
        {0},
        {{Word, {10, u"D:\\Reports"}}}},
       Word, 0, true, u"", 0},
      {"the Word reader takes no Excel window",
       {{Shown(u"XLMAIN", 20)}, {}, {{Word, {20, u"D:\\Reports"}}}}, Word, 0, true, u"", 0},
      {"Excel needs no pane",
       {{Shown(u"XLMAIN", 20)}, {}, {{Excel, {20, u"E:\\Budget"}}}}, Excel, 0, false,
       u"E:\\Budget", 1},
      {"PowerPoint from a later start window",
       {{Shown(u"PPTFrameClass", 30), Shown(u"Notepad", 3), Shown(u"PPTFrameClass", 31)},
        {},
        {{PowerPoint, {31, u"F:\\Slides"}}}},
       PowerPoint, 1, true, u"F:\\Slides", 1},
      {"the answer belongs to the second Word below: found there",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 11)}, {0, 1}, {{Word, {11, u"D:\\Reports"}}}},
       Word, 0, true, u"D:\\Reports", 1},
      {"the answer belongs to another Word: none for this window",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 11)}, {0, 1}, {{Word, {11, u"D:\\Reports"}}}},
       Word, 0, false, u"", 1},
      {"Excel asked once for three windows of a hung Excel",
       {{Shown(u"XLMAIN", 20), Shown(u"XLMAIN", 20), Shown(u"XLMAIN", 20)}, {}, {}}, Excel, 0,
       true, u"", 1},
      {"a cloud workbook is no folder",
       {{Shown(u"XLMAIN", 20)}, {}, {{Excel, {20, u"https://contoso.sharepoint.com/x"}}}}, Excel,
       0, true, u"", 1},
      {"start past the end", {{Shown(u"XLMAIN", 20)}, {}, {{Excel, {20, u"E:\\Budget"}}}}, Excel,
       1, true, u"", 0},
  };
  for (const Case& c : cases) {
    Recorder r{c.world, {}, {}};
    EXPECT_EQ(ReadOfficeFolder(c.product, c.world.zOrder, c.start, c.walk, r.Panes(), r.Ask(),
                               Probe),
              c.want)
        << c.what;
    EXPECT_EQ(r.asked.size(), c.asks) << c.what;
    for (OfficeProduct p : r.asked) EXPECT_EQ(p, c.product) << c.what;
    // Only visible Word windows are asked for their pane.
    for (size_t i : r.paneAsked) {
      EXPECT_TRUE(c.world.zOrder[i].visible) << c.what << " at " << i;
      EXPECT_EQ(c.world.zOrder[i].className, u"OpusApp") << c.what << " at " << i;
    }
  }
}

TEST(OfficeDocuments, DocumentFolderOfTheFirstOfficeWindowThatHasOne) {
  struct Case {
    const char* what;
    World world;
    const char16_t* want;
    std::vector<OfficeProduct> asked;
  } cases[] = {
      {"a new Word document in front, a saved workbook below",
       {{Shown(u"OpusApp", 10), Shown(u"Notepad", 3), Shown(u"XLMAIN", 20)},
        {0},
        {{Word, {10, u""}}, {Excel, {20, u"E:\\Budget"}}}},
       u"E:\\Budget", {Word, Excel}},
      {"a saved Word document in front: Excel is never asked",
       {{Shown(u"OpusApp", 10), Shown(u"XLMAIN", 20)},
        {0},
        {{Word, {10, u"D:\\Reports"}}, {Excel, {20, u"E:\\Budget"}}}},
       u"D:\\Reports", {Word}},
      {"two Word windows ask Word once",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 10), Shown(u"PPTFrameClass", 30)},
        {0, 1},
        {{Word, {10, u""}}, {PowerPoint, {30, u"F:\\Slides"}}}},
       u"F:\\Slides", {Word, PowerPoint}},
      {"a hung Word, a saved presentation below",
       {{Shown(u"OpusApp", 10), Shown(u"PPTFrameClass", 30)}, {0}, {{PowerPoint, {30, u"F:\\Slides"}}}},
       u"F:\\Slides", {Word, PowerPoint}},
      {"a hidden workbook window is not reached",
       {{Hidden(u"XLMAIN", 20)}, {}, {{Excel, {20, u"E:\\Budget"}}}}, u"", {}},
      {"a paneless Word on top, Word with a pane below",
       {{Shown(u"OpusApp", 10), Shown(u"OpusApp", 11)}, {1}, {{Word, {11, u"D:\\Reports"}}}},
       u"D:\\Reports", {Word}},
      {"the application of another Word process: nothing for the window it is not",
       {{Shown(u"OpusApp", 10)}, {0}, {{Word, {11, u"D:\\Reports"}}}}, u"", {Word}},
      {"no Office window", {{Shown(u"Notepad", 3), Shown(u"CabinetWClass", 4)}, {}, {}}, u"", {}},
      {"no window at all", {}, u"", {}},
  };
  for (const Case& c : cases) {
    Recorder r{c.world, {}, {}};
    EXPECT_EQ(FindOfficeDocumentFolder(c.world.zOrder, r.Panes(), r.Ask(), Probe), c.want)
        << c.what;
    EXPECT_EQ(r.asked, c.asked) << c.what;
  }
}

}  // namespace
}  // namespace pathorama::windows
