// Identifiers of the controls of the program's own message box (6900..6999).
// The box has no template: message_form.cpp creates the controls at run time.
#pragma once

#define IDC_MESSAGE_FORM_ICON 6901
#define IDC_MESSAGE_FORM_TEXT 6902
// The button of index i (ui::MessageButton) is IDC_MESSAGE_FORM_BUTTON0 + i.
#define IDC_MESSAGE_FORM_BUTTON0 6910
