#include "windows/key_names.h"

#include "core/text.h"

namespace pathorama::windows {

namespace {

struct KeyName {
  std::u16string_view name;
  int vk;
};

// In the order a name is tested.
constexpr KeyName kKeyNames[] = {
    {u"Ctrl", 17},    {u"LCtrl", 162},   {u"RCtrl", 163},    {u"Alt", 18},     {u"LAlt", 164},
    {u"RAlt", 165},   {u"Shift", 16},    {u"LShift", 160},   {u"RShift", 161}, {u"Win", 91},
    {u"LWin", 91},    {u"RWin", 92},     {u"Esc", 27},       {u"Return", 13},  {u"Enter", 13},
    {u"Space", 32},   {u"Tab", 9},       {u"Del", 46},       {u"Clear", 12},   {u"Back", 8},
    {u"Insert", 45},  {u"Pause", 19},    {u"Print", 42},     {u"Home", 36},    {u"End", 35},
    {u"PageUP", 33},  {u"PageDown", 34}, {u"Left", 37},      {u"Right", 39},   {u"Up", 38},
    {u"Down", 40},
};

constexpr std::u16string_view kBlank = u" \t\r\n";

// Letters and digits are keys of their own; a lower-case letter is its key
// without Shift. Anything else is typed as a character so it arrives as written.
KeyStroke CharacterStroke(char16_t c, bool up) {
  if (c >= u'a' && c <= u'z') return {static_cast<uint16_t>(c - u'a' + u'A'), up, false, 0};
  if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ')
    return {static_cast<uint16_t>(c), up, false, 0};
  return {static_cast<uint16_t>(c), up, true, 0};
}

}  // namespace

int VirtualKeyOfName(std::u16string_view name) {
  for (const KeyName& k : kKeyNames)
    if (core::EqualsIgnoreCase(k.name, name)) return k.vk;
  // "F1" ... "F24"
  if (name.size() >= 2 && (name[0] == u'F' || name[0] == u'f')) {
    std::u16string_view digits = name.substr(1);
    bool allDigits = digits.find_first_not_of(u"0123456789") == std::u16string_view::npos;
    std::optional<long long> n =
        allDigits && digits.size() <= 2 ? core::ParseInt(digits) : std::nullopt;
    if (n && *n >= 1 && *n <= 24) return static_cast<int>(111 + *n);
  }
  return 0;
}

std::vector<KeyStroke> PlanKeystrokes(std::u16string_view names, std::u16string_view characters) {
  std::u16string keys = core::TrimChars(names, kBlank);
  std::u16string chars = core::TrimChars(characters, kBlank);
  std::vector<KeyStroke> plan;
  if (keys.empty()) {
    for (char16_t c : chars) {
      plan.push_back(CharacterStroke(c, false));
      KeyStroke up = CharacterStroke(c, true);
      up.waitMs = 1;
      plan.push_back(up);
    }
    return plan;
  }
  std::vector<uint16_t> held;
  for (const std::u16string& name : core::SplitText(keys, u"+")) {
    int vk = VirtualKeyOfName(core::TrimChars(name, kBlank));
    if (vk == 0) continue;
    held.push_back(static_cast<uint16_t>(vk));
    plan.push_back({static_cast<uint16_t>(vk), false, false, 1});
  }
  for (char16_t c : chars) {
    plan.push_back(CharacterStroke(c, false));
    plan.push_back(CharacterStroke(c, true));
  }
  for (uint16_t vk : held) plan.push_back({vk, true, false, 0});
  return plan;
}

}  // namespace pathorama::windows
