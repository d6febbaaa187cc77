// Identifiers shared by accelerator_dialog.rc and accelerator_dialog.cpp
// (6300..6399).
#pragma once

#define IDD_ACCELERATOR_KEY 6300
#define IDC_ACCEL_CURRENT_LABEL 6301
#define IDC_ACCEL_ITEM_CAPTION 6302
#define IDC_ACCEL_NEW_KEY_LABEL 6303
#define IDC_ACCEL_NEW_KEY 6304
