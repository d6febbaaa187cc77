// Identifiers shared by about_box.rc and about_box.cpp (6200..6299).
#pragma once

#define IDD_ABOUT 6200
#define IDC_ABOUT_PRODUCT 6201
#define IDC_ABOUT_VERSION 6202
#define IDC_ABOUT_SLOGAN 6203
#define IDC_ABOUT_INTRO 6204
#define IDC_ABOUT_LINK 6205
