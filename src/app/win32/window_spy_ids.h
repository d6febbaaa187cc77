// Identifiers shared by window_spy.rc and window_spy.cpp.
#pragma once

#define IDD_WINDOW_SPY 6100
#define IDC_SPY_LABEL 6101
#define IDC_CHK_REFRESSWITHMOUSEMOVE 6102
#define IDC_MMO_WINDOWINFO 6103
