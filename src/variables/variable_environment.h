// What a variable's value may depend on besides its text: the clock, a
// random source, the option values and the facts of the computer. All injectable, so expansion is a
// pure function of its inputs in tests and in `pathorama-cli expand`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pathorama::variables {

struct LocalDateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Uniform in [0, bound); bound >= 1.
  virtual uint32_t Below(uint32_t bound) = 0;
};

// Option values the families read. Filled from the live settings by the
// apply step (and by `pathorama-cli expand --ini`); defaults are the
// program's defaults.
struct VariableOptions {
  std::u16string randomCharacters =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  int randomLength = 5;
  int weekStartsWith = 0;  // 0 Monday, 1 Sunday
  LocalDateTime asFirstWeek{0, 1, 1};  // year 0: 1 January of the current year
  bool firstDayAsFirstWeek = true;
  std::u16string yearMonthDayDelimiter;
  bool setDayForEmptyParam = false;
  LocalDateTime dayForEmptyParam{0, 1, 1};  // year 0: today
};

class DateLocale;   // variables/date_locale.h
class SystemFacts;  // variables/system_facts.h

struct VariableEnvironment {
  const Clock* clock = nullptr;
  RandomSource* random = nullptr;
  const VariableOptions* options = nullptr;
  // Month and weekday names and the locale's formats for the date letters;
  // null: the platform's (the built-in zh-CN natively).
  const DateLocale* dateLocale = nullptr;
  // Folders and facts of the computer; null: the path and system names that
  // need them stay as written.
  SystemFacts* system = nullptr;
};

// The path a layer variable counts in (see ContextPath in the driver): two
// pieces of text read one after the other, so that the driver never copies
// the whole text for each variable; with `carriageReturnAsBackslash` a
// carriage return in them reads as "\".
struct ContextText {
  std::u16string_view head;
  std::u16string_view tail;
  bool carriageReturnAsBackslash = false;

  bool Empty() const { return head.empty() && tail.empty(); }
};

// One variable as the driver hands it to a value family.
struct VariableRequest {
  std::u16string_view wholeText;  // the text given to the pass (T)
  std::u16string_view nameText;   // the name with its parameters
  ContextText contextPath;        // only for the folder layers; empty otherwise
  std::u16string_view textAfter;
  std::u16string_view textBefore;
  const VariableEnvironment& env;
  // LayerCount(textBefore) when the driver kept count as it produced the
  // text (the folder layers); negative: count it.
  long long layerCountBefore = -1;
};

}  // namespace pathorama::variables
