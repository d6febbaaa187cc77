#include "ui/win32/message_loop.h"

#include <algorithm>
#include <vector>

namespace pathorama::ui::win32 {

namespace {

// Windows belong to the thread that created them; the program has one
// user-interface thread, and only it touches this list. Never destroyed: a
// dialog object that is itself static (the window spy) still leaves the list
// while the program's statics are destroyed.
std::vector<HWND>& ModelessDialogs() {
  static auto* dialogs = new std::vector<HWND>;
  return *dialogs;
}

}  // namespace

void AddModelessDialog(HWND dialog) {
  std::vector<HWND>& dialogs = ModelessDialogs();
  if (dialog && std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end())
    dialogs.push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
  std::vector<HWND>& dialogs = ModelessDialogs();
  dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool DispatchToModelessDialog(MSG& message) {
  // A copy: a dialog may close (and leave the list) while it handles a key.
  const std::vector<HWND> dialogs = ModelessDialogs();
  for (HWND dialog : dialogs)
    if (IsDialogMessageW(dialog, &message)) return true;
  return false;
}

int RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (DispatchToModelessDialog(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace pathorama::ui::win32
