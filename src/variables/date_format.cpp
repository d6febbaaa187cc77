#include "variables/date_format.h"

#include "core/text.h"
#include "variables/date_calendar.h"

namespace pathorama::variables {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; }

bool StartsWithAt(std::u16string_view format, size_t at, std::u16string_view word) {
  if (format.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (Lower(format[at + i]) != word[i]) return false;
  return true;
}

void AppendNumber(std::u16string& out, long long value, int digits) {
  std::u16string text = core::MagnitudeText(value);
  if (value < 0) out += u'-';
  if (static_cast<int>(text.size()) < digits) out.append(digits - text.size(), u'0');
  out += text;
}

class Formatter {
 public:
  Formatter(const LocalDateTime& t, const DateLocale& locale) : t_(t), locale_(locale) {}

  // The locale's own formats may name 'c', 't' or 'ddddd' again: two levels
  // deep is enough for any real locale and stops a format that names itself.
  void Append(std::u16string_view format, int level) {
    char16_t lastToken = 0;
    size_t i = 0;
    while (i < format.size()) {
      const char16_t starter = format[i];
      char16_t token = Lower(starter);
      const size_t start = i++;
      auto count = [&] {
        while (i < format.size() && Lower(format[i]) == Lower(starter)) ++i;
        return static_cast<int>(i - start);
      };
      if (token >= u'a' && token <= u'z') {
        if (token == u'm' && lastToken == u'h') token = u'n';
        lastToken = token;
      }
      switch (token) {
        case u'y': {
          if (count() <= 2)
            AppendNumber(out_, t_.year % 100, 2);
          else
            AppendNumber(out_, t_.year, 4);
          break;
        }
        case u'g':
          out_ += locale_.EraName(t_, count() > 1);
          break;
        case u'e':
          AppendNumber(out_, locale_.EraYear(t_), count() > 1 ? 2 : 1);
          break;
        case u'm': {
          const int n = count();
          if (n <= 2)
            AppendNumber(out_, t_.month, n);
          else
            out_ += locale_.MonthName(t_.month, n > 3);
          break;
        }
        case u'd': {
          const int n = count();
          if (n <= 2)
            AppendNumber(out_, t_.day, n);
          else if (n <= 4)
            out_ += locale_.DayName(IsoWeekday(t_), n == 4);
          else if (level < 2)
            Append(locale_.DateFormat(n > 5), level + 1);
          break;
        }
        case u'h': {
          const int n = count();
          int hour = t_.hour;
          if (TwelveHourMarkerFollows(format, i)) {
            if (hour == 0)
              hour = 12;
            else if (hour > 12)
              hour -= 12;
          }
          AppendNumber(out_, hour, n > 2 ? 2 : n);
          break;
        }
        case u'n': {
          const int n = count();
          AppendNumber(out_, t_.minute, n > 2 ? 2 : n);
          break;
        }
        case u's': {
          const int n = count();
          AppendNumber(out_, t_.second, n > 2 ? 2 : n);
          break;
        }
        case u'z': {
          const int n = count();
          AppendNumber(out_, t_.millisecond, n > 3 ? 3 : n);
          break;
        }
        case u't': {
          const int n = count();
          if (level < 2) Append(locale_.TimeFormat(n > 1), level + 1);
          break;
        }
        case u'c':
          count();
          if (level < 2) {
            Append(locale_.DateFormat(false), level + 1);
            out_ += u' ';
            Append(locale_.TimeFormat(true), level + 1);
          }
          break;
        case u'a':
          AppendMarker(format, start, i);
          break;
        case u'\'':
        case u'"': {
          const size_t close = format.find(starter, i);
          const size_t end = close == std::u16string_view::npos ? format.size() : close;
          out_.append(format.substr(i, end - i));
          i = end == format.size() ? end : end + 1;
          break;
        }
        default:
          out_ += starter;
      }
    }
  }

  std::u16string Take() { return std::move(out_); }

 private:
  // An hour is on the 12-hour clock when a marker follows before the next
  // hour (quoted text does not count).
  static bool TwelveHourMarkerFollows(std::u16string_view format, size_t from) {
    bool quoted = false;
    for (size_t p = from; p < format.size(); ++p) {
      const char16_t c = Lower(format[p]);
      if (c == u'\'' || c == u'"') quoted = !quoted;
      if (quoted) continue;
      if (c == u'h') return false;
      if (c == u'a')
        return StartsWithAt(format, p, u"am/pm") || StartsWithAt(format, p, u"a/p") ||
               StartsWithAt(format, p, u"ampm");
    }
    return false;
  }

  // At `start` an 'a': a marker, a weekday name, or just the letter.
  void AppendMarker(std::u16string_view format, size_t start, size_t& next) {
    const bool pm = t_.hour >= 12;
    if (StartsWithAt(format, start, u"am/pm")) {
      out_.append(format.substr(start + (pm ? 3 : 0), 2));
      next = start + 5;
    } else if (StartsWithAt(format, start, u"a/p")) {
      out_ += format[start + (pm ? 2 : 0)];
      next = start + 3;
    } else if (StartsWithAt(format, start, u"ampm")) {
      out_ += locale_.AmPm(pm);
      next = start + 4;
    } else if (StartsWithAt(format, start, u"aaaa")) {
      out_ += locale_.DayName(IsoWeekday(t_), true);
      next = start + 4;
    } else if (StartsWithAt(format, start, u"aaa")) {
      out_ += locale_.DayName(IsoWeekday(t_), false);
      next = start + 3;
    } else {
      out_ += format[start];
      next = start + 1;
    }
  }

  const LocalDateTime& t_;
  const DateLocale& locale_;
  std::u16string out_;
};

}  // namespace

std::u16string FormatDateTime(std::u16string_view format, const LocalDateTime& t,
                              const DateLocale& locale) {
  Formatter formatter(t, locale);
  formatter.Append(format, 0);
  return formatter.Take();
}

}  // namespace pathorama::variables
