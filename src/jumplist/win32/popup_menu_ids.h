// Icon resources of the jump-list popup's function items (2100..2119).
#pragma once

#define IDI_MENU_ADD_FOLDER 2101
#define IDI_MENU_CONFIGURE 2102
#define IDI_MENU_BATCH_DELETE 2103
#define IDI_MENU_FORBID 2104
#define IDI_MENU_SETTINGS 2105
