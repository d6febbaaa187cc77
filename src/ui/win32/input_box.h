// A one-line question: a title, a prompt, an edit box and 确定/取消. The
// editor asks its titles with it ("添加同级条目", "更改标题"...), and so do
// the dialogs that come after it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace pathorama::ui::win32 {

// The text in the box when the user chose 确定; nothing on 取消, Esc or the
// close box. The box starts with `initial`, all of it selected, and stands
// in the centre of the owner's monitor.
std::optional<std::u16string> ShowInputBox(HWND owner, std::u16string_view title,
                                           std::u16string_view prompt,
                                           std::u16string_view initial = {});

}  // namespace pathorama::ui::win32
