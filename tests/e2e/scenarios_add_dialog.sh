# End-to-end scenarios of the add dialog "把…路径添加到路径跳转列表": a
# second start with /AddToJumpList (as Explorer's context-menu verb makes)
# while the Explorer stand-in holds a selection, and a group's
# "添加当前文件夹到本层(&A)" in the popup. Checked in the [PathMenu] section
# the dialog saves at once. Sourced by run_scenario.sh.

add_selection_title=把当前已选文件（夹）路径添加到路径跳转列表
add_folder_title=把当前已打开文件夹路径添加到路径跳转列表

add_shown() { probe find-window "$1" >/dev/null; }
add_gone() { ! add_shown "$1"; }
add_item() { probe item-text "$add_selection_title" "$1"; }

# The Explorer stand-in on C:\e2e\资料 with the files a.txt, "b 2.txt",
# 报告.doc and 旧.txt, selecting the full names given.
add_start_explorer() {
  opening_register_shell_windows || { fail "could not register the shell window collection"; return 1; }
  local folder=$WINEPREFIX/drive_c/e2e/资料 name
  mkdir -p "$folder"
  for name in a.txt 'b 2.txt' 报告.doc 旧.txt; do echo x >"$folder/$name"; done
  (exec timeout 150 wine "$standins/ExplorerStandin.exe" '--folder=C:\e2e\资料' "--select=$1") \
    >/dev/null 2>&1 </dev/null &
  launchers+=("$!")
  wait_until 30 opening_explorer_shown || { fail "the Explorer stand-in did not appear"; return 1; }
}

# The running program, then the context-menu verb's start.
add_open_from_selection() {
  start_app
  wait_first_activation
  xdotool mousemove 1279 1023
  probe front CabinetWClass >/dev/null || true
  expect_eq "exit code of a second start with /AddToJumpList" \
    "$(run_app /AddToJumpList 'C:\e2e\资料\a.txt')" 0
  wait_until 30 add_shown "$add_selection_title" ||
    { fail "no add dialog after /AddToJumpList"; return 1; }
  sleep 1
}

# Three selected files become one simplified entry at the top of the list,
# titled by the first with an accelerator; the running popup shows it.
scenario_add_dialog_simplified_selection() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users'
  add_start_explorer 'C:\e2e\资料\a.txt|C:\e2e\资料\b 2.txt|C:\e2e\资料\报告.doc' || return
  add_open_from_selection || return
  import -window root "$artifacts/add-dialog.png" 2>/dev/null || fail "screenshot failed"
  expect_eq "the path list" "$(add_item 6605)" 'C:\e2e\资料\(a.txt|b 2.txt|报告.doc)'
  expect_eq "the count" "$(add_item 6616)" '已获取到 3 条路径'
  expect_eq "the title" "$(add_item 6607)" 'a[&A]'
  probe press-button "$add_selection_title" 1 || fail "no 确定 in the add dialog"
  wait_until 20 add_gone "$add_selection_title" || fail "the add dialog stayed after 确定"
  expect_eq "[PathMenu] after 确定" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=a[&A]' 'path1=C:\e2e\资料\(a.txt|b 2.txt|报告.doc)' \
      'menu2=文档(&D)' 'path2=C:\users')"
  targets_pop_up || return
  sleep 1
  import -window root "$artifacts/popup-with-added.png" 2>/dev/null || fail "screenshot failed"
  probe press 0 0x1B
  wait_until 20 targets_popup_gone || fail "the popup did not close"
  close_app
}

# Without simplification and with an entry per path, each selected path
# becomes an entry of its own in selection order; a file deleted after it
# was collected is asked about, and No skips that path only.
scenario_add_dialog_entry_per_path() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users'
  add_start_explorer 'C:\e2e\资料\a.txt|C:\e2e\资料\旧.txt|C:\e2e\资料\b 2.txt|C:\e2e\资料\报告.doc' ||
    return
  add_open_from_selection || return
  probe press-item "$add_selection_title" 6603 || fail "no 简化路径"
  expect_eq "the path list unsimplified" "$(add_item 6605)" \
    'C:\e2e\资料\a.txt | C:\e2e\资料\旧.txt | C:\e2e\资料\b 2.txt | C:\e2e\资料\报告.doc'
  probe press-item "$add_selection_title" 6608 || fail "no 所有待添加路径关联到同一条目"
  import -window root "$artifacts/add-dialog-per-path.png" 2>/dev/null || fail "screenshot failed"
  rm "$WINEPREFIX/drive_c/e2e/资料/旧.txt"
  probe press-button "$add_selection_title" 1 || fail "no 确定 in the add dialog"
  wait_until 20 add_shown 本地路径不存在 || { fail "no question about the missing path"; return; }
  expect_eq "the question" "$(probe box-text 本地路径不存在)" \
    '以下本地路径不存在\rC:\e2e\资料\旧.txt\r\r是否仍然添加？'
  import -window root "$artifacts/missing-path-question.png" 2>/dev/null || fail "screenshot failed"
  probe press-button 本地路径不存在 7 || fail "no 否 in the question"
  wait_until 20 add_gone "$add_selection_title" || fail "the add dialog stayed after 确定"
  expect_eq "[PathMenu] after 确定" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=a.txt[&A]' 'path1=C:\e2e\资料\a.txt' 'menu2=b 2.txt[&B]' \
      'path2=C:\e2e\资料\b 2.txt' 'menu3=报告.doc[&D]' 'path3=C:\e2e\资料\报告.doc' \
      'menu4=文档(&D)' 'path4=C:\users')"
  close_app
}

# A group's "添加当前文件夹到本层(&A)" in the popup opens the dialog on the
# folder open in front with that group as the destination, inside it; 确定
# makes the folder the group's first entry.
scenario_add_dialog_folder_into_group() {
  ed_ini '[PathMenu]' 'menu1=-工作' 'menu2=报告' 'path2=C:\windows' 'menu3=--'
  add_start_explorer 'C:\e2e\资料\a.txt' || return
  start_app
  wait_first_activation
  targets_pop_up || return
  # The group is the first row: the pointer selects it, Right opens it.
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  xdotool key Right
  sleep 1
  xdotool key a
  wait_until 30 add_shown "$add_folder_title" ||
    { fail "no add dialog after 添加当前文件夹到本层(&A)"; targets_failed_at add-dialog; return; }
  sleep 1
  import -window root "$artifacts/add-folder-dialog.png" 2>/dev/null || fail "screenshot failed"
  local item
  item() { probe item-text "$add_folder_title" "$1"; }
  expect_eq "the path list" "$(item 6605)" 'C:\e2e\资料'
  expect_eq "the destination" "$(item 6615)" '工作'
  expect_eq "the title" "$(item 6607)" '资料[&Z]'
  probe press-button "$add_folder_title" 1 || fail "no 确定 in the add dialog"
  wait_until 20 add_gone "$add_folder_title" || fail "the add dialog stayed after 确定"
  expect_eq "[PathMenu] after 确定" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=-工作' 'menu2=资料[&Z]' 'path2=C:\e2e\资料' 'menu3=报告' \
      'path3=C:\windows' 'menu4=--')"
  close_app
}

# At 150 % scaling the dialog grows with the text (its template is in dialog
# units): about 1.5 times in both directions, Chinese drawn at that size.
scenario_add_dialog_at_150_percent() {
  ed_ini '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\users'
  add_start_explorer 'C:\e2e\资料\a.txt|C:\e2e\资料\b 2.txt' || return
  local at100 at150 w100 h100 w150 h150 l t r b
  add_open_from_selection || return
  at100=$(probe find-window "$add_selection_title")
  import -window root "$artifacts/add-dialog-100.png" 2>/dev/null || fail "screenshot failed"
  close_app
  set_screen_scaling 150
  first_activation_again
  add_start_explorer 'C:\e2e\资料\a.txt|C:\e2e\资料\b 2.txt' || return
  add_open_from_selection || return
  at150=$(probe find-window "$add_selection_title")
  import -window root "$artifacts/add-dialog-150.png" 2>/dev/null || fail "screenshot failed"
  read -r _ _ l t r b <<<"$at100"
  w100=$((r - l)) h100=$((b - t))
  read -r _ _ l t r b <<<"$at150"
  w150=$((r - l)) h150=$((b - t))
  check "the dialog's width at 150 % ($w150) is about 1.5 times its width at 100 % ($w100)" \
    [ $((w150 * 100)) -ge $((w100 * 135)) -a $((w150 * 100)) -le $((w100 * 160)) ]
  check "the dialog's height at 150 % ($h150) is about 1.5 times its height at 100 % ($h100)" \
    [ $((h150 * 100)) -ge $((h100 * 135)) -a $((h150 * 100)) -le $((h100 * 160)) ]
  close_app
}
