# End-to-end scenarios of the jump list editor "配置路径跳转列表": opened by
# /SetJumpList, driven through its buttons, the input boxes and keys, and
# checked in the [PathMenu] section it saves. Sourced by run_scenario.sh.

ed_title=配置路径跳转列表

ed_ini() {
  printf '\xEF\xBB\xBF' >"$ini"
  printf '%s\r\n' "$@" >>"$ini"
}
ed_shown() { probe find-window "$ed_title" >/dev/null; }
ed_gone() { ! ed_shown; }
ed_box_shown() { probe find-window "$1" >/dev/null; }
ed_box_gone() { ! ed_box_shown "$1"; }
ed_popup_shown() { [ -n "$(probe popups)" ]; }

# The editor's first opening: a start with /SetJumpList. The pointer waits
# in a corner: over "删除特定条目" or "插入变量" it would open their menus.
ed_open_first() {
  xdotool mousemove 1279 1023
  start_app /SetJumpList
  wait_until 30 ed_shown || { fail "no editor after a start with /SetJumpList"; return 1; }
}

# Answers the dialog titled $1 with $2 in its edit and its OK button ($3,
# by default "确定").
ed_answer() {
  local ok=${3:-确定}
  wait_until 20 ed_box_shown "$1" || { fail "no input box \"$1\""; return 1; }
  probe set-text-in "$1" "$2" || fail "the input box \"$1\" took no text"
  probe click "$1" "$ok" || fail "no $ok in \"$1\""
  wait_until 20 ed_box_gone "$1" || fail "the input box \"$1\" stayed"
}

# The editor adds entries and groups through its buttons and input boxes and
# saves them into [PathMenu] in tree order, with automatic accelerators; the
# running program's popup shows the saved list.
scenario_editor_add_and_save() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=-工作' 'path2=<>' \
    'menu3=报告' 'path3=C:\windows' 'menu4=--' 'path4=<>'
  ed_open_first || return
  sleep 1
  import -window root "$artifacts/editor.png" 2>/dev/null || fail "screenshot failed"
  # After the focused first entry: an entry, a separator and an entry.
  probe click "$ed_title" "添加同级条目(&A)" || fail "no 添加同级条目(&A)"
  ed_answer 添加同级条目 "A|-|B" || return
  sleep 3
  # B has no path yet: red.
  import -window root "$artifacts/editor-edited.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "添加分组(&G)" || fail "no 添加分组(&G)"
  ed_answer 添加分组 "项目" || return
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  local want
  # The new entries stand after the focused first entry in the order typed;
  # the first of them is focused afterwards, so the group follows it. Groups
  # and separators get no path line, the new entries an empty one.
  want=$(printf '%s\n' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=A[&A]' 'path2=' 'menu3=-项目[&X]' \
    'menu4=--' 'menu5=-' 'menu6=B[&B]' 'path6=' 'menu7=-工作' 'menu8=报告' 'path8=C:\windows' \
    'menu9=--')
  expect_eq "[PathMenu] after 保存" "$(ini_section PathMenu)" "$want"
  # The running program's popup shows the saved list.
  expect_eq "exit code of a second start with /OpenJumpList" "$(run_app /OpenJumpList)" 0
  if wait_until 20 ed_popup_shown; then
    sleep 1
    import -window root "$artifacts/popup-after-save.png" 2>/dev/null || fail "screenshot failed"
    probe press 0 0x1B
  else
    fail "no popup after /OpenJumpList"
  fi
  close_app
}

# 取消 discards the edits: a deletion answered with Yes and then cancelled
# leaves the list as it was, and the next opening shows it so.
scenario_editor_cancel_discards() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=报告' 'path2=C:\windows'
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  probe press 0 0x2E  # Del on the focused first entry
  told() { probe box-text 删除提醒 >/dev/null; }
  wait_until 20 told || { fail "no question after Del: $(probe message-boxes)"; close_app; return; }
  expect_eq "the question" "$(probe box-text 删除提醒)" "是否删除当前已选的条目？"
  probe press-button 删除提醒 6 || fail "no Yes in the question"
  sleep 1
  # The pointer coming onto "删除特定条目" opens its menu; Esc closes it.
  local x y
  read -r x y < <(probe item-center "$ed_title" 6409)
  xdotool mousemove $((x - 40)) "$y"; sleep 0.3; xdotool mousemove "$x" "$y"
  wait_until 10 ed_popup_shown || fail "no menu when the pointer came onto 删除特定条目"
  probe press 0 0x1B
  xdotool mousemove 1279 1023
  probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 ed_gone || fail "the editor stayed open after 取消"
  # Opened again by a second start, saved at once: the list is as it was.
  expect_eq "exit code of a second start with /SetJumpList" "$(run_app /SetJumpList)" 0
  wait_until 30 ed_shown || { fail "no editor after the second /SetJumpList"; close_app; return; }
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  expect_eq "[PathMenu] after 取消 and a new 保存" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=报告' 'path2=C:\windows')"
  close_app
}

# The tree's keys: Ctrl+Up moves the focused entry to the top, Ctrl+A and
# F4 give every entry an accelerator, F2 renames in place, F3 sets a key by
# hand, Del deletes after the question; 保存 writes what the keys did.
scenario_editor_keyboard() {
  ed_ini '[PathMenu]' 'menu1=文档' 'path1=C:\users' 'menu2=报告' 'path2=C:\windows' \
    'menu3=-工作' 'menu4=项目' 'path4=C:\windows\system32' 'menu5=--'
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  key() { probe press "$1" "$2" || fail "key $1 $2 not sent"; sleep 0.5; }
  key 0 0x28   # Down: 报告
  key 2 0x26   # Ctrl+Up: 报告 to the top
  key 2 0x41   # Ctrl+A
  key 0 0x73   # F4
  key 0 0x71   # F2 on 报告
  key 0 0x58   # x
  key 0 0x0D   # Enter
  key 0 0x72   # F3 on x[&X]: its own key, 7
  ed_answer 设置加速键 7 "确定(&O)" || return
  key 0 0x28   # Down: 文档
  key 0 0x2E   # Del
  told() { probe box-text 删除提醒 >/dev/null; }
  if wait_until 20 told; then
    probe press-button 删除提醒 6 || fail "no Yes in the question"
  else
    fail "no question after Del: $(probe message-boxes)"
  fi
  sleep 3
  import -window root "$artifacts/editor-keys.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  expect_eq "[PathMenu] after the keys" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=x[&7]' 'path1=C:\windows' 'menu2=-工作[&G]' 'menu3=项目[&X]' \
      'path3=C:\windows\system32' 'menu4=--')"
  close_app
}

# A drag with the mouse: the third entry dropped on the first moves it
# right after the first, and 保存 writes the new order.
scenario_editor_mouse_drag() {
  ed_ini '[PathMenu]' 'menu1=一' 'path1=C:\users' 'menu2=二' 'path2=C:\windows' \
    'menu3=三' 'path3=C:\windows\system32'
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  local x1 y1 x3 y3
  read -r x1 y1 < <(probe tree-row "$ed_title" 6402 0)
  read -r x3 y3 < <(probe tree-row "$ed_title" 6402 2)
  [ -n "$y3" ] || { fail "no tree rows: $(probe message-boxes)"; close_app; return; }
  xdotool mousemove "$x3" "$y3"; sleep 0.3
  xdotool click 1; sleep 0.5          # 三 focused and selected
  xdotool mousedown 1; sleep 0.3
  local step
  for step in 1 2 3 4 5 6; do
    xdotool mousemove "$x3" $((y3 - (y3 - y1) * step / 6)); sleep 0.15
  done
  xdotool mouseup 1; sleep 1
  import -window root "$artifacts/editor-dragged.png" 2>/dev/null || fail "screenshot failed"
  # Resting on "..." shows its hint.
  local bx by
  read -r bx by < <(probe item-center "$ed_title" 6420)
  xdotool mousemove $((bx - 3)) "$by"; sleep 0.2; xdotool mousemove "$bx" "$by"
  hint_shown() { probe zorder | grep -q '^tooltips_class32'; }
  wait_until 10 hint_shown || fail "no hint over \"...\": $(probe zorder | cut -f1 | sort | uniq -c | tr '\n' ' ')"
  import -window root "$artifacts/editor-hint.png" 2>/dev/null || fail "screenshot failed"
  xdotool mousemove 1279 1023
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  expect_eq "[PathMenu] after the drag" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=一' 'path1=C:\users' 'menu2=三' 'path2=C:\windows\system32' \
      'menu3=二' 'path3=C:\windows')"
  close_app
}

# The tree draws each kind of entry in its style: disabled struck out, a
# variables entry blue, an entry without a path red, several paths bold, a
# collapsed group fuchsia, an end marker gray. The colours are looked for in
# a screenshot of the tree.
scenario_editor_drawing_styles() {
  ed_ini '[PathMenu]' 'menu1=禁用的条目' 'path1=/C:\windows' 'menu2=变量条目' 'path2=*C:\{YYYY}' \
    'menu3=无路径条目' 'path3=' 'menu4=两个路径' 'path4=C:\users | C:\windows' \
    'menu5=-折叠的分组' 'menu6=里面' 'path6=C:\users' 'menu7=--'
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  local key
  for key in 0x28 0x28 0x28 0x28 0x25; do probe press 0 "$key"; sleep 0.3; done  # collapse the group
  probe press 0 0x24  # Home: the first entry alone is highlighted
  sleep 2
  import -window root "$artifacts/editor-styles.png" 2>/dev/null || fail "screenshot failed"
  # Pure colours in the strokes of the rows below the highlighted first one
  # (the gray of "--" cannot be told from the edges of black text).
  local x0 y1 x6 y6
  read -r x0 y1 < <(probe tree-row "$ed_title" 6402 1)
  read -r x6 y6 < <(probe tree-row "$ed_title" 6402 5)
  [ -n "$y6" ] || { fail "no tree rows"; close_app; return; }
  local colours
  colours=$(convert "$artifacts/editor-styles.png" \
    -crop "200x$((y6 - y1))+$((x0 - 40))+$((y1 - (y6 - y1) / 8))" -format %c histogram:info:- 2>/dev/null)
  has() { grep -q "($1)" <<<"$colours"; }
  has '0,0,255' || fail "no blue in the tree (a variables entry)"
  has '255,0,0' || fail "no red in the tree (an entry without a path)"
  has '255,0,255' || fail "no fuchsia in the tree (a collapsed group)"
  probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
  close_app
}

# The editor at 150 % scaling: the same window grows with the screen's
# scaling (its template is in dialog units and the program is DPI aware),
# and its Chinese text is drawn at the larger size (screenshots at both).
scenario_editor_at_150_percent() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users' 'menu2=-工作' 'path2=<>' \
    'menu3=报告' 'path3=C:\windows' 'menu4=--' 'path4=<>'
  local at100 at150
  ed_open_first || return
  sleep 1
  at100=$(probe find-window "$ed_title")
  import -window root "$artifacts/editor-100.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 ed_gone || fail "the editor stayed open after 取消"
  close_app
  set_screen_scaling 150
  ed_open_first || return
  sleep 3
  at150=$(probe find-window "$ed_title")
  import -window root "$artifacts/editor-150.png" 2>/dev/null || fail "screenshot failed"
  check_scaled_by_half "the editor" "$at100" "$at150"
  probe click "$ed_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 ed_gone || fail "the editor stayed open after 取消"
  close_app
}

# 从文本文件导入 (the tree's context menu): a GBK text file chosen in the file
# dialog "导入路径列表" replaces the whole tree, with groups, separators and
# captions taken from the paths; 保存 writes it.
scenario_editor_import_text_file() {
  ed_ini '[PathMenu]' 'menu1=旧条目' 'path1=C:\users'
  printf -- '-工作\r\nC:\\windows\\system32\r\n文档\tC:\\users\r\n--\r\n-\r\nC:\\windows\\win.ini\r\n' |
    iconv -f utf-8 -t gbk >"$dir/列表.txt"
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  local x y
  read -r x y < <(probe tree-row "$ed_title" 6402 0)
  [ -n "$y" ] || { fail "no tree rows"; close_app; return; }
  xdotool mousemove "$x" "$y"; sleep 0.3; xdotool click 3
  wait_until 10 ed_popup_shown || { fail "no context menu"; close_app; return; }
  sleep 0.5
  probe press 0 0x49; sleep 0.5          # I: 导入路径跳转列表(&I)
  probe press 0 0x28 2; sleep 0.5        # down to 从文本文件导入
  probe press 0 0x0D
  wait_until 20 ed_box_shown 导入路径列表 || { fail "no file dialog 导入路径列表: $(probe message-boxes)"; close_app; return; }
  sleep 1
  import -window root "$artifacts/import-dialog.png" 2>/dev/null || fail "screenshot failed"
  probe set-text-in 导入路径列表 "$(winepath -w "$dir/列表.txt" 2>/dev/null)" ||
    fail "the file dialog took no name"
  probe press 0 0x0D
  wait_until 20 ed_box_gone 导入路径列表 || fail "the file dialog stayed: $(probe message-boxes)"
  sleep 2
  import -window root "$artifacts/editor-imported.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  expect_eq "[PathMenu] after the import" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=-工作' 'menu2=system32' 'path2=C:\windows\system32' 'menu3=文档' \
      'path3=C:\users' 'menu4=--' 'menu5=-' 'menu6=win' 'path6=C:\windows\win.ini')"
  close_app
}

# 导入跳转列表(&J): the import window 导入收藏夹设置 reads a GBK hot list named
# in its path box; all of it goes after the editor's first entry. The
# context menu's DirectoryOpus entry opens it again with that type; a
# favourites XML goes to the end of the top level. 保存 writes them in order.
scenario_editor_import_favourites() {
  local import_title=导入收藏夹设置
  ed_ini '[PathMenu]' 'menu1=旧条目' 'path1=C:\users' 'menu2=其他' 'path2=C:\windows'
  printf '[DirMenu]\r\nmenu1=系统\r\ncmd1=cd C:\\windows\\system32\\\r\nmenu2=-组\r\nmenu3=字体\r\ncmd3=cd C:\\windows\\Fonts\r\nmenu4=--\r\n' |
    iconv -f utf-8 -t gbk >"$dir/wincmd.ini"
  printf '<?xml version="1.0" encoding="UTF-8"?>\r\n<favorites><path label="临时"><pathstring>C:\\windows\\temp</pathstring></path><folder label="空"/></favorites>\r\n' \
    >"$dir/dopus.xml"
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  probe click "$ed_title" "导入跳转列表(&J)" || fail "no 导入跳转列表(&J)"
  wait_until 20 ed_box_shown "$import_title" || { fail "no import window"; close_app; return; }
  wait_until 10 ed_gone || fail "the editor stayed shown behind the import window"
  probe set-text-in "$import_title" "$(winepath -w "$dir/wincmd.ini" 2>/dev/null)" ||
    fail "the import window took no file name"
  sleep 1
  probe press 2 0x41; sleep 0.5       # Ctrl+A in its tree
  import -window root "$artifacts/import-window.png" 2>/dev/null || fail "screenshot failed"
  probe click "$import_title" "导入指定的收藏夹条目(&O)" || fail "no import button"
  wait_until 20 ed_box_gone "$import_title" || { fail "the import window stayed"; close_app; return; }
  wait_until 10 ed_shown || fail "the editor did not come back"

  # Again from the context menu, as DirectoryOpus, to the end of the level.
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  local x y
  read -r x y < <(probe tree-row "$ed_title" 6402 0)
  xdotool mousemove "$x" "$y"; sleep 0.3; xdotool click 3
  wait_until 10 ed_popup_shown || { fail "no context menu"; close_app; return; }
  sleep 0.5
  probe press 0 0x49; sleep 0.5          # I: 导入路径跳转列表(&I)
  probe press 0 0x28; sleep 0.3          # 从 DirectoryOpus 收藏夹中导入
  probe press 0 0x0D
  wait_until 20 ed_box_shown "$import_title" || { fail "no import window the second time"; close_app; return; }
  # The hot list still named is no favourites XML: said, and the tree stays.
  if wait_until 20 ed_box_shown 无法导入收藏夹; then
    check "the refusal names the XML" grep -q '无法解析收藏夹文件' <<<"$(probe message-boxes)"
    probe click 无法导入收藏夹 确定 || fail "no 确定 in the refusal"
    wait_until 10 ed_box_gone 无法导入收藏夹 || fail "the refusal stayed"
  else
    fail "a hot list read as XML was not refused"
  fi
  probe set-text-in "$import_title" "$(winepath -w "$dir/dopus.xml" 2>/dev/null)" ||
    fail "the import window took no file name"
  sleep 1
  probe press 2 0x41; sleep 0.5
  read -r x y < <(probe item-center "$import_title" 6442)
  xdotool mousemove "$x" "$y"; sleep 0.3; xdotool click 1   # 同层级尾部: the base list opens
  wait_until 10 ed_popup_shown || fail "no base-entry list"
  sleep 0.5
  import -window root "$artifacts/import-base-list.png" 2>/dev/null || fail "screenshot failed"
  probe press 0 0x1B; sleep 0.5          # the first entry stays the base
  probe click "$import_title" "导入指定的收藏夹条目(&O)" || fail "no import button"
  wait_until 20 ed_box_gone "$import_title" || { fail "the import window stayed"; close_app; return; }
  wait_until 10 ed_shown || fail "the editor did not come back"
  sleep 1
  import -window root "$artifacts/editor-after-imports.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  expect_eq "[PathMenu] after the imports" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=旧条目' 'path1=C:\users' 'menu2=系统' 'path2=C:\windows\system32' \
      'menu3=-组' 'menu4=字体' 'path4=C:\windows\Fonts' 'menu5=--' 'menu6=其他' 'path6=C:\windows' \
      'menu7=临时' 'path7=C:\windows\temp' 'menu8=-空' 'menu9=--')"
  close_app
}

# Files dropped on the tree from outside (a Linux file manager's drag, which
# Wine hands the editor as WM_DROPFILES): each becomes an entry after the
# focused one, titled by its name, and 保存 writes them.
scenario_editor_drop_files() {
  ed_ini '[PathMenu]' 'menu1=旧条目' 'path1=C:\users'
  mkdir -p "$work/drop/资料"
  printf 'x' >"$work/drop/报告.txt"
  ed_open_first || return
  wait_until 20 probe front "#32770" || fail "the editor could not be brought to the front"
  sleep 1
  local x y
  read -r x y < <(probe tree-row "$ed_title" 6402 0)
  [ -n "$y" ] || { fail "no tree rows"; close_app; return; }
  xdotool mousemove "$x" "$y"; sleep 0.3
  /usr/bin/python3 "$here/xdnd_drop.py" "$x" "$y" "$work/drop/资料" "$work/drop/报告.txt" ||
    fail "the drop was not taken"
  sleep 2
  import -window root "$artifacts/editor-dropped.png" 2>/dev/null || fail "screenshot failed"
  probe click "$ed_title" "保存(&S)" || fail "no 保存(&S)"
  wait_until 20 ed_gone || fail "the editor stayed open after 保存"
  local drop_win
  drop_win=$(winepath -w "$work/drop" 2>/dev/null | tr -d '\r')
  ini_section PathMenu >"$work/pathmenu.txt"
  expect_eq "[PathMenu] after the drop" "$(cat "$work/pathmenu.txt")" \
    "$(printf '%s\n' 'menu1=旧条目' 'path1=C:\users' 'menu2=资料[&Z]' "path2=$drop_win\\资料" \
      'menu3=报告.txt[&T]' "path3=$drop_win\\报告.txt")"
  close_app
}
