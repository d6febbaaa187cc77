#include "windows/key_names.h"

#include <gtest/gtest.h>

namespace pathorama::windows {
namespace {

TEST(KeyNames, TableRowsThatNeedCare) {
  struct Case {
    const char16_t* name;
    int vk;
  } cases[] = {
      {u"Ctrl", 17},    {u"alt", 18},     {u"SHIFT", 16},    {u"LCtrl", 162}, {u"RCtrl", 163},
      {u"LAlt", 164},   {u"RAlt", 165},   {u"LShift", 160},  {u"RShift", 161}, {u"Win", 91},
      {u"LWin", 91},    {u"RWin", 92},    {u"F1", 112},      {u"f12", 123},   {u"F24", 135},
      {u"Return", 13},  {u"Enter", 13},   {u"Clear", 12},    {u"Back", 8},    {u"Print", 42},
      {u"Del", 46},     {u"Insert", 45},  {u"PageUp", 33},   {u"PageDown", 34}, {u"End", 35},
      {u"Home", 36},    {u"Left", 37},    {u"Up", 38},       {u"Right", 39},  {u"Down", 40},
      {u"Esc", 27},     {u"Space", 32},   {u"Tab", 9},       {u"Pause", 19},
      {u"F0", 0},       {u"F25", 0},      {u"F1x", 0},       {u"F", 0},       {u"Foo", 0},
      {u"", 0},         {u"F+1", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(VirtualKeyOfName(c.name), c.vk)
        << std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name));
}

std::string Describe(const std::vector<KeyStroke>& plan) {
  std::string s;
  for (const KeyStroke& k : plan) {
    if (!s.empty()) s += ' ';
    s += std::to_string(k.code) + (k.up ? "^" : "v") + (k.unicode ? "u" : "");
  }
  return s;
}

TEST(KeyNames, PlansPressTypeAndRelease) {
  struct Case {
    const char16_t* names;
    const char16_t* chars;
    const char* plan;
  } cases[] = {
      {u"Ctrl", u"C", "17v 67v 67^ 17^"},
      {u"ctrl+shift", u"", "17v 16v 17^ 16^"},
      {u"Ctrl+Foo", u"V", "17v 86v 86^ 17^"},
      {u" Esc ", u"", "27v 27^"},
      {u"F5+F24", u"", "116v 135v 116^ 135^"},
      {u"", u"A1", "65v 65^ 49v 49^"},
      {u"", u"a", "65v 65^"},                      // lower case: the same key
      {u"Alt", u"é", "18v 233vu 233^u 18^"},       // typed as a character
      {u"  ", u"  ", ""},
      {u"Foo", u"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Describe(PlanKeystrokes(c.names, c.chars)), c.plan)
        << std::string(c.names, c.names + std::char_traits<char16_t>::length(c.names));
}

TEST(KeyNames, NamedKeysWaitAMillisecondEach) {
  auto plan = PlanKeystrokes(u"Ctrl+Alt", u"");
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[0].waitMs, 1);
  EXPECT_EQ(plan[1].waitMs, 1);
  auto typed = PlanKeystrokes(u"", u"AB");
  ASSERT_EQ(typed.size(), 4u);
  EXPECT_EQ(typed[1].waitMs, 1);  // after each character when no key is held
  EXPECT_EQ(typed[3].waitMs, 1);
}

}  // namespace
}  // namespace pathorama::windows
