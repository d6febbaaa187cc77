#include "paths/folder_manager_commands.h"

#include <gtest/gtest.h>

#include "core/text.h"

namespace pathorama::paths {
namespace {

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

using Choice = FolderManagerChoice;

FolderManagerOptions For(Choice manager, bool reuse) {
  FolderManagerOptions o;
  o.manager = manager;
  o.reuseWindow = reuse;
  return o;
}

TEST(BuildFolderManagerParams, EveryManagerAndOption) {
  struct Case {
    const char* what;
    FolderManagerOptions options;
    const char16_t* want;
  };
  std::vector<Case> cases;
  cases.push_back({"Explorer", For(Choice::Explorer, true), u""});
  cases.push_back({"other program", For(Choice::Other, false), u""});
  cases.push_back({"TC reuse, source panel, new tab", For(Choice::TotalCommander, true),
                   uR"(/O /S /L="%1" /T)"});
  {
    FolderManagerOptions o = For(Choice::TotalCommander, true);
    o.totalCommanderPanel = Panel::Destination;
    o.totalCommanderActivateNewTab = false;
    cases.push_back({"TC reuse, target panel, tab in the background", o, uR"(/O /S /R="%1" /B)"});
    o.totalCommanderNewTab = false;
    o.totalCommanderPanel = Panel::Right;
    cases.push_back({"TC reuse, right panel, no tab", o, uR"(/O /R="%1")"});
  }
  {
    // A new window: no tab, the source panel is the left one.
    FolderManagerOptions o = For(Choice::TotalCommander, false);
    cases.push_back({"TC new window", o, uR"(/N /L="%1" /P=L)"});
    o.totalCommanderPanel = Panel::Destination;
    o.totalCommanderActivateRightPanel = true;
    cases.push_back({"TC new window, target panel", o, uR"(/N /R="%1" /P=R)"});
  }
  cases.push_back({"DO new window, defaults", For(Choice::DirectoryOpus, false),
                   uR"(/cmd Go "%1" New max NewTab +1 ToFront View Thumbnails ExistingLister)"});
  {
    FolderManagerOptions o = For(Choice::DirectoryOpus, true);
    o.directoryOpusPanel = Panel::Right;
    o.directoryOpusNewTabPosition = 3;
    o.directoryOpusActivateNewTab = false;
    o.directoryOpusView = 5;
    o.directoryOpusExpandTree = true;
    o.directoryOpusActivateExistingTab = false;
    cases.push_back({"DO reuse, every option changed", o,
                     uR"(/cmd Go "%1" OpenInRight NewTab Last NoFocus View Details ExpandTree)"});
    o.directoryOpusNewTab = false;
    o.reuseWindow = false;
    o.windowState = WindowState::Normal;
    cases.push_back({"DO new normal window, no tab", o,
                     uR"(/cmd Go "%1" New norm OpenInRight View Details ExpandTree)"});
  }
  cases.push_back({"XYplorer reuse", For(Choice::XYplorer, true), uR"("%1")"});
  {
    FolderManagerOptions o = For(Choice::XYplorer, false);
    o.windowState = WindowState::Minimized;
    cases.push_back({"XYplorer new", o, uR"(/new "%1" /win=min /exp /readonly)"});
  }
  cases.push_back({"Xplorer2 reuse", For(Choice::Xplorer2, true), uR"("%1")"});
  {
    FolderManagerOptions o = For(Choice::Xplorer2, false);
    o.xplorer2DualPanels = false;
    o.xplorer2NotRestoreTabs = true;
    cases.push_back({"Xplorer2 new, one panel", o, uR"("%1" /1 /T)"});
  }
  cases.push_back({"FC reuse", For(Choice::FreeCommander, true), uR"(/C /Z /L="%1" /T)"});
  {
    FolderManagerOptions o = For(Choice::FreeCommander, false);
    o.freeCommanderPanel = Panel::Destination;
    o.freeCommanderActivateRightPanel = true;
    cases.push_back({"FC new", o, uR"(/N /R="%1" /Panel=R)"});
  }
  for (const Case& c : cases)
    EXPECT_EQ(U8(BuildFolderManagerParams(c.options)), U8(c.want)) << c.what;
}

TEST(RewriteParamsForOpenMethod, SwapsTheOpenMethod) {
  struct Case {
    Choice manager;
    const char16_t* params;
    bool reuse;
    const char16_t* want;
  } cases[] = {
      {Choice::TotalCommander, uR"(/O /S /L="D:\x\" /T)", false, uR"(/N /S /L="D:\x\" /T)"},
      {Choice::TotalCommander, uR"(/n /L="D:\x\" /P=L)", true, uR"(/O /L="D:\x\" /P=L)"},
      {Choice::TotalCommander, uR"(/L="D:\x\")", true, uR"(/L="D:\x\")"},
      {Choice::FreeCommander, uR"(/C /Z /L="D:\x\")", false, uR"(/N /Z /L="D:\x\")"},
      {Choice::FreeCommander, uR"(/N /L="D:\x\")", true, uR"(/C /L="D:\x\")"},
      // Directory Opus: a reuse template asked for a new window...
      {Choice::DirectoryOpus, uR"(/cmd Go "D:\x\" NewTab +1 ToFront)", false,
       uR"(/cmd Go "D:\x\" New +1 ToFront)"},
      {Choice::DirectoryOpus, uR"(/cmd Go "D:\x\" View List)", false,
       uR"(/cmd Go New "D:\x\" View List)"},
      // ...and a new-window template asked to reuse one: "New max" goes, "NewTab" stays.
      {Choice::DirectoryOpus, uR"(/cmd Go "D:\x\" New max NewTab +1)", true,
       uR"(/cmd Go "D:\x\"  max NewTab +1)"},
      {Choice::XYplorer, uR"(/new "D:\x\")", true, uR"(/new "D:\x\")"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(U8(RewriteParamsForOpenMethod(c.params, c.manager, c.reuse)), U8(c.want))
        << U8(c.params);
}

TEST(FolderManagerStart, ProgramAndParametersOfOneFolder) {
  struct Case {
    const char* what;
    Choice manager;
    const char16_t* program;
    const char16_t* params;
    const char16_t* folder;
    bool capsLock;
    bool reuse;
    ProgramStart want;
  } cases[] = {
      {"the folder with one backslash", Choice::TotalCommander, u"C:\\TC\\Totalcmd64.exe",
       uR"(/O /S /L="%1" /T)", u"D:\\Docs", false, true,
       {u"C:\\TC\\Totalcmd64.exe", uR"(/O /S /L="D:\Docs\" /T)"}},
      {"trailing backslashes collapse", Choice::TotalCommander, u" \"C:\\TC\\Totalcmd.exe\" ",
       uR"(/L="%1")", u"D:\\Docs\\\\", false, true, {u"C:\\TC\\Totalcmd.exe", uR"(/L="D:\Docs\")"}},
      {"Caps Lock asks for a new window", Choice::TotalCommander, u"C:\\TC\\Totalcmd.exe",
       uR"(/O /S /L="%1" /T)", u"D:\\Docs", true, false,
       {u"C:\\TC\\Totalcmd.exe", uR"(/N /S /L="D:\Docs\" /T)"}},
      {"an empty template passes the folder", Choice::XYplorer, u"C:\\XY\\XYplorer.exe", u"  ",
       u"D:\\Docs", false, true, {u"C:\\XY\\XYplorer.exe", u"D:\\Docs"}},
      {"an empty template quotes a folder with a blank", Choice::Other, u"C:\\FM\\fm.exe", u"",
       u"D:\\My Docs", false, true, {u"C:\\FM\\fm.exe", u"\"D:\\My Docs\""}},
      {"an empty template quotes a folder with a comma", Choice::FreeCommander,
       u"C:\\FC\\FreeCommander.exe", u"", u"D:\\Smith,John", false, true,
       {u"C:\\FC\\FreeCommander.exe", u"\"D:\\Smith,John\""}},
      {"Directory Opus runs through dopusrt.exe", Choice::DirectoryOpus, u"C:\\GPSoftware\\dopus.exe",
       uR"(/cmd Go "%1")", u"D:\\Docs", false, true,
       {u"C:\\GPSoftware\\dopusrt.exe", uR"(/cmd Go "D:\Docs\")"}},
      {"another program gets an unescaped quote", Choice::Other, u"C:\\FM\\fm.exe",
       uR"(--open "%1" --tab %1)", u"D:\\My Docs", false, true,
       {u"C:\\FM\\fm.exe", uR"(--open "D:\My Docs\\" --tab D:\My Docs\)"}},
  };
  for (const Case& c : cases) {
    ProgramStart got =
        FolderManagerStart(c.manager, c.program, c.params, c.folder, c.capsLock, c.reuse);
    EXPECT_EQ(U8(got.program), U8(c.want.program)) << c.what;
    EXPECT_EQ(U8(got.parameters), U8(c.want.parameters)) << c.what;
  }
  // A template with thousands of "%1" stays linear and whole.
  std::u16string many;
  for (int i = 0; i < 5000; ++i) many += u"%1 ";
  EXPECT_EQ(FolderManagerStart(Choice::Other, u"x.exe", many, u"D:\\a", false, true).parameters.size(),
            5000u * 6 - 1);
  EXPECT_EQ(ExplorerStart(u"C:\\Windows\\", u"D:\\a"),
            (ProgramStart{u"C:\\Windows\\Explorer.exe", u"D:\\a"}));
}

// A comma separates Explorer's switches, and other programs split their
// command line at blanks: the folder alone is quoted where it would
// otherwise come apart.
TEST(ExplorerStart, FolderAloneQuotedWhereItWouldComeApart) {
  struct Case {
    const char16_t* folder;
    const char16_t* want;
  } cases[] = {
      {u"D:\\Docs", u"D:\\Docs"},
      {u"C:\\", u"C:\\"},
      {u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"},
      {u"D:\\报告 2024", uR"("D:\报告 2024")"},
      {u"D:\\Smith, John", uR"("D:\Smith, John")"},
      {u"D:\\tab\there", u"\"D:\\tab\there\""},
      {u"\\\\server\\my share", uR"("\\server\my share")"},
      // A backslash before the closing quote would escape it: doubled.
      {u"D:\\My Docs\\", uR"("D:\My Docs\\")"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(U8(ExplorerStart(u"C:\\Windows", c.folder).parameters), U8(c.want)) << U8(c.folder);
}

TEST(FolderManagerTable, ProgramRules) {
  EXPECT_EQ(FolderManagerChoiceFromIndex(2), Choice::DirectoryOpus);
  EXPECT_FALSE(FolderManagerChoiceFromIndex(7));
  EXPECT_FALSE(FolderManagerChoiceFromIndex(-1));
  EXPECT_EQ(U8(InfoOf(Choice::Explorer).listText), "自带的资源管理器 Explorer");
  struct Case {
    Choice manager;
    const char16_t* program;
    ProgramCheck want;
  } cases[] = {
      {Choice::TotalCommander, u"C:\\TC\\TOTALCMD64.EXE", ProgramCheck::Accepted},
      {Choice::TotalCommander, u"C:\\TC\\readme.txt", ProgramCheck::NotAnExe},
      {Choice::DirectoryOpus, u"C:\\DO\\dopus.exe", ProgramCheck::WrongProgram},
      {Choice::DirectoryOpus, u"C:\\DO\\DOPUSRT.exe", ProgramCheck::Accepted},
      {Choice::Xplorer2, u"C:\\x2\\xplorer2_64.exe", ProgramCheck::Accepted},
      {Choice::Xplorer2, u"C:\\x2\\xplorer2.exe", ProgramCheck::WrongProgram},
      {Choice::Other, u"D:\\any.exe", ProgramCheck::Accepted},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckFolderManagerProgram(c.manager, c.program), c.want) << U8(c.program);
}

}  // namespace
}  // namespace pathorama::paths
