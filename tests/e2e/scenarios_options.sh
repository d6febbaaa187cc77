# End-to-end scenarios of the options dialog "选项": opened by /OpenSetting,
# driven with the mouse and keys, checked in [Option], in the per-user Run
# value and in the hotkeys the program holds. Sourced by run_scenario.sh.

opt_title=选项
opt_shown() { probe find-window "$opt_title" >/dev/null; }
opt_gone() { ! opt_shown; }

# Clicks the middle of control ID of the dialog (on any page).
opt_click() {
  local l t r b
  read -r l t r b < <(probe descendant-rect "$opt_title" "$1") || { fail "no control $1"; return 1; }
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  sleep 0.5
}
# Shows page N (0 常规 … 4 杂项): a click on the first tab, then Right N times.
opt_page() {
  local l t r b
  read -r l t r b < <(probe descendant-rect "$opt_title" 3010) || { fail "no page control"; return 1; }
  # From elsewhere: a click where the pointer already rests is not always
  # taken as one.
  xdotool mousemove 1279 1023
  sleep 0.2
  xdotool mousemove $((l + 20)) $((t + 10)) click 1
  sleep 0.3
  # Left to the first tab should the click have been lost on a tab control
  # that already had the focus.
  local i
  for ((i = 0; i < 4; i++)); do xdotool key Left; sleep 0.2; done
  for ((i = 0; i < $1; i++)); do xdotool key Right; sleep 0.3; done
  sleep 0.7
}
opt_open() {
  expect_eq "exit code of a start with /OpenSetting" "$(run_app /OpenSetting)" 0
  wait_until 30 opt_shown || { fail "no dialog 选项 after /OpenSetting"; return 1; }
  sleep 1
}
option_value() { ini_section Option | grep "^$1=" | cut -d= -f2-; }
run_value() { probe reg 'Software\Microsoft\Windows\CurrentVersion\Run' Pathorama; }
# MOD_CONTROL = 2; D = 0x44, E = 0x45.
hotkey_state() { probe try-hotkey 2 "$1"; }

# OK: the position, a shortcut (a taken one is refused with its message), the
# folder manager (its template appears), a variable option and the start
# with Windows reach [Option], the Run value and the hotkeys. Every page is
# photographed.
scenario_options_ok() {
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  check "Run value at first activation" run_value
  opt_open || { close_app; return; }
  import -window root "$artifacts/page-general.png" 2>/dev/null || fail "screenshot failed"
  opt_click 3100                     # 跟随鼠标
  opt_click 3120                     # 开机时自动运行 off
  opt_click 3104                     # the first jump-list shortcut
  xdotool key ctrl+g                 # taken by the dialog hotkey
  told() { probe box-text 快捷键已被占用 >/dev/null; }
  if wait_until 10 told; then
    import -window root "$artifacts/duplicate-shortcut.png" 2>/dev/null
    # The probe shows the message's CR as "\r".
    expect_eq "duplicate message" "$(probe box-text 快捷键已被占用)" \
      '快捷键 Ctrl+G 已被用于在 打开/另存为 对话框中切换到已打开文件夹\r请返回后重新设置'
    probe press-button 快捷键已被占用 1 || fail "no OK in the duplicate message"
    sleep 0.5
  else
    fail "no duplicate message for Ctrl+G: $(probe message-boxes)"
  fi
  opt_click 3104
  xdotool key ctrl+e
  sleep 0.5
  opt_page 1
  opt_click 3200                     # 文件夹管理器 list
  xdotool key Escape Down            # TotalCommander
  sleep 1
  local params
  params=$(probe descendant-text "$opt_title" 3202)
  [ -n "$params" ] || fail "no template for TotalCommander"
  case $params in /O*) ;; *) fail "template for TotalCommander: '$params'" ;; esac
  import -window root "$artifacts/page-folder-manager.png" 2>/dev/null
  opt_page 2
  import -window root "$artifacts/page-ignore.png" 2>/dev/null
  opt_page 3
  opt_click 3408                     # 罗马数字
  import -window root "$artifacts/page-variables.png" 2>/dev/null
  opt_page 4
  import -window root "$artifacts/page-others.png" 2>/dev/null
  probe click "$opt_title" "确定(&O)" || fail "no 确定(&O)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 确定"
  sleep 1
  expect_eq JumpMenuUnderCursor "$(option_value JumpMenuUnderCursor)" 1
  expect_eq JumpMenuUnderAddressBar "$(option_value JumpMenuUnderAddressBar)" 0
  expect_eq JumpMenuHotKey1 "$(option_value JumpMenuHotKey1)" 16453
  expect_eq FolderManagerName "$(option_value FolderManagerName)" 1
  expect_eq "FolderManagerParam_1" "$(option_value FolderManagerParam_1)" "$params"
  expect_eq RomaAsRandom "$(option_value RomaAsRandom)" 1
  expect_eq AutoRunWhenSystemStart "$(option_value AutoRunWhenSystemStart)" 0
  run_value >/dev/null && fail "the Run value stayed after 开机时自动运行 was turned off"
  expect_eq "Ctrl+E after OK" "$(hotkey_state 0x45)" taken
  expect_eq "Ctrl+D after OK" "$(hotkey_state 0x44)" free
  close_app
}

# Cancel after changes: [Option], the Run value and the hotkeys stay as they
# were.
scenario_options_cancel() {
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  local before
  before=$(ini_section Option)
  opt_open || { close_app; return; }
  opt_click 3100                     # 跟随鼠标
  opt_click 3120                     # 开机时自动运行 off
  opt_click 3104
  xdotool key ctrl+e
  sleep 0.5
  opt_page 4
  opt_click 3530                     # 添加当前文件夹到本层 off
  opt_click 3530                     # and on again
  opt_click 3530                     # and off
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  sleep 1
  expect_eq "[Option] after 取消" "$(ini_section Option)" "$before"
  check "Run value after 取消" run_value
  expect_eq "Ctrl+D after 取消" "$(hotkey_state 0x44)" taken
  expect_eq "Ctrl+E after 取消" "$(hotkey_state 0x45)" free
  close_app
}

# With "启用全局热键" off, closing the dialog (OK or cancel) registers no
# hotkey: other programs keep their keys.
scenario_options_hotkeys_off() {
  printf '\xEF\xBB\xBF[Main]\r\nUseGlobalHotKey=0\r\n' >"$ini"
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  expect_eq "Ctrl+D at start" "$(hotkey_state 0x44)" free
  opt_open || { close_app; return; }
  opt_click 3104
  xdotool key ctrl+e
  sleep 0.5
  probe click "$opt_title" "确定(&O)" || fail "no 确定(&O)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 确定"
  sleep 1
  expect_eq JumpMenuHotKey1 "$(option_value JumpMenuHotKey1)" 16453
  expect_eq "Ctrl+E after OK" "$(hotkey_state 0x45)" free
  opt_open || { close_app; return; }
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  sleep 1
  expect_eq "Ctrl+E after 取消" "$(hotkey_state 0x45)" free
  expect_eq "Ctrl+G after 取消" "$(hotkey_state 0x47)" free
  close_app
}

# A drag on a page's free surface moves the dialog as a drag of its caption.
scenario_options_drag() {
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  opt_open || { close_app; return; }
  local l t r b l2 t2 r2 b2 tl tt tr tb
  read -r l t r b < <(probe descendant-rect "$opt_title" 1)
  read -r tl tt tr tb < <(probe descendant-rect "$opt_title" 3010)
  local x=$((tl + (tr - tl) * 3 / 4)) y=$((tb - 12))
  xdotool mousemove "$x" "$y" mousedown 1
  sleep 0.3
  local i
  for i in 1 2 3 4 5; do xdotool mousemove $((x - 20 * i)) $((y - 10 * i)); sleep 0.1; done
  xdotool mouseup 1
  sleep 1
  read -r l2 t2 r2 b2 < <(probe descendant-rect "$opt_title" 1)
  expect_eq "OK button moved by" "$((l2 - l)) $((t2 - t))" "-100 -50"
  # The tab strip too: a press on the first tab chooses it and drags.
  read -r tl tt tr tb < <(probe descendant-rect "$opt_title" 3010)
  x=$((tl + 20)) y=$((tt + 10))
  xdotool mousemove "$x" "$y" mousedown 1
  sleep 0.3
  for i in 1 2 3 4 5; do xdotool mousemove $((x + 16 * i)) $((y + 8 * i)); sleep 0.1; done
  xdotool mouseup 1
  sleep 1
  read -r l t r b < <(probe descendant-rect "$opt_title" 1)
  expect_eq "OK button moved by a drag of a tab" "$((l - l2)) $((t - t2))" "80 40"
  import -window root "$artifacts/dragged-by-tab.png" 2>/dev/null || fail "screenshot failed"
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  close_app
}

# Every page at 150 % scaling: the dialog grows with the screen's scaling
# (its templates are in dialog units and the program is DPI aware); the
# screenshots show each page's Chinese text at the larger size.
scenario_options_at_150_percent() {
  local at100 at150 l t r b page
  # A first start that opens the dialog itself: the settings file of the
  # start before already has [Option], so a first activation cannot be told.
  xdotool mousemove 1279 1023
  start_app /OpenSetting
  wait_until 40 opt_shown || { fail "no dialog 选项 at 100 %"; close_app; return; }
  sleep 1
  at100=$(probe find-window "$opt_title")
  import -window root "$artifacts/page-0-100.png" 2>/dev/null || fail "screenshot at 100 % failed"
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  close_app
  set_screen_scaling 150
  start_app /OpenSetting
  wait_until 40 opt_shown || { fail "no dialog 选项 at 150 %"; close_app; return; }
  sleep 2
  at150=$(probe find-window "$opt_title")
  for page in 0 1 2 3 4; do
    opt_page "$page"
    import -window root "$artifacts/page-$page-150.png" 2>/dev/null || fail "screenshot of page $page failed"
  done
  check_scaled_by_half "the dialog" "$at100" "$at150"
  # OK stays inside the dialog.
  read -r l t r b < <(probe descendant-rect "$opt_title" 1)
  read -r _ _ _ _ _ wb <<<"$at150"
  check "OK (bottom $b) inside the dialog (bottom $wb)" [ "$b" -le "$wb" ]
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  close_app
}
