// Control IDs of the input box (its own range: 6800-6899).
#pragma once

#define IDD_INPUT_BOX 6800
#define IDC_INPUT_BOX_PROMPT 6801
#define IDC_INPUT_BOX_EDIT 6802
