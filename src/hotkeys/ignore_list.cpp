#include "hotkeys/ignore_list.h"

namespace pathorama::hotkeys {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsSeparator(char16_t c) { return c == u',' || c == u';'; }

char16_t AsciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

std::u16string AsciiLowerText(std::u16string_view text) {
  std::u16string lower(text);
  for (char16_t& c : lower) c = AsciiLower(c);
  return lower;
}

}  // namespace

std::vector<ListedName> NamesOnLine(std::u16string_view line) {
  const size_t comment = line.find(u"//");
  const std::u16string_view code = line.substr(0, comment);
  std::vector<ListedName> names;
  size_t segmentStart = 0;
  for (size_t i = 0; i <= code.size(); ++i) {
    if (i < code.size() && !IsSeparator(code[i])) continue;
    size_t start = segmentStart, end = i;
    while (start < end && IsBlank(code[start])) ++start;
    while (end > start && IsBlank(code[end - 1])) --end;
    if (end > start) {
      ListedName name;
      name.start = start;
      name.text = std::u16string(code.substr(start, end - start));
      name.disabled = name.text.size() >= 2 && name.text.front() == u'<' && name.text.back() == u'>';
      names.push_back(std::move(name));
    }
    segmentStart = i + 1;
  }
  return names;
}

bool SameListName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

std::vector<ListMatch> FindListMatches(const std::vector<std::u16string>& lines,
                                       std::u16string_view candidate) {
  std::vector<ListMatch> matches;
  if (candidate.empty()) return matches;
  for (size_t line = 0; line < lines.size(); ++line) {
    for (const ListedName& name : NamesOnLine(lines[line])) {
      if (name.disabled || !SameListName(name.text, candidate)) continue;
      matches.push_back({line, name.text});
      break;  // one question per line
    }
  }
  return matches;
}

std::u16string DisableNameOnLine(std::u16string_view line, std::u16string_view name) {
  std::u16string result(line);
  const std::vector<ListedName> names = NamesOnLine(line);
  // From the right, so that the offsets of the names to the left still hold.
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    if (it->disabled || !SameListName(it->text, name)) continue;
    result.insert(it->start + it->text.size(), u">");
    result.insert(it->start, u"<");
  }
  return result;
}

bool AddNameToList(std::vector<std::u16string>& lines, std::u16string_view name) {
  if (name.empty()) return false;
  const std::u16string bracketed = u"<" + std::u16string(name) + u">";
  for (std::u16string& line : lines) {
    for (const ListedName& listed : NamesOnLine(line)) {
      if (listed.disabled && SameListName(listed.text, bracketed)) {
        line.replace(listed.start, listed.text.size(), name);
        return true;
      }
    }
  }
  // Already listed and in force: a second line would only ask twice.
  for (const std::u16string& line : lines)
    for (const ListedName& listed : NamesOnLine(line))
      if (!listed.disabled && SameListName(listed.text, name)) return false;
  lines.emplace_back(name);
  return true;
}

bool NoShowTables::Has(ListKind kind, int slot, std::u16string_view name) const {
  if (slot != 1 && slot != 2) return false;
  return names_[static_cast<int>(kind)][slot - 1].count(AsciiLowerText(name)) != 0;
}

void NoShowTables::Add(ListKind kind, int slot, std::u16string_view name) {
  if (slot != 1 && slot != 2) return;
  names_[static_cast<int>(kind)][slot - 1].insert(AsciiLowerText(name));
}

void NoShowTables::Clear() {
  for (auto& perKind : names_)
    for (auto& table : perKind) table.clear();
}

std::u16string IgnoreQuestionText(ListKind kind, std::u16string_view shortcut,
                                  std::u16string_view name) {
  const std::u16string k(shortcut), n(name);
  if (kind == ListKind::WindowClass)
    return u"全局热键 " + k + u" 在 " + n + u" 窗口类中已不再弹出路径跳转列表" + u"\r" +
           u"而是执行它在该类窗口中的原有功能" + u"\r\r" + u"下次是否仍然弹出本提示信息？" +
           u"\r\r" + u"\u3000\u3000取消 = 下次在该类窗口中执行弹出路径跳转列表功能，不再提示";
  return u"全局热键 " + k + u" 在 " + n + u" 中已不再弹出路径跳转列表" + u"\r" +
         u"而是执行它在该程序中的原有功能" + u"\r\r" + u"下次运行期间是否仍然弹出本提示信息？" +
         u"\r\r" + u"\u3000\u3000取消 = 下次在该软件中执行弹出路径跳转列表功能，不再提示";
}

IgnoreTestResult RunIgnoreTest(const IgnoreTestInput& input, std::vector<std::u16string>& lines,
                               NoShowTables& noShow, core::ThreeWayQuestion& question) {
  IgnoreTestResult result;
  // A dialog box of a listed program (its Open/Save dialog) still gets the
  // jump list.
  if (input.kind == ListKind::ProgramName && input.targetIsDialog) return result;
  for (const ListMatch& match : FindListMatches(lines, input.candidate)) {
    result.passOn = true;
    if (!input.showMessage || noShow.Has(input.kind, input.slot, match.name)) continue;
    result.asked = true;
    switch (question.Ask(IgnoreQuestionText(input.kind, input.shortcutText, match.name),
                         kIgnoreQuestionCaption, core::PromptIcon::Information)) {
      case core::PromptAnswer::Yes:
        break;
      case core::PromptAnswer::No:
        noShow.Add(input.kind, input.slot, match.name);
        break;
      case core::PromptAnswer::Cancel:
        lines[match.line] = DisableNameOnLine(lines[match.line], match.name);
        result.listChanged = true;
        break;
    }
  }
  return result;
}

}  // namespace pathorama::hotkeys
