// The variable menu: every variable of the language under seven headings,
// each entry "{Name}－what it gives". The variable builder shows it, and the
// editor's path box and "插入变量" button carry copies of it.
#pragma once

#include <string>
#include <vector>

namespace pathorama::variables {

struct VariableMenuEntry {
  std::u16string caption;  // "-" for a separator
  std::vector<VariableMenuEntry> children;
  bool IsSeparator() const { return caption == u"-"; }
};

// The headings ("日期时间", "文件夹路径", ...) with their entries.
const std::vector<VariableMenuEntry>& VariableMenu();

}  // namespace pathorama::variables
