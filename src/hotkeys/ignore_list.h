// The ignore lists of the jump-list hotkeys: per hotkey, the programs and
// window classes in which the key is left to the program in front. A list is
// lines of text: "//" starts a comment, "," and ";" separate names, blanks
// around a name do not count, names compare without regard to ASCII case,
// and a name in angle brackets is a disabled entry that matches nothing.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/prompts.h"

namespace pathorama::hotkeys {

// One name as it stands on a line: where it is, so that it can be rewritten
// in place without touching the rest of the line.
struct ListedName {
  size_t start = 0;  // offset in the line
  std::u16string text;
  bool disabled = false;  // "<name>"
  friend bool operator==(const ListedName&, const ListedName&) = default;
};

// The names of one line, left to right, without the comment.
std::vector<ListedName> NamesOnLine(std::u16string_view line);

// Equal without regard to the case of ASCII letters.
bool SameListName(std::u16string_view a, std::u16string_view b);

// A matched entry: the line it stands on and the name as written there.
struct ListMatch {
  size_t line = 0;
  std::u16string name;
  friend bool operator==(const ListMatch&, const ListMatch&) = default;
};

// The first enabled name of each line that equals `candidate`; none for an
// empty candidate.
std::vector<ListMatch> FindListMatches(const std::vector<std::u16string>& lines,
                                       std::u16string_view candidate);

// The answer "Cancel" to the question: the entry `name` on `line` is put in
// angle brackets, as a whole name and wherever it stands as a whole name on
// that line; other names, separators, blanks and the comment stay as written.
std::u16string DisableNameOnLine(std::u16string_view line, std::u16string_view name);

// The forbid items of the jump list: a disabled entry "<name>" becomes
// "name" again (the first on the first line that has one); otherwise the
// name is appended as a line of its own. Nothing happens for an empty name.
// True when the lines changed.
bool AddNameToList(std::vector<std::u16string>& lines, std::u16string_view name);

// Which list a test reads: window classes or program names.
enum class ListKind { WindowClass, ProgramName };

// The per-run "do not ask again" tables: per list kind and jump-list slot
// (1 or 2), the names (lower case) the user answered No for.
class NoShowTables {
 public:
  bool Has(ListKind kind, int slot, std::u16string_view name) const;
  void Add(ListKind kind, int slot, std::u16string_view name);
  // The options dialog's "当全局热键在这些窗口中执行原程序/窗口的原有功能时，弹出提示信息".
  void Clear();

 private:
  std::set<std::u16string> names_[2][2];
};

inline constexpr std::u16string_view kIgnoreQuestionCaption = u"全局热键失效";
// The question shown when a list entry takes the key from the jump list;
// `shortcut` is the hotkey as the user reads it ("Ctrl+D").
std::u16string IgnoreQuestionText(ListKind kind, std::u16string_view shortcut,
                                  std::u16string_view name);

// What one ignore test (window class first, then program name) needs.
struct IgnoreTestInput {
  ListKind kind = ListKind::WindowClass;
  int slot = 1;                    // jump list 1 or 2
  std::u16string candidate;        // the class name, or the program's file name
  bool targetIsDialog = false;     // class "#32770": program names do not count there
  bool showMessage = true;         // "ShowMsgWhenIgnoreGlobalHotKey"
  std::u16string shortcutText;     // for the question
};

struct IgnoreTestResult {
  bool passOn = false;   // the key goes back to the program in front
  bool asked = false;    // a question was shown (the window in front wants to be brought back)
  bool listChanged = false;
};

// The test over `lines`, asking `question` for every matching line whose
// name is not in `noShow`; No adds the name to `noShow`, Cancel disables the
// entry on its line.
IgnoreTestResult RunIgnoreTest(const IgnoreTestInput& input, std::vector<std::u16string>& lines,
                               NoShowTables& noShow, core::ThreeWayQuestion& question);

}  // namespace pathorama::hotkeys
