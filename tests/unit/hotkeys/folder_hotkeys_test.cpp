#include "hotkeys/folder_hotkeys.h"

#include <gtest/gtest.h>

#include <map>

#include "core/text.h"

namespace pathorama::hotkeys {
namespace {

using windows::FolderManager;
using windows::PathKind;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

constexpr char16_t kNamespace[] = u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// A disk with a few folders and one file.
PathKind Disk(const std::u16string& path) {
  if (path == u"D:\\Work" || path == u"C:\\Tools" || path == u"D:\\Reports" || path == u"C:\\")
    return PathKind::Folder;
  if (path == u"D:\\Work\\a.txt") return PathKind::File;
  return PathKind::Missing;
}

class FakeReaders : public ManagerFolderReaders {
 public:
  std::map<FolderManager, std::u16string> folders;
  std::u16string topmost;
  std::vector<FolderManager> asked;
  std::u16string FolderOf(FolderManager m) override {
    asked.push_back(m);
    return folders.count(m) ? folders[m] : u"";
  }
  std::u16string TopmostManagerFolder() override {
    asked.push_back(FolderManager::None);
    return topmost;
  }
};

TEST(FolderHotKeysTest, FolderFromThePriorManager) {
  using M = FolderManager;
  struct Case {
    int option;
    std::map<M, std::u16string> folders;
    std::u16string want;
    std::vector<M> asked;  // None stands for the topmost manager
  } cases[] = {
      {0, {{M::TotalCommander, u"D:\\TC"}}, u"D:\\Top", {M::None}},
      {1, {{M::TotalCommander, u"D:\\TC"}}, u"D:\\TC", {M::TotalCommander}},
      {1, {}, u"D:\\Top", {M::TotalCommander, M::None}},
      {2, {{M::DirectoryOpus, u"D:\\DO"}}, u"D:\\DO", {M::DirectoryOpus}},
      {3, {{M::XYplorer, u"D:\\XY"}}, u"D:\\XY", {M::XYplorer}},
      {4, {{M::Xplorer2, u"D:\\X2"}}, u"D:\\X2", {M::Xplorer2}},
      {5, {{M::FreeCommander, u"D:\\FC"}}, u"D:\\Top", {M::None}},
      {6, {{M::Explorer, u"D:\\EX"}}, u"D:\\EX", {M::Explorer}},
      {6, {}, u"D:\\Top", {M::Explorer, M::None}},
      {99, {{M::Explorer, u"D:\\EX"}}, u"D:\\Top", {M::None}},
  };
  for (const Case& c : cases) {
    FakeReaders readers;
    readers.folders = c.folders;
    readers.topmost = u"D:\\Top";
    EXPECT_EQ(U8(GetFolderFromPriorFolderManager(c.option, readers)), U8(c.want)) << c.option;
    EXPECT_EQ(readers.asked, c.asked) << c.option;
  }
}

TEST(FolderHotKeysTest, UsableFolders) {
  struct Case {
    std::u16string folder, want;
  } cases[] = {
      {u"D:\\Work", u"D:\\Work"},  {u".", u""},         {u"..", u""},
      {u"D:\\Gone", u""},          {u"D:\\Work\\a.txt", u""}, {u"", u""},
      {kNamespace, kNamespace},     {u"::{bad}", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(UsableFolder(c.folder, Disk)), U8(c.want)) << U8(c.folder);
}

class FakeDialogFacts : public DialogHotKeyFacts {
 public:
  std::u16string prior, topmost;
  bool focusIsTextBox = false;
  std::vector<std::string> asked;
  std::u16string PriorManagerFolder() override {
    asked.push_back("prior");
    return prior;
  }
  std::u16string TopmostManagerFolder() override {
    asked.push_back("topmost");
    return topmost;
  }
  bool FocusIsTextBox() override {
    asked.push_back("focus");
    return focusIsTextBox;
  }
  PathKind KindOf(const std::u16string& path) override { return Disk(path); }
};

TEST(FolderHotKeysTest, DialogHotKeyByWindowKind) {
  using S = DialogHotKeyPlan::Step;
  struct Case {
    const char* name;
    std::u16string targetClass;
    bool fillOption;
    std::u16string prior, topmost;
    bool focusIsTextBox;
    DialogHotKeyPlan want;
    std::vector<std::string> asked;
  } cases[] = {
      {"dialog switched", u"#32770", true, u"D:\\Work", u"C:\\Tools", false,
       {S::SwitchDialog, u"D:\\Work"}, {"prior"}},
      {"dialog with a namespace folder", u"#32770", true, kNamespace, u"", false,
       {S::SwitchDialog, kNamespace}, {"prior"}},
      {"dialog, missing folder", u"#32770", true, u"D:\\Gone", u"", false, {S::WarnNoDialogFolder, u""},
       {"prior"}},
      {"dialog, \"..\"", u"#32770", true, u"..", u"", false, {S::WarnNoDialogFolder, u""}, {"prior"}},
      {"console", u"ConsoleWindowClass", true, u"", u"C:\\Tools", false,
       {S::ChangeConsoleFolder, u"C:\\Tools"}, {"topmost"}},
      {"console without folder", u"ConsoleWindowClass", true, u"D:\\Work", u"", false,
       {S::WarnNoConsoleFolder, u""}, {"topmost"}},
      {"text box filled", u"Notepad", true, u"D:\\Work", u"C:\\Tools", true,
       {S::FillFocusedEdit, u"D:\\Work"}, {"focus", "prior"}},
      {"text box, no folder: the text stays, the fallback decides", u"Notepad", true, u"", u"", true,
       {S::ClipboardFallback, u""}, {"focus", "prior", "topmost"}},
      {"text box, folder gone: not filled", u"Notepad", true, u"D:\\Gone", u"C:\\Tools", true,
       {S::ClipboardFallback, u"C:\\Tools"}, {"focus", "prior", "topmost"}},
      {"filling off", u"Notepad", false, u"D:\\Work", u"C:\\Tools", true,
       {S::ClipboardFallback, u"C:\\Tools"}, {"topmost"}},
      {"no text box", u"Notepad", true, u"D:\\Work", u"C:\\Tools", false,
       {S::ClipboardFallback, u"C:\\Tools"}, {"focus", "topmost"}},
  };
  for (const Case& c : cases) {
    FakeDialogFacts facts;
    facts.prior = c.prior;
    facts.topmost = c.topmost;
    facts.focusIsTextBox = c.focusIsTextBox;
    EXPECT_EQ(PlanDialogHotKey(c.targetClass, c.fillOption, facts), c.want) << c.name;
    EXPECT_EQ(facts.asked, c.asked) << c.name;
  }
}

TEST(FolderHotKeysTest, ClipboardFallback) {
  struct Case {
    bool exists, save, caps;
    FallbackStep want;
  } cases[] = {
      {true, true, false, FallbackStep::Copy},      {false, true, false, FallbackStep::GiveBack},
      {true, false, false, FallbackStep::GiveBack}, {true, true, true, FallbackStep::GiveBack},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DecideClipboardFallback(c.exists, c.save, c.caps), c.want)
        << c.exists << c.save << c.caps;
  EXPECT_EQ(U8(CopiedFolderMessage(u"D:\\Work", u"Ctrl+G")),
            "已经把当前打开的以下文件夹路径复制到剪贴板中\r\n\r\nD:\\Work\r\n\r\n"
            "点亮 CapsLock 时，将临时恢复快捷键 Ctrl+G 在本窗口中的原有功能");
}

TEST(FolderHotKeysTest, OfficeAndDesktopWindows) {
  struct Case {
    std::u16string className;
    bool pane;
    std::optional<windows::OfficeProduct> want;
  } cases[] = {
      {u"OpusApp", true, windows::OfficeProduct::Word},
      {u"OpusApp", false, std::nullopt},
      {u"xlmain", false, windows::OfficeProduct::Excel},
      {u"PPTFrameClass", false, windows::OfficeProduct::PowerPoint},
      {u"Notepad", true, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OfficeDocumentProductOf(c.className, c.pane), c.want) << U8(c.className);
  EXPECT_TRUE(IsShellDesktopClass(u"Progman"));
  EXPECT_TRUE(IsShellDesktopClass(u"WorkerW"));
  EXPECT_FALSE(IsShellDesktopClass(u"#32769"));
  EXPECT_FALSE(IsShellDesktopClass(u"CabinetWClass"));
}

TEST(FolderHotKeysTest, ProgramFolder) {
  struct Case {
    std::u16string path, want;
  } cases[] = {
      {u"C:\\Tools\\app.exe", u"C:\\Tools"},
      {u"C:\\app.exe", u"C:\\"},
      {u"\\\\server\\share\\app.exe", u"\\\\server\\share"},
      {u"app.exe", u""},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(U8(ProgramFolderOf(c.path)), U8(c.want)) << U8(c.path);
}

class FakeCaptureFacts : public CaptureFacts {
 public:
  std::u16string office, program;
  std::vector<windows::OfficeProduct> officeAsked;
  int programAsked = 0;
  std::u16string OfficeFolder(windows::OfficeProduct p) override {
    officeAsked.push_back(p);
    return office;
  }
  std::u16string ProgramPath() override {
    ++programAsked;
    return program;
  }
  PathKind KindOf(const std::u16string& path) override { return Disk(path); }
};

TEST(FolderHotKeysTest, CaptureHotKey) {
  using S = CapturePlan::Step;
  struct Case {
    const char* name;
    std::u16string targetClass;
    bool pane;
    CaptureOptions options;
    std::u16string office, program;
    CapturePlan want;
  } cases[] = {
      {"option off", u"XLMAIN", false, {false, false, false}, u"D:\\Reports", u"", {S::GiveBack}},
      {"Caps Lock", u"XLMAIN", false, {true, false, true}, u"D:\\Reports", u"", {S::GiveBack}},
      {"Excel opened", u"XLMAIN", false, {true, false, false}, u"D:\\Reports", u"",
       {S::Open, u"D:\\Reports"}},
      {"Excel copied", u"XLMAIN", false, {true, true, false}, u"D:\\Reports", u"",
       {S::Copy, u"D:\\Reports", u"已经把当前 Excel 文件所在的文件夹路径复制到剪贴板中\r\n\r\nD:\\Reports",
        u"复制 Excel 文件夹路径"}},
      {"Word copied", u"OpusApp", true, {true, true, false}, u"D:\\Reports", u"",
       {S::Copy, u"D:\\Reports", u"已经把当前 Word 文件所在的文件夹路径复制到剪贴板中\r\n\r\nD:\\Reports",
        u"复制 Word 文件夹路径"}},
      {"unsaved document", u"PPTFrameClass", false, {true, false, false}, u"", u"C:\\Tools\\p.exe",
       {S::GiveBack}},
      {"an Office path that is no folder", u"XLMAIN", false, {true, false, false},
       u"https://example.org/docs", u"", {S::GiveBack}},
      {"the desktop", u"Progman", false, {true, false, false}, u"", u"C:\\windows\\explorer.exe",
       {S::GiveBack}},
      {"the desktop's worker window", u"WorkerW", false, {true, true, false}, u"", u"C:\\x\\e.exe",
       {S::GiveBack}},
      {"a program opened", u"Notepad", false, {true, false, false}, u"", u"C:\\Tools\\np.exe",
       {S::Open, u"C:\\Tools"}},
      {"a program copied", u"Notepad", false, {true, true, false}, u"", u"C:\\np.exe",
       {S::Copy, u"C:\\", u"已经把当前窗口/程序所在的文件夹路径复制到剪贴板中\r\n\r\nC:\\",
        u"复制文件夹路径"}},
      {"no program path", u"Notepad", false, {true, true, false}, u"", u"", {S::Nothing}},
      {"Word without a document pane is any program", u"OpusApp", false, {true, false, false},
       u"D:\\Reports", u"C:\\Tools\\winword.exe", {S::Open, u"C:\\Tools"}},
  };
  for (const Case& c : cases) {
    FakeCaptureFacts facts;
    facts.office = c.office;
    facts.program = c.program;
    CapturePlan plan = PlanCaptureHotKey(c.targetClass, c.pane, c.options, facts);
    EXPECT_EQ(plan.step, c.want.step) << c.name;
    EXPECT_EQ(U8(plan.folder), U8(c.want.folder)) << c.name;
    EXPECT_EQ(U8(plan.message), U8(c.want.message)) << c.name;
    EXPECT_EQ(U8(plan.caption), U8(c.want.caption)) << c.name;
  }
}

}  // namespace
}  // namespace pathorama::hotkeys
