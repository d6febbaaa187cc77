// Identifiers shared by pathorama.rc and the main window: its icon and its two
// menus (items 1000..1199).
#pragma once

#define IDI_PATHORAMA 1
#define IDM_MAIN 100
#define IDM_TRAY 101

// Main menu.
#define ID_MAIN_JUMP_LIST 1001
#define ID_MAIN_SETTINGS 1002
#define ID_MAIN_USE_GLOBAL_HOTKEY 1003
#define ID_MAIN_AUTO_HIDE_AT_EDGE 1004
#define ID_MAIN_HIDE_OFF_SCREEN 1005
#define ID_MAIN_ABOUT 1006

// Tray menu.
#define ID_TRAY_SHOW_AT_CENTRE 1101
#define ID_TRAY_SETTINGS 1102
#define ID_TRAY_ABOUT 1103
#define ID_TRAY_USE_GLOBAL_HOTKEY 1104
#define ID_TRAY_EXIT 1105
