// Identifiers shared by window_spy.rc and window_spy.cpp (6100..6199).
#pragma once

#define IDD_WINDOW_SPY 6100
#define IDC_SPY_LABEL 6101
#define IDC_SPY_FOLLOW_MOUSE 6102
#define IDC_SPY_WINDOW_INFO 6103
