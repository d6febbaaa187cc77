# Cases for `import`, sourced by cli_process_test.sh: another program's list
# of folders as the editor imports it, listed as `list` lists a jump list.
import_fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/../fixtures" && pwd)
# import_arg NAME: a fixture's path as the cli under test sees it.
import_arg() {
  if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
    winepath -w "$import_fixtures/$1" 2>/dev/null
  else
    printf '%s' "$import_fixtures/$1"
  fi
}
# The GBK fixture is in the system code page of a Chinese system.
import_saved_lc_all=${LC_ALL-} import_saved_lang=${LANG-}
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8

# A hot list in GBK: nested groups, a command that is no "cd", a separator
# and a network folder that keeps its backslashes.
expect 0 $'文档\tD:\\文档
工具/
  内层/
    Bin\tC:\\Bin
  运行\t
-
共享\t\\\\srv\\pub' import --kind totalcommander "$(import_arg hotlist_gbk.ini)"

# Favourites in UTF-8 with byte-order mark: an empty folder, and a label
# that would read as a group head.
expect 0 $'Docs\tD:\\Docs
工作/
  Rep\tE:\\Rep
  空/
x\tF:\\x' import --kind DirectoryOpus "$(import_arg favourites.xml)"

# A text list in UTF-16LE without byte-order mark, detected or chosen; a
# drive root is its own caption.
import_text=$'工作/
  Work\tD:\\Docs\\Work | E:\\Backup
  Music\tD:\\Music
-
D:\tD:'
expect 0 "$import_text" import --kind text "$(import_arg paths_utf16le.txt)"
expect 0 "$import_text" import --encoding 1200 --kind text "$(import_arg paths_utf16le.txt)"

# What cannot be imported: exit 1 and a message; wrong calls: exit 2.
expect 1 "" import --kind text "$(import_arg no-such-file.txt)"
grep -q '文件不存在' /tmp/cli_err.$$ || { echo "FAIL: import of a missing file says so"; failures=$((failures + 1)); }
expect 1 "" import --kind directoryopus "$(import_arg hotlist_gbk.ini)"
grep -q '无法解析收藏夹文件' /tmp/cli_err.$$ || { echo "FAIL: import of broken XML says so"; failures=$((failures + 1)); }
expect 1 "" import --kind totalcommander "$(import_arg favourites.xml)"
expect 2 "" import "$(import_arg favourites.xml)"
expect 2 "" import --kind text --encoding utf8 "$(import_arg paths_utf16le.txt)"

export LC_ALL=$import_saved_lc_all LANG=$import_saved_lang
