# The resident program's memory under Wine: what it keeps while idle.

# The mappings of this scenario's pathorama.exe.
mem_maps() {
  local pid
  pid=$(wine_pid pathorama.exe) && cat "/proc/$pid/maps"
}
mem_has_common_controls() { mem_maps | grep -qi 'comctl32\.dll'; }

# Idle after start-up and popups (from the tray's command and from the
# hotkey over a file manager), the program has not loaded the common
# controls (under Wine their loading alone keeps 0.8 MB); the first dialog
# that needs them loads them, and its common controls are there.
scenario_common_controls_loaded_on_first_dialog() {
  printf '\xEF\xBB\xBF[Option]\r\nFolderManagerName=1\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n[PathMenu]\r\nmenu1=文档(&D)\r\npath1=C:\\windows\r\nmenu2=-分组\r\nmenu3=用户(&U)\r\npath3=C:\\users\r\nmenu4=--\r\n' >"$ini"
  : >"$dir/IgnoreWinClass1.lst"
  hk_start_standin Totalcmd.exe '--left=C:\windows' '--right=C:\users'
  xdotool mousemove 1279 1023
  start_app
  wait_first_activation
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; close_app; return; }
  probe press 2 0x44
  wait_until 20 hk_popup_shown || { fail "no popup after Ctrl+D"; close_app; return; }
  probe press 0 0x1B
  wait_until 20 hk_popup_gone || fail "the popup did not close on Escape"
  sleep 0.7  # past the debounce
  expect_eq "exit code of a start with /OpenJumpList" "$(run_app /OpenJumpList)" 0
  mem_popup_shown() { [ -n "$(probe popups)" ]; }
  wait_until 20 mem_popup_shown || { fail "no popup after /OpenJumpList"; close_app; return; }
  local left top
  read -r left top _ _ < <(probe popups | head -n 1)
  xdotool mousemove $((left + 20)) $((top + 8)) key Escape
  mem_popup_gone() { [ -z "$(probe popups)" ]; }
  wait_until 20 mem_popup_gone || fail "the popup did not close on Escape"
  check "the program's mappings can be read" mem_maps >/dev/null
  check "the idle program has not loaded the common controls" eval '! mem_has_common_controls'

  opt_open || { close_app; return; }
  check "the options dialog loaded the common controls" mem_has_common_controls
  check "the options dialog shows its hotkey field" probe descendant-rect "$opt_title" 3104
  import -window root "$artifacts/options.png" 2>/dev/null || fail "screenshot failed"
  probe click "$opt_title" "取消(&C)" || fail "no 取消(&C)"
  wait_until 20 opt_gone || fail "the dialog stayed open after 取消"
  close_app
}
