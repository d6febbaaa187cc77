// The jump list as a Win32 popup menu for one showing: menu items built from
// the prepared model, a command table of small identifiers (tags exceed the
// 16 bits a WM_COMMAND carries, and function items have negative tags), and
// the icons of the function items. A submenu is filled when it first opens,
// so a list of any size or depth costs only what the user opens.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "jumplist/jump_list.h"
#include "jumplist/jump_menu.h"

namespace pathorama::jumplist::win32 {

// The icons of the function items as menu bitmaps (32 bits with alpha).
class MenuIcons {
 public:
  // Loads them from the module's icon resources at the size of `dpi` (16
  // pixels at 96); a missing one is traced and its item shows no icon.
  explicit MenuIcons(HINSTANCE instance, int dpi = 96);
  ~MenuIcons();
  MenuIcons(const MenuIcons&) = delete;
  MenuIcons& operator=(const MenuIcons&) = delete;

  // Made again at another size when the menu opens on a monitor of another
  // scaling.
  void UseDpi(int dpi);
  int IconSize() const { return size_; }
  HBITMAP For(FunctionItem item) const;

 private:
  void Load();
  void Release();

  HINSTANCE instance_;
  int size_ = 16;
  std::array<HBITMAP, 16> bitmaps_{};
};

// What a menu identifier of this showing stands for.
struct MenuCommand {
  enum class Kind {
    Item,               // an entry, or a group that runs as one
    Function,           // a function item
    CurrentFolderItem,  // a group's "添加当前文件夹到本层(&A)" item
  };
  Kind kind = Kind::Item;
  int32_t tag = 0;
  friend bool operator==(const MenuCommand&, const MenuCommand&) = default;
};

// More items than this in one menu are not shown: the system lays each item
// out when the menu opens, and no screen shows them all.
inline constexpr size_t kMaxItemsPerMenu = 4000;

class PopupMenuBuild {
 public:
  // `list` and `prepared` must outlive the build and stay unchanged.
  PopupMenuBuild(const JumpList& list, const PreparedMenu& prepared, const MenuIcons* icons);
  ~PopupMenuBuild();
  PopupMenuBuild(const PopupMenuBuild&) = delete;
  PopupMenuBuild& operator=(const PopupMenuBuild&) = delete;

  // The top level; null when the system gave no menu.
  HMENU Menu() const { return menu_; }

  // The item a submenu of this build shows (a group or a function submenu),
  // filling the submenu the first time; null for any other menu.
  const JumpItem* OnInitMenuPopup(HMENU submenu);

  std::optional<MenuCommand> CommandOf(UINT id) const;
  size_t CommandCount() const { return commands_.size(); }

 private:
  void Fill(HMENU menu, const std::vector<JumpItem>& items);

  const JumpList& list_;
  const PreparedMenu& prepared_;
  const MenuIcons* icons_;
  HMENU menu_ = nullptr;
  std::vector<MenuCommand> commands_;  // identifier i + 1
  struct Submenu {
    const JumpItem* item;
    bool filled;
  };
  std::unordered_map<HMENU, Submenu> submenus_;
};

}  // namespace pathorama::jumplist::win32
