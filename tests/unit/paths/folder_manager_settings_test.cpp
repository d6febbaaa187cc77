#include "paths/folder_manager_settings.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/text.h"

namespace pathorama::paths {
namespace {

using settings::Setting;

std::string U8(std::u16string_view s) { return core::Utf16ToUtf8(s); }

// The template that settings as the options dialog stores them produce.
TEST(FolderManagerOptionsFrom, StoredOptionsMakeTheTemplate) {
  struct Case {
    const char* what;
    int manager;
    std::function<void(settings::AppSettings&)> set;
    const char16_t* want;
  };
  const Case cases[] = {
      {"Total Commander defaults", 1, [](settings::AppSettings&) {}, uR"(/O /S /L="%1" /T)"},
      {"Total Commander, tab in the background, target panel", 1,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::TotalCommanderOpenAtTargetPanel, true);
         s.SetInt(Setting::TotalCommanderActivateNewTab, 1);
       },
       uR"(/O /S /R="%1" /B)"},
      {"Total Commander, new window, right panel active", 1,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::OpenNewFolderManagerWindow, true);
         s.SetInt(Setting::TotalCommanderPanelToActivate, 1);
       },
       uR"(/N /L="%1" /P=R)"},
      {"Directory Opus, new window maximised", 2,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::OpenNewFolderManagerWindow, true);
         s.SetBool(Setting::MaximizeFolderManager, true);
       },
       uR"(/cmd Go "%1" New max NewTab +1 ToFront View Thumbnails ExistingLister)"},
      {"Directory Opus, left panel, last tab, no focus, details, tree", 2,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::DirectoryOpusOpenAtLeftPanel, true);
         s.SetInt(Setting::DirectoryOpusNewTabPosition, 3);
         s.SetInt(Setting::DirectoryOpusActivateNewTab, 1);
         s.SetInt(Setting::DirectoryOpusNewTabView, 5);
         s.SetBool(Setting::DirectoryOpusExpandFolderTree, true);
         s.SetBool(Setting::DirectoryOpusActivateOpenFolderTab, false);
       },
       uR"(/cmd Go "%1" OpenInLeft NewTab Last NoFocus View Details ExpandTree)"},
      {"XYplorer, new window, normal", 3,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::OpenNewFolderManagerWindow, true);
         s.SetBool(Setting::NormalFolderManager, true);
         s.SetBool(Setting::XYplorerDoNotSaveSettings, false);
       },
       uR"(/new "%1" /win=normal /exp)"},
      {"Xplorer2, new window, one panel, no tabs", 4,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::OpenNewFolderManagerWindow, true);
         s.SetBool(Setting::Xplorer2SinglePanel, true);
         s.SetBool(Setting::Xplorer2DoNotRestoreTabs, true);
       },
       uR"("%1" /1 /T)"},
      {"FreeCommander, right panel, tab in the background", 5,
       [](settings::AppSettings& s) {
         s.SetBool(Setting::FreeCommanderOpenAtRightPanel, true);
         s.SetInt(Setting::FreeCommanderActivateNewTab, 1);
       },
       uR"(/C /R="%1" /B)"},
  };
  for (const Case& c : cases) {
    settings::AppSettings s({2026, 1, 1});
    ASSERT_TRUE(s.SetInt(Setting::ChosenFolderManager, c.manager)) << c.what;
    c.set(s);
    EXPECT_EQ(U8(BuildFolderManagerParams(FolderManagerOptionsFrom(s))), U8(c.want)) << c.what;
  }
}

TEST(OpeningOptionsFrom, ReadsTheLiveSettings) {
  settings::AppSettings s({2026, 1, 1});
  s.SetInt(Setting::ChosenFolderManager, 1);
  s.SetText(Setting::FolderManagerPath, u"C:\\TC\\Totalcmd64.exe");
  s.SetText(Setting::FolderManagerParameters, u"/O \"%1\"");
  s.SetBool(Setting::OpenNewFolderManagerWindow, true);
  s.SetBool(Setting::UseAnotherOpenMethodWhenCapsLock, true);
  s.SetBool(Setting::MinimizeFolderManager, true);
  s.SetBool(Setting::ActivateOnlyWhenFolderAlreadyOpen, false);
  s.SetBool(Setting::FolderManagerAutoMatch, false);
  s.SetBool(Setting::ExplorerOpensFurtherFoldersInNewWindows, false);
  const OpeningOptions o = OpeningOptionsFrom(s);
  EXPECT_EQ(o.manager, FolderManagerChoice::TotalCommander);
  EXPECT_EQ(U8(o.programPath), "C:\\TC\\Totalcmd64.exe");
  EXPECT_EQ(U8(o.paramTemplate), "/O \"%1\"");
  EXPECT_FALSE(o.reuseWindow);
  EXPECT_TRUE(o.otherMethodWithCapsLock);
  EXPECT_EQ(o.windowState, WindowState::Minimized);
  EXPECT_FALSE(o.activateOnlyWhenAlreadyOpen);
  EXPECT_FALSE(o.autoMatchManager);
  EXPECT_FALSE(o.explorerFurtherFoldersInNewWindows);
  // and the other way round
  settings::AppSettings d({2026, 1, 1});
  const OpeningOptions od = OpeningOptionsFrom(d);
  EXPECT_EQ(od.manager, FolderManagerChoice::Explorer);
  EXPECT_TRUE(od.reuseWindow);
  EXPECT_TRUE(od.activateOnlyWhenAlreadyOpen);
  EXPECT_TRUE(od.autoMatchManager);
}

}  // namespace
}  // namespace pathorama::paths
