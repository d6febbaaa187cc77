# End-to-end scenarios of the variable builder "设置变量的表达式", opened from
# the jump list editor's "插入变量" menu. Sourced by run_scenario.sh.

vb_title=设置变量的表达式
vb_shown() { probe find-window "$vb_title" >/dev/null; }
vb_gone() { ! vb_shown; }

# The builder through the path row of window $1 (the editor or the import
# window): the pointer onto 插入变量 opens its menu, which ends with
# "通过面板输入" and "变量选项".
vb_open_from() {
  local x y
  read -r x y < <(probe item-center "$1" 6424)
  xdotool mousemove $((x - 40)) "$y"; sleep 0.3; xdotool mousemove "$x" "$y"
  wait_until 10 ed_popup_shown || { fail "no menu when the pointer came onto 插入变量"; return 1; }
  probe press 0 0x26; sleep 0.2; probe press 0 0x26; sleep 0.2; probe press 0 0x0D
  xdotool mousemove 1279 1023
  wait_until 20 vb_shown || { fail "no builder after 通过面板输入"; return 1; }
  sleep 1
}

# From the editor: the builder through "插入变量" → "通过面板输入"; {YYYY} from
# its menu, one year back, as Chinese digits; 插入 puts the expression into
# the path box, the value label shows last year, and 保存 keeps it with the
# variables mark.
scenario_builder_date_into_path_box() {
  ed_ini '[PathMenu]' 'menu1=日志' 'path1=D:\Log\'
  ed_open_first || return
  sleep 1
  vb_open_from "$ed_title" || { close_app; return; }
  local x y
  # {YYYY} from the builder's own menu: 日期时间, its third entry.
  read -r x y < <(probe item-center "$vb_title" 7109)
  xdotool mousemove "$x" "$y"; xdotool click 3
  wait_until 10 ed_popup_shown || fail "no variable menu on a right click in the builder"
  for key in 0x28 0x27 0x28 0x28 0x0D; do probe press 0 "$key"; sleep 0.3; done
  xdotool mousemove 1279 1023
  sleep 0.5
  expect_eq "the builder's page title" "$(probe item-text "$vb_title" 7109)" "变量 {YYYY} 的特殊选项"
  probe set-item-text "$vb_title" 7110 -1 || fail "no 年 box"
  probe press-item "$vb_title" 7134 || fail "no 转换为："
  expect_eq "the expression" "$(probe item-text "$vb_title" 7102)" "{-1YYYY<Chn>}"
  local last
  last=$(( $(date +%Y) - 1 ))
  expect_eq "the value" "$(probe item-text "$vb_title" 7103)" \
    "$(printf '%s' "$last" | sed 'y/0123456789/零一二三四五六七八九/')"
  import -window root "$artifacts/builder.png" 2>/dev/null || fail "screenshot failed"
  probe click "$vb_title" "插入(&I)" || fail "no 插入(&I)"
  sleep 1
  local box
  box=$(probe item-text "$ed_title" 6419)
  case "$box" in
    *"{-1YYYY<Chn>}"*) ;;
    *) fail "the path box holds \"$box\", not the expression" ;;
  esac
  import -window root "$artifacts/builder-inserted.png" 2>/dev/null || fail "screenshot failed"
  probe click "$vb_title" "关闭(&C)" || fail "no 关闭(&C)"
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  grep -q '{-1YYYY<Chn>}' "$ini" || fail "the saved list lacks the expression: $(grep path1 "$ini")"
  close_app
}

# From the import window "导入收藏夹设置": its own 插入变量 menu opens the
# builder over it, 追加 writes into its path box (not the hidden editor's),
# and the entry imported with the expression is saved by the editor.
scenario_builder_in_import_window() {
  local import_title=导入收藏夹设置 box
  ed_ini '[PathMenu]' 'menu1=旧条目' 'path1=C:\users'
  printf '[DirMenu]\r\nmenu1=系统\r\ncmd1=cd C:\\windows\\system32\r\n' | iconv -f utf-8 -t gbk >"$dir/wincmd.ini"
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  probe click "$ed_title" "导入跳转列表(&J)" || fail "no 导入跳转列表(&J)"
  wait_until 20 ed_box_shown "$import_title" || { fail "no import window"; close_app; return; }
  probe set-text-in "$import_title" "$(winepath -w "$dir/wincmd.ini" 2>/dev/null)" ||
    fail "the import window took no file name"
  sleep 1
  expect_eq "the import window's path box" "$(probe item-text "$import_title" 6419)" 'C:\windows\system32'
  vb_open_from "$import_title" || { close_app; return; }
  expect_eq "the builder's first expression" "$(probe item-text "$vb_title" 7102)" "{Today}"
  probe click "$vb_title" "追加(&A)" || fail "no 追加(&A)"
  sleep 1
  box=$(probe item-text "$import_title" 6419)
  expect_eq "the import window's path box after 追加" "$box" 'C:\windows\system32{Today}'
  import -window root "$artifacts/builder-over-import-window.png" 2>/dev/null || fail "screenshot failed"
  probe click "$import_title" "导入指定的收藏夹条目(&O)" || fail "no import button"
  wait_until 20 ed_box_gone "$import_title" || { fail "the import window stayed"; close_app; return; }
  wait_until 10 ed_shown || fail "the editor did not come back"
  wait_until 10 vb_gone || fail "the builder stayed after its import window closed"
  # The editor shows the copy, which keeps the expression.
  expect_eq "the editor's path box" "$(probe item-text "$ed_title" 6419)" 'C:\windows\system32{Today}'
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  grep -q 'system32{Today}' "$ini" || fail "the saved list lacks the expression: $(ini_section PathMenu)"
  close_app
}
