#include "app/hotkey_slots.h"

#include "core/diagnostics.h"
#include "core/text.h"

namespace pathorama::app {

namespace {

constexpr uint16_t kShift = 0x2000;
constexpr uint16_t kCtrl = 0x4000;
constexpr uint16_t kAlt = 0x8000;

struct KeyName {
  unsigned virtualKey;
  const char16_t* name;
};

// Keys whose name is not their character; letters, digits, F keys and the
// number pad are named by rule.
constexpr KeyName kKeyNames[] = {
    {0x08, u"Backspace"},   {0x09, u"Tab"},    {0x0D, u"Enter"}, {0x13, u"Pause"},
    {0x14, u"Caps Lock"},   {0x1B, u"Esc"},    {0x20, u"Space"}, {0x21, u"Page Up"},
    {0x22, u"Page Down"},   {0x23, u"End"},    {0x24, u"Home"},  {0x25, u"Left"},
    {0x26, u"Up"},          {0x27, u"Right"},  {0x28, u"Down"},  {0x2C, u"Print Screen"},
    {0x2D, u"Insert"},      {0x2E, u"Delete"}, {0x6A, u"Num *"}, {0x6B, u"Num +"},
    {0x6D, u"Num -"},       {0x6E, u"Num ."},  {0x6F, u"Num /"}, {0x90, u"Num Lock"},
    {0x91, u"Scroll Lock"}, {0xBA, u";"},      {0xBB, u"="},     {0xBC, u","},
    {0xBD, u"-"},           {0xBE, u"."},      {0xBF, u"/"},     {0xC0, u"`"},
    {0xDB, u"["},           {0xDC, u"\\"},     {0xDD, u"]"},     {0xDE, u"'"},
};

std::u16string KeyText(unsigned key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::u16string(1, static_cast<char16_t>(key));
  if (key >= 0x70 && key <= 0x87) return u"F" + core::IntToText(key - 0x6F);
  if (key >= 0x60 && key <= 0x69) return u"Num " + std::u16string(1, char16_t(u'0' + key - 0x60));
  for (const KeyName& k : kKeyNames)
    if (k.virtualKey == key) return k.name;
  return u"Key " + core::HexText(key, 2);
}

}  // namespace

HotKeyRegistration RegistrationForShortcut(uint16_t shortcut) {
  HotKeyRegistration r;
  r.virtualKey = shortcut & 0xFF;
  if (shortcut & kAlt) r.modifiers |= 1;    // MOD_ALT
  if (shortcut & kCtrl) r.modifiers |= 2;   // MOD_CONTROL
  if (shortcut & kShift) r.modifiers |= 4;  // MOD_SHIFT
  return r;
}

std::u16string ShortcutText(uint16_t shortcut) {
  unsigned key = shortcut & 0xFF;
  if (key == 0) return {};
  std::u16string text;
  if (shortcut & kCtrl) text += u"Ctrl+";
  if (shortcut & kShift) text += u"Shift+";
  if (shortcut & kAlt) text += u"Alt+";
  return text + KeyText(key);
}

}  // namespace pathorama::app
