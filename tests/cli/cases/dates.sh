# Cases for the date and time variables of `expand`, sourced by
# cli_process_test.sh. Sunday 8 March 2026, 14:30:45; the letters used do
# not depend on the machine's locale, so the same text comes natively and
# under Wine.
at=(--now "2026-03-08 14:30:45")
# The moment and the clock time, with unit offsets and formats.
expect 0 "20260308143045|20260308143115|二零二六零三零八一四三零四五|2026-03-09 00.30|20270213150100" \
  expand "${at[@]}" '{Now}|{+30sNow}|{Now<Chn>}|{+10hNow<yyyy-mm-dd hh.nn>}|{+1y-1m+1w-2d+1h-30n+15sNow}'
expect 0 "143045|一四三零四五|16.30|130045|14h30" \
  expand "${at[@]}" '{Time}|{Time<Chn>}|{+2hTime<hh.nn>}|{-1h-30nTime}|{time<hh"h"nn>}'
# The date: offsets (a bare number counts days), formats, Chinese and sexagenary forms.
expect 0 "D:\\Log\\20260308|20260307|20260307|20260315|20270505|二零二六零三零八|丙午年辛卯月辛巳日|2026.03.08 14" \
  expand "${at[@]}" 'D:\Log\{Today}|{-1dToday}|{-1Today}|{+1wToday}|{+1y+2m-3dToday}|{Today<Chn>}|{Today<ChnEra>}|{today<yyyy.mm.dd hh>}'
# Month ends, leap days and year ends.
expect 0 "20260228" expand --now "2026-01-31 10:00:00" '{+1mToday}'
expect 0 "20240229|20250228|20280229" expand --now "2024-02-29 10:00:00" '{Today}|{+1yToday}|{+4yToday}'
expect 0 "20260101|20250101|366|4" expand --now "2024-12-31 10:00:00" '{+1y+1dToday}|{+1dToday}|{DInY}|{QInY}'
# Weekdays: numbers and names.
expect 0 "7|日|Sunday|Sun.|1|4|Thursday|7|一|7" \
  expand "${at[@]}" '{CurWeekDay}|{CurWeekDay<Chn>}|{CurWeekDay<Eng>}|{CurWeekDay<ShortEng>}|{+1CurWeekDay}|{WeekDay<20240229>}|{WeekDay<20240229><Eng>}|{WeekDay<20230229>}|{+1dWeekDay<Chn>}|{WeekDay<>}'
# Date parts; "+1mm" is one month ahead with two digits.
expect 0 "2026|26|03|3|08|8|04|04|4|04|09|25|2027" \
  expand "${at[@]}" '{YYYY}|{YY}|{MM}|{M}|{DD}|{D}|{+1mMM}|{+1MM}|{+1M}|{+1mm}|{+1dd}|{-1yYY}|{+1YYYY}'
expect 0 "马年|蛇年|二零二六|二六|丙午年|辛卯月|辛巳日|〇八|八|三|March|Mar|April" \
  expand "${at[@]}" '{YYYY<ShengXiao>}|{-1YYYY<ShengXiao>}|{YYYY<Chn>}|{YY<Chn>}|{YYYY<ChnEra>}|{MM<ChnEra>}|{DD<ChnEra>}|{DD<Chn>}|{D<Chn>}|{MM<Chn>}|{MM<Eng>}|{M<ShortEng>}|{+1MM<Eng>}'
expect 0 "十二|December|Dec|十" expand --now "2026-12-10 08:00:00" '{MM<Chn>}|{MM<Eng>}|{M<ShortEng>}|{DD<Chn>}'
expect 0 "20260308|2026年3月8日|2024.02.29|20260308|20260308|二零二六零三零八|乙巳年己丑月戊申日|20250101" \
  expand "${at[@]}" '{Day}|{Day<yyyy年m月d日>}|{Day<20240229><yyyy.mm.dd>}|{Day<20230229>}|{Day<>}|{Day<Chn>}|{Day<20260203><ChnEra>}|{+1Day<20241231>}'
# Numbers of the day, quarter and week.
expect 0 "67|六十七|1|4|2|10|10|7|十|七" \
  expand "${at[@]}" '{DInY}|{DInY<Chn>}|{QInY}|{-1QInY}|{+1QInY}|{WInY}|{WeekNum}|{DInW}|{WeekNum<Chn>}|{DInW<Chn>}'
expect 0 "1|53|-1|2" expand --now "2026-12-31 08:00:00" '{WeekNum<20260101>}|{WInY}|{WeekNum<20251228>}|{WeekNum<20260105>}'
# Clock parts.
expect 0 "14|14|2|02|30|30|45|45|0|15|05|十四|〇二|四十五" \
  expand "${at[@]}" '{Hour}|{HHour}|{H}|{HH}|{Min}|{MMin}|{Sec}|{SSec}|{+10Hour}|{-15Min}|{+20SSec}|{Hour<chn>}|{HH<chn>}|{SSec<chn>}'
expect 0 "0|09" expand --now "2026-03-08 12:00:00" '{H}|{+9HH}'
# Month and week day lists in the path-branch format.
expect 0 "D:\\(02|03|04|05|06|09|10|11|12|13|16|17|18|19|20|23|24|25|26|27|30|31)" \
  expand "${at[@]}" 'D:\{MonthDays<-67><dd>}'
expect 0 "(03.02|03.09|03.16|03.23|03.30)|(2024-02-05|2024-02-12|2024-02-19|2024-02-26)|(20270102|20270109|20270116|20270123|20270130)" \
  expand "${at[@]}" '{3MonthDays<1><mm.dd>}|{202402MonthDays<1><yyyy-mm-dd>}|{+10MonthDays<6>}'
expect 0 "(03.02|03.03|03.04|03.05|03.06)|(09|10|11|12|13|14|15)|20260301|(12.29|12.30|12.31|01.01|01.02|01.03|01.04)|03.02|03.09" \
  expand "${at[@]}" '{WeekDays<1-5><mm.dd>}|{+1WeekDays<dd>}|{-1WeekDays<7>}|{20260101WeekDays<mm.dd>}|{202610WeekDays<1><mm.dd>}|{11WeekDays<1><mm.dd>}'
# What has no value keeps its braces: formats a name does not take, a
# format that gives itself back, dates beyond the year 9999, the days the
# 1582 reform dropped.
expect 0 "{YYYY<Eng>}|{Today<p>}|{+8000yToday}|{-3000yMM}|{WeekDay<ChnEra>}|{-443y-5mToday<ChnEra>}|15821008" \
  expand "${at[@]}" '{YYYY<Eng>}|{Today<p>}|{+8000yToday}|{-3000yMM}|{WeekDay<ChnEra>}|{-443y-5mToday<ChnEra>}|{-443y-5mToday}'

# The week and date options of an INI file: weeks from Sunday, "-" between
# year, month and day, week 1 is the week of 2 March, a fixed date for "<>".
ini=$(mktemp /tmp/pathorama-dates-XXXXXX.ini)
printf '\xef\xbb\xbf[Option]\r\nWeekStartsWith=1\r\nYearMonthDayDelimiter=-\r\nAsFirstWeek=2026-03-02\r\nchkSetDayForDayCustomVarEmptyParam=1\r\ndtpDayForDayCustomVarEmptyParam=2025-06-15\r\n' >"$ini"
ini_arg=$ini
if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
  ini_arg=$(winepath -w "$ini" 2>/dev/null)
fi
expect 0 "2026-03-08|1|11|2|(2026-03-08|2026-03-09|2026-03-10|2026-03-11|2026-03-12|2026-03-13|2026-03-14)|20250615|7" \
  expand "${at[@]}" --ini "$ini_arg" '{Today}|{DInW}|{WInY}|{WeekNum}|{WeekDays}|{Day<>}|{WeekDay<>}'
# ISO week numbers, and a Sunday counted into the next week.
printf '\xef\xbb\xbf[Option]\r\nWeekStartsWith=1\r\nFirstDayAsFirstWeek=0\r\n' >"$ini"
expect 0 "11|1" expand "${at[@]}" --ini "$ini_arg" '{WInY}|{WInY<20230101>}'
rm -f "$ini"
