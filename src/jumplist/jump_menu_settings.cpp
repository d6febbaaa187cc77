#include "jumplist/jump_menu_settings.h"

#include "settings/apply_step.h"

namespace pathorama::jumplist {

namespace {

using settings::Setting;

PanelChoice PanelFrom(const settings::AppSettings& s, Setting left, Setting right, Setting source) {
  if (s.Bool(left)) return PanelChoice::Left;
  if (s.Bool(right)) return PanelChoice::Right;
  if (s.Bool(source)) return PanelChoice::Source;
  return PanelChoice::Target;
}

}  // namespace

MenuOptions MenuOptionsFromSettings(const settings::AppSettings& settings) {
  const settings::FunctionItemVisibility visible = settings::FunctionItemVisibilityFrom(settings);
  MenuOptions options;
  options.shown.addOrDeleteCurrentFolder = visible.addOrDeleteCurrentFolder;
  options.shown.configureJumpList = visible.configureJumpList;
  options.shown.batchDelete = visible.batchDeleteItems;
  options.shown.appSettings = visible.appSettings;
  options.shown.forbidJumpListHotKey = visible.disableJumpListHotKey;
  options.currentFolderItemInEveryGroup = settings.Bool(Setting::AddCurrentFolderItemToEveryGroup);
  return options;
}

PlacementOptions PlacementOptionsFromSettings(const settings::AppSettings& s) {
  PlacementOptions options;
  options.placement = MenuPlacementFrom(
      s.Bool(Setting::JumpMenuUnderCursor), s.Bool(Setting::JumpMenuUnderApp),
      s.Bool(Setting::JumpMenuUnderAddressBar), s.Bool(Setting::JumpMenuAtCenter));
  options.chosenFolderManager = s.FolderManagerIndex();
  options.totalCommanderPanel =
      PanelFrom(s, Setting::TotalCommanderOpenAtLeftPanel, Setting::TotalCommanderOpenAtRightPanel,
                Setting::TotalCommanderOpenAtSourcePanel);
  options.directoryOpusPanel =
      PanelFrom(s, Setting::DirectoryOpusOpenAtLeftPanel, Setting::DirectoryOpusOpenAtRightPanel,
                Setting::DirectoryOpusOpenAtSourcePanel);
  options.freeCommanderPanel =
      PanelFrom(s, Setting::FreeCommanderOpenAtLeftPanel, Setting::FreeCommanderOpenAtRightPanel,
                Setting::FreeCommanderOpenAtSourcePanel);
  return options;
}

}  // namespace pathorama::jumplist
