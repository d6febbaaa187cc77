// Identifiers shared by add_to_jump_list_dialog.rc and
// add_to_jump_list_dialog.cpp (6600..6699).
#pragma once

#define IDD_ADD_TO_JUMP_LIST 6600
#define IDC_ADD_SOURCE 6601
#define IDC_ADD_COLLECT 6602
#define IDC_ADD_SIMPLIFY 6603
#define IDC_ADD_ON_TOP 6604
#define IDC_ADD_PATHS 6605
#define IDC_ADD_TITLE_LABEL 6606
#define IDC_ADD_TITLE 6607
#define IDC_ADD_SAME_ENTRY 6608
#define IDC_ADD_TO_MENU_ITEM 6609
#define IDC_ADD_AFTER 6610
#define IDC_ADD_BEFORE 6611
#define IDC_ADD_INSIDE 6612
#define IDC_ADD_FIRST_IN_LEVEL 6613
#define IDC_ADD_LAST_IN_LEVEL 6614
#define IDC_ADD_DESTINATION 6615
#define IDC_ADD_PATH_COUNT 6616
#define IDM_ADD_DESTINATION_FIRST 6700  // the destination list: 6700 and up
