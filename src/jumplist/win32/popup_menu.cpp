#include "jumplist/win32/popup_menu.h"

#include <string>

#include "core/diagnostics.h"
#include "core/text.h"
#include "core/win32/wide_text.h"
#include "jumplist/win32/popup_menu_ids.h"

namespace pathorama::jumplist::win32 {

namespace {

// The size of the icons in the resources, and at 96 DPI.
constexpr int kIconSize = 16;

int IconResourceOf(FunctionItem item) {
  switch (item) {
    case FunctionItem::AddOrDeleteCurrentFolder:
      return IDI_MENU_ADD_FOLDER;
    case FunctionItem::ConfigureJumpList:
      return IDI_MENU_CONFIGURE;
    case FunctionItem::BatchDelete:
      return IDI_MENU_BATCH_DELETE;
    case FunctionItem::ForbidJumpListHotKey:
      return IDI_MENU_FORBID;
    case FunctionItem::AppSettings:
      return IDI_MENU_SETTINGS;
    default:
      return 0;
  }
}

// The 16x16 image of an .ico file kept as a data resource, made `iconSize`
// pixels square.
HICON LoadIconData(HINSTANCE instance, int resource, int iconSize) {
  HRSRC found =
      FindResourceW(instance, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const auto* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  const DWORD size = found ? SizeofResource(instance, found) : 0;
  if (!data || size < 6) return nullptr;
  const WORD count = static_cast<WORD>(data[4] | (data[5] << 8));
  for (WORD i = 0; i < count; ++i) {
    const DWORD entry = 6 + 16u * i;
    if (entry + 16 > size) break;
    auto dword = [&](DWORD at) {
      return static_cast<DWORD>(data[at] | (data[at + 1] << 8) | (data[at + 2] << 16) |
                                (data[at + 3] << 24));
    };
    const DWORD bytes = dword(entry + 8), offset = dword(entry + 12);
    if (offset >= size || bytes > size - offset) continue;
    if (data[entry] != kIconSize && !(data[entry] == 0 && kIconSize == 256)) continue;
    return CreateIconFromResourceEx(const_cast<BYTE*>(data + offset), bytes, TRUE, 0x00030000,
                                    iconSize, iconSize, LR_DEFAULTCOLOR);
  }
  return nullptr;
}

// A square icon as a top-down 32-bit bitmap laid on the menu's own colour:
// menus draw item bitmaps as they are, and not every system blends their
// alpha.
HBITMAP BitmapOfIcon(HICON icon, int size) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> colour(size * size), mask(size * size);
  HDC dc = GetDC(nullptr);
  bool ok = info.hbmColor &&
            GetDIBits(dc, info.hbmColor, 0, size, colour.data(), &bi, DIB_RGB_COLORS) != 0;
  bool haveMask =
      info.hbmMask && GetDIBits(dc, info.hbmMask, 0, size, mask.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (!ok) return nullptr;

  const COLORREF menu = GetSysColor(COLOR_MENU);
  const DWORD back[3] = {GetBValue(menu), GetGValue(menu), GetRValue(menu)};
  bool anyAlpha = false;
  for (DWORD p : colour) anyAlpha |= (p >> 24) != 0;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return nullptr;
  auto* out = static_cast<DWORD*>(bits);
  for (size_t i = 0; i < colour.size(); ++i) {
    const DWORD p = colour[i];
    const DWORD alpha = anyAlpha ? p >> 24 : (haveMask && (mask[i] & 0xFFFFFF) ? 0 : 255);
    DWORD mixed = 0xFF000000;
    for (int c = 0; c < 3; ++c) {
      const DWORD value = (p >> (8 * c)) & 0xFF;
      mixed |= ((value * alpha + back[c] * (255 - alpha)) / 255) << (8 * c);
    }
    out[i] = mixed;
  }
  return bitmap;
}

}  // namespace

MenuIcons::MenuIcons(HINSTANCE instance, int dpi)
    : instance_(instance), size_(MulDiv(kIconSize, dpi > 0 ? dpi : 96, 96)) {
  Load();
}

void MenuIcons::UseDpi(int dpi) {
  const int size = MulDiv(kIconSize, dpi > 0 ? dpi : 96, 96);
  if (size == size_) return;
  Release();
  size_ = size;
  Load();
}

void MenuIcons::Load() {
  for (const FunctionTemplate& t : FunctionTemplates()) {
    int resource = IconResourceOf(t.id);
    if (!resource) continue;
    HICON icon = LoadIconData(instance_, resource, size_);
    HBITMAP bitmap = icon ? BitmapOfIcon(icon, size_) : nullptr;
    if (icon) DestroyIcon(icon);
    if (!bitmap) {
      core::Trace(u"jump list: no icon for the function item " + std::u16string(t.name));
      continue;
    }
    bitmaps_[static_cast<size_t>(t.id)] = bitmap;
  }
}

MenuIcons::~MenuIcons() { Release(); }

void MenuIcons::Release() {
  for (HBITMAP& bitmap : bitmaps_) {
    if (bitmap) DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

HBITMAP MenuIcons::For(FunctionItem item) const {
  size_t index = static_cast<size_t>(item);
  return index < bitmaps_.size() ? bitmaps_[index] : nullptr;
}

PopupMenuBuild::PopupMenuBuild(const JumpList& list, const PreparedMenu& prepared,
                               const MenuIcons* icons)
    : list_(list), prepared_(prepared), icons_(icons), menu_(CreatePopupMenu()) {
  if (!menu_) {
    core::Trace(u"jump list: no popup menu: " + core::IntToText(GetLastError()));
    return;
  }
  Fill(menu_, list_.Items());
}

PopupMenuBuild::~PopupMenuBuild() {
  // Destroys every submenu with it.
  if (menu_) DestroyMenu(menu_);
}

const JumpItem* PopupMenuBuild::OnInitMenuPopup(HMENU submenu) {
  auto it = submenus_.find(submenu);
  if (it == submenus_.end()) return nullptr;
  if (!it->second.filled) {
    it->second.filled = true;
    Fill(submenu, it->second.item->children);
  }
  return it->second.item;
}

std::optional<MenuCommand> PopupMenuBuild::CommandOf(UINT id) const {
  if (id == 0 || id > commands_.size()) return std::nullopt;
  return commands_[id - 1];
}

void PopupMenuBuild::Fill(HMENU menu, const std::vector<JumpItem>& items) {
  size_t added = 0;
  for (const JumpItem& item : items) {
    const ItemView view = prepared_.View(item);
    if (!view.visible) continue;
    if (added == kMaxItemsPerMenu) {
      core::Trace(u"jump list: a menu of " + core::IntToText(static_cast<long long>(items.size())) +
                  u" items shows its first " +
                  core::IntToText(static_cast<long long>(kMaxItemsPerMenu)));
      break;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (view.separator) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
      if (InsertMenuItemW(menu, static_cast<UINT>(added), TRUE, &info)) ++added;
      continue;
    }
    std::u16string caption(view.caption);
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID;
    info.fType = MFT_STRING;
    info.dwTypeData = const_cast<wchar_t*>(core::win32::AsWide(caption));
    info.fState = (view.checked ? MFS_CHECKED : 0u) | (view.enabled ? 0u : MFS_DISABLED);
    const bool submenu = item.IsGroup()
                             ? !RunsAsEntry(item)
                             : item.kind == JumpItemKind::kFunction && !item.children.empty();
    if (item.kind == JumpItemKind::kFunction && view.icon && icons_) {
      if (std::optional<FunctionItem> id = FunctionItemOfTag(item.tag)) {
        if (HBITMAP bitmap = icons_->For(*id)) {
          info.fMask |= MIIM_BITMAP;
          info.hbmpItem = bitmap;
        }
      }
    }
    HMENU child = nullptr;
    if (submenu) {
      child = CreatePopupMenu();
      if (!child) {
        // Out of menu handles: the group shows greyed rather than not at all.
        core::Trace(u"jump list: no submenu for " + item.caption);
        info.fState |= MFS_DISABLED;
      } else {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = child;
      }
    } else {
      MenuCommand command;
      command.tag = item.tag;
      command.kind = item.kind == JumpItemKind::kFunction ? MenuCommand::Kind::Function
                     : item.kind == JumpItemKind::kCurrentFolder
                         ? MenuCommand::Kind::CurrentFolderItem
                         : MenuCommand::Kind::Item;
      commands_.push_back(command);
      info.wID = static_cast<UINT>(commands_.size());
    }
    if (!InsertMenuItemW(menu, static_cast<UINT>(added), TRUE, &info)) {
      core::Trace(u"jump list: item not added: " + item.caption);
      if (child) DestroyMenu(child);
      continue;
    }
    if (child) submenus_[child] = {&item, false};
    ++added;
  }
}

}  // namespace pathorama::jumplist::win32
