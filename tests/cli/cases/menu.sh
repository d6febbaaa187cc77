# Cases for `menu`, sourced by cli_process_test.sh: the jump-list popup as
# the program prepares it for a settings file with a given folder open.
menu_fixtures=$(cd "$(dirname "${BASH_SOURCE[0]}")/../fixtures" && pwd)
menu_arg() {
  if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
    winepath -w "$menu_fixtures/$1" 2>/dev/null
  else
    printf '%s' "$menu_fixtures/$1"
  fi
}
menu_functions_add=$'添加当前文件夹(&A)'
menu_functions_rest=$'配置路径跳转列表(&C)
批量删除特定条目(&D)/
  本地路径不存在的条目(&D)
  未关联路径或网址的条目(&N)
禁用弹出跳转列表的热键(&J)/
  在当前类型的窗口中禁用(&W)
  在当前软件中禁用(&S)
  在特定窗口/程序中禁用(&F)
程序设置(&S)'

# The open folder is an entry of a group (given with a trailing backslash in
# the file): the entry and its group are checked, the group's own item and
# the function item offer deletion; the hidden disabled entry is left out.
expect 0 "文档(&D)
[x] 工作/
  [x] 报告
  深层/
    日志
    -
    添加当前文件夹到本层(&A)
  -
  删除当前文件夹条目(&R)
-
设置(&S)
-
删除当前文件夹条目(&R)
$menu_functions_rest" menu --folder 'E:\Work\Reports' "$(menu_arg menu.ini)"

# An entry with the variables mark matches the folder of its year.
expect 0 "文档(&D)
[x] 工作/
  报告
  [x] 深层/
    [x] 日志
    -
    删除当前文件夹条目(&R)
  -
  添加当前文件夹到本层(&A)
-
设置(&S)
-
删除当前文件夹条目(&R)
$menu_functions_rest" menu --now "2031-05-04 08:00:00" --folder 'e:\log\2031\' "$(menu_arg menu.ini)"

# No open folder: nothing is checked, not even the entries without path info.
expect 0 "文档(&D)
工作/
  报告
  深层/
    日志
    -
    添加当前文件夹到本层(&A)
  -
  添加当前文件夹到本层(&A)
-
设置(&S)
-
$menu_functions_add
$menu_functions_rest" menu "$(menu_arg menu.ini)"

# The options hide function items, drop the groups' current-folder items and
# show disabled entries greyed instead of hiding them.
expect 0 "G/
  A
  Off
-
添加当前文件夹(&A)
程序设置(&S)" menu --folder 'D:\Elsewhere' "$(menu_arg menu_options.ini)"

expect 1 "" menu "$(menu_arg no-such-file.ini)"
expect 2 "" menu --folder 'D:\A'
expect 2 "" menu --now yesterday "$(menu_arg menu.ini)"
