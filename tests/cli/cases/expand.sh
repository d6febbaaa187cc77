# Cases for `expand`, sourced by cli_process_test.sh. A fixed moment and seed
# make every value reproducible, natively and under Wine alike.
now=(--now "2026-03-08 09:03:07")
expect 0 "D:\\(1|2|3)" expand "${now[@]}" 'D:\{1-3Number}'
expect 0 "(008|009|010|011|012)|(I|II|III|IV)|(九|十|十一)|(㊾|㊿|)" expand "${now[@]}" '{8-12:1:3Number}|{1-4RomaNum}|{9-11ChineseNum}|{49-51CircledNum}'
# Pieces are split and stripped of their tags as when the entry is used;
# leading stars and spaces go, empty pieces drop out.
expect 0 "D:\\甲乙|http://x.cn/ABC" expand "${now[@]}" ' *D:\{TianGan1-2} || <Url>http://x.cn/{ABC_Upper1-3}'
# Escapes, and what is no variable, stay as written.
expect 0 "{Today}|{Tomorrow}|{Today" expand "${now[@]}" '{\Today}|{Tomorrow}|{Today'
# Sections: grouping, restructuring with a regular expression.
expect 0 "甲乙 丙丁 戊己 庚辛 壬癸|BCDF" expand "${now[@]}" '{TianGan<2/ >}|{ABC_Upper1-6:*[AEIOU]}'
# Over-large and broken variables stay in braces.
expect 0 "{0-10000Number}|{10001Random}|{ABC_Upper*'(['}" expand "${now[@]}" "{0-10000Number}|{10001Random}|{ABC_Upper*'(['}"
# A seed fixes the random text.
expect 0 "D:\\FKNkPPRv\\jMfuvKe" expand "${now[@]}" --seed 7 'D:\{8Random}\{4-8Random}'
# The random options of an INI file: digits only, length 3.
ini=$(mktemp /tmp/pathorama-expand-XXXXXX.ini)
printf '\xef\xbb\xbf[Option]\r\nUpperEnglishLetterAsRandom=0\r\nLowerEnglishLetterAsRandom=0\r\nRandomLength=3\r\n' >"$ini"
ini_arg=$ini
if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
  ini_arg=$(winepath -w "$ini" 2>/dev/null)
fi
expect 0 "521" expand "${now[@]}" --seed 7 --ini "$ini_arg" '{Random}'
rm -f "$ini"
expect 1 "" expand --ini /nonexistent/pathorama.ini '{Random}'
# Wrong calls.
expect 2 "" expand
expect 2 "" expand --now 2026-02-30 '{1-2Number}'
expect 2 "" expand --seed x '{1-2Number}'
expect 2 "" expand a b
# Dates: sections on a value, and on a date without one.
expect 0 "2026|(20|26|03|08)|{HH" expand "${now[@]}" '{Today1-4}|{Today<2>}|{HHour<hh>1-3}'
# Folder layers count in the path around them, after its other variables.
expect 0 "D:\\Work\\Projects\\Projects_old" expand 'D:\Work\Projects\{pFolder}_old'
expect 0 "D:\\2026\\x\\2026_2026|D:\\a\\{3Folder}|D:\\Work\\2024\\2024\\x" expand "${now[@]}" 'D:\{YYYY}\x\{-2Folder}_{2Folder}|D:\a\{3Folder}|D:\Work\{+1Folder}\2024\x'
# Names with one value everywhere; {WorkGroup} has none.
expect 0 "64|HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce|{WorkGroup}" expand '{SystemBits}|{RegCurUserAutoRunOnce}|{WorkGroup}'
