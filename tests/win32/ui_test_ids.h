// Identifiers shared by ui_test.rc and ui_test.cpp.
#pragma once

#define IDD_UI_TEST 7100
#define IDC_UI_TEST_EDIT 7101
