#include "paths/folder_manager_settings.h"

namespace pathorama::paths {

namespace {

using settings::Setting;

Panel PanelFrom(const settings::AppSettings& s, Setting left, Setting right, Setting target) {
  if (s.Bool(left)) return Panel::Left;
  if (s.Bool(right)) return Panel::Right;
  if (s.Bool(target)) return Panel::Destination;
  return Panel::Source;
}

WindowState WindowStateFrom(const settings::AppSettings& s) {
  if (s.Bool(Setting::MaximizeFolderManager)) return WindowState::Maximized;
  if (s.Bool(Setting::MinimizeFolderManager)) return WindowState::Minimized;
  return WindowState::Normal;
}

FolderManagerChoice ManagerFrom(const settings::AppSettings& s) {
  return FolderManagerChoiceFromIndex(s.FolderManagerIndex()).value_or(FolderManagerChoice::Explorer);
}

}  // namespace

FolderManagerOptions FolderManagerOptionsFrom(const settings::AppSettings& s) {
  FolderManagerOptions o;
  o.manager = ManagerFrom(s);
  o.reuseWindow = s.Bool(Setting::ReuseFolderManagerWindow);
  o.windowState = WindowStateFrom(s);

  o.totalCommanderPanel =
      PanelFrom(s, Setting::TotalCommanderOpenAtLeftPanel, Setting::TotalCommanderOpenAtRightPanel,
                Setting::TotalCommanderOpenAtTargetPanel);
  // Index 0 is "激活新标签", 1 "不激活新标签"; panels: 0 left, 1 right.
  o.totalCommanderActivateNewTab = s.Int(Setting::TotalCommanderActivateNewTab) == 0;
  o.totalCommanderActivateRightPanel = s.Int(Setting::TotalCommanderPanelToActivate) == 1;

  o.directoryOpusPanel =
      PanelFrom(s, Setting::DirectoryOpusOpenAtLeftPanel, Setting::DirectoryOpusOpenAtRightPanel,
                Setting::DirectoryOpusOpenAtTargetPanel);
  o.directoryOpusNewTab = s.Bool(Setting::DirectoryOpusOpenInNewTab);
  o.directoryOpusNewTabPosition = s.Int(Setting::DirectoryOpusNewTabPosition);
  o.directoryOpusActivateNewTab = s.Int(Setting::DirectoryOpusActivateNewTab) == 0;
  o.directoryOpusView = s.Int(Setting::DirectoryOpusNewTabView);
  o.directoryOpusExpandTree = s.Bool(Setting::DirectoryOpusExpandFolderTree);
  o.directoryOpusActivateExistingTab = s.Bool(Setting::DirectoryOpusActivateOpenFolderTab);

  o.xyplorerExpandTree = s.Bool(Setting::XYplorerExpandFolderTree);
  o.xyplorerReadOnly = s.Bool(Setting::XYplorerDoNotSaveSettings);

  o.xplorer2DualPanels = !s.Bool(Setting::Xplorer2SinglePanel);
  o.xplorer2NotRestoreTabs = s.Bool(Setting::Xplorer2DoNotRestoreTabs);

  o.freeCommanderPanel =
      PanelFrom(s, Setting::FreeCommanderOpenAtLeftPanel, Setting::FreeCommanderOpenAtRightPanel,
                Setting::FreeCommanderOpenAtTargetPanel);
  o.freeCommanderActivateNewTab = s.Int(Setting::FreeCommanderActivateNewTab) == 0;
  o.freeCommanderActivateRightPanel = s.Int(Setting::FreeCommanderPanelToActivate) == 1;
  return o;
}

OpeningOptions OpeningOptionsFrom(const settings::AppSettings& s) {
  OpeningOptions o;
  o.manager = ManagerFrom(s);
  o.programPath = s.Text(Setting::FolderManagerPath);
  o.paramTemplate = s.Text(Setting::FolderManagerParameters);
  o.reuseWindow = s.Bool(Setting::ReuseFolderManagerWindow);
  o.otherMethodWithCapsLock = s.Bool(Setting::UseAnotherOpenMethodWhenCapsLock);
  o.windowState = WindowStateFrom(s);
  o.activateOnlyWhenAlreadyOpen = s.Bool(Setting::ActivateOnlyWhenFolderAlreadyOpen);
  o.autoMatchManager = s.Bool(Setting::FolderManagerAutoMatch);
  o.explorerFurtherFoldersInNewWindows = s.Bool(Setting::ExplorerOpensFurtherFoldersInNewWindows);
  return o;
}

}  // namespace pathorama::paths
