# Cases for `list`, sourced by cli_process_test.sh: the jump list a Pathorama
# INI holds, as the program reads it, in every encoding it detects.
list_fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/../fixtures" && pwd)
# list_arg NAME: a fixture's path as the cli under test sees it.
list_arg() {
  if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
    winepath -w "$list_fixtures/$1" 2>/dev/null
  else
    printf '%s' "$list_fixtures/$1"
  fi
}
# The GBK fixture is in the system code page of a Chinese system.
list_saved_lc_all=${LC_ALL-} list_saved_lang=${LANG-}
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

# UTF-8 with byte-order mark: nested groups, separators, a disabled entry, an
# empty path, a group with and one without real path info.
expect 0 $'文档(&D)\tD:\\Docs
工作/\tE:\\Work
  Reports\tE:\\Reports|F:\\Reports
  Nested/
    No path\t
    -
    Old\t /D:\\Old
-
Empty/\t<>
Web\t*<Url>https://example.com/{YYYY}' list "$(list_arg jumplist_utf8.ini)"

expect 0 $'中文文档(&D)\tD:\\资料\\文档
项目/
  报告\tE:\\报告' list "$(list_arg jumplist_gbk.ini)"

expect 0 $'注册表\t<RegPath>HKEY_CURRENT_USER\\Software
组/\tC:\\组
  -' list "$(list_arg jumplist_utf16.ini)"

# UTF-16LE without byte-order mark whose bytes all pass for UTF-8 (ASCII and
# the CJK characters 中学上下): read as UTF-16, not as empty UTF-8 text.
expect 0 $'中学(&X)\tC:\\上下
Work/\tC:\\Work
  Docs\tD:\\Docs' list "$(list_arg jumplist_utf16le_no_mark.ini)"

# The legacy section name, a stray "--" and a group never closed; listing
# does not rewrite the file.
expect 0 $'A\ta
G/
  B\tb' list "$(list_arg jumplist_damaged.ini)"
grep -q '^\[DirMenu\]' "$list_fixtures/jumplist_damaged.ini" ||
  { echo "FAIL: list rewrote its file"; failures=$((failures + 1)); }

# A jump list nested DEPTH groups deep around one entry is listed in full;
# after 100 levels the indentation stops growing and the line names its level.
list_deep() {
  local depth=$1 file arg listing
  file=$(mktemp /tmp/pathorama-deep-XXXXXX.ini)
  listing=$(mktemp /tmp/pathorama-deep-XXXXXX.txt)
  awk -v depth="$depth" 'BEGIN {
    printf "[PathMenu]\r\n"
    for (i = 0; i < depth; i++) printf "menu%d=-G%d\r\n", ++n, i
    printf "menu%d=Deep\r\n", ++n
    printf "path%d=D:\\Deep\r\n", n
    for (i = 0; i < depth; i++) printf "menu%d=--\r\n", ++n
  }' >"$file"
  arg=$file
  if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
    arg=$(winepath -w "$file" 2>/dev/null)
  fi
  local rc=0
  timeout 300 "${cli[@]}" list "$arg" 2>/tmp/cli_err.$$ | tr -d '\r' >"$listing" || rc=1
  [ "${PIPESTATUS[0]}" = 0 ] || rc=1
  local pad
  pad=$(printf '%200s' '')
  local got_lines got_first got_101 got_last
  got_lines=$(wc -l <"$listing")
  got_first=$(sed -n 1p "$listing")
  got_101=$(sed -n 102p "$listing")
  got_last=$(tail -n 1 "$listing")
  if [ "$rc" != 0 ] || [ "$got_lines" != $((depth + 1)) ] || [ "$got_first" != "G0/" ] ||
    [ "$got_101" != "$pad[101] G101/" ] || [ "$got_last" != "$pad[$depth] Deep"$'\t''D:\Deep' ]; then
    printf 'FAIL: list of a tree %s levels deep: exit %s, %s lines\n  first %q\n  101st level %q\n  last %q\n' \
      "$depth" "$rc" "$got_lines" "$got_first" "$got_101" "$got_last"
    failures=$((failures + 1))
  fi
  rm -f "$file" "$listing"
}
list_deep 60000
# Natively also as deep as a tree gets before freeing it recursively failed.
[ "${cli[0]}" = "${cli[-1]}" ] && list_deep 400000

expect 1 "" list "$(list_arg no-such-file.ini)"
grep -q 'no-such-file.ini' /tmp/cli_err.$$ ||
  { echo "FAIL: list: no message for a missing file"; failures=$((failures + 1)); }
expect 2 "" list
expect 2 "" list a.ini b.ini

if [ -n "$list_saved_lc_all" ]; then export LC_ALL=$list_saved_lc_all; else unset LC_ALL; fi
if [ -n "$list_saved_lang" ]; then export LANG=$list_saved_lang; else unset LANG; fi
