# End-to-end scenarios of opening jump-list entries: the popup from the main
# menu, a configured file manager, Explorer with tabs, a hidden start with a
# wait, and a whole group run with Ctrl. Sourced by run_scenario.sh, which
# provides the harness ($work, $dir, $ini, $standins, probe, check, ...).

# The Windows name of a file or folder of the scratch world.
opening_win_path() {
  timeout 30 winepath -w "$1" 2>/dev/null </dev/null | tr -d '\r'
}

# Every stand-in that pathorama.exe starts logs into one file, in order.
opening_log=""
opening_log_standins() {
  opening_log=$work/standins.log
  : >"$opening_log"
  PATHORAMA_STANDIN_LOG=$(opening_win_path "$opening_log")
  export PATHORAMA_STANDIN_LOG
}
# The log's lines that begin with PREFIX, without it ("StartLogger.exe: start ").
opening_lines() {
  sed -n "s/^$(printf '%s' "$1" | sed 's/[][\.*^$/]/\\&/g')//p" "$opening_log" | tr -d '\r'
}
opening_line_count() { opening_lines "$1" | grep -c . ; }
opening_lines_at_least() { [ "$(opening_line_count "$1")" -ge "$2" ]; }
opening_keep_log() { cp "$opening_log" "$artifacts/standins.log" 2>/dev/null; }

# A folder of the scratch prefix's drive C: by its Windows path (C:\...).
opening_make_folder() {
  local unix=$WINEPREFIX/drive_c/${1#C:\\}
  mkdir -p "${unix//\\//}"
}
# Copies a stand-in to a Windows path of drive C:.
opening_copy_standin() {
  local unix=$WINEPREFIX/drive_c/${2#C:\\}
  unix=${unix//\\//}
  mkdir -p "$(dirname "$unix")" && cp "$standins/$1" "$unix"
}

# Writes the settings file: UTF-8 with byte-order mark, CR LF; arguments are
# its lines.
opening_write_ini() {
  { printf '\xEF\xBB\xBF'; printf '%s\r\n' "$@"; } >"$ini"
}

# Popup menus shown; nothing (a failed comparison) when the probe failed, so
# that a failed probe never counts as "no popup".
opening_popup_count() {
  local out
  out=$(probe popups) || return 1
  grep -c . <<<"$out"
}
opening_popup_shown() { [ "$(opening_popup_count)" -ge 1 ] 2>/dev/null; }
opening_popups_at_least() { [ "$(opening_popup_count)" -ge "$1" ] 2>/dev/null; }
opening_popup_gone() { [ "$(opening_popup_count)" -eq 0 ] 2>/dev/null; }

# Starts the program with the settings file as it is and waits for its first
# activation.
opening_start() {
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return 1; }
  wait_first_activation
}

# Pops the jump list up with a second start /OpenJumpList; sets popup_left,
# popup_top, popup_right and popup_bottom of the first popup.
opening_pop_up() {
  expect_eq "exit code of a second start with /OpenJumpList" "$(run_app /OpenJumpList)" 0
  wait_until 20 opening_popup_shown || { fail "no popup after /OpenJumpList"; return 1; }
  read -r popup_left popup_top popup_right popup_bottom < <(probe popups | head -n 1)
}

# Chooses an item of the open popup by its accelerator key, with the pointer
# over the first row (an entry, not a group: a group would open its submenu,
# which then takes the key).
opening_choose() {
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  xdotool key "$1"
  wait_until 20 opening_popup_gone || fail "the popup did not close on its accelerator key $1"
}

# Total Commander configured with its program and a hand-written template:
# choosing an entry starts that program with the template, %1 replaced by
# the folder with exactly one trailing backslash.
scenario_total_commander_start() {
  opening_log_standins
  opening_copy_standin StartLogger.exe 'C:\e2e\tc\Totalcmd64.exe'
  opening_make_folder 'C:\e2e\文档'
  opening_make_folder 'C:\e2e\报告 2024'
  opening_write_ini '[Option]' 'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    'FolderManagerName=1' 'FolderManagerPath_1=C:\e2e\tc\Totalcmd64.exe' \
    'FolderManagerParam_1=/O /S /L="%1" /T' \
    '[PathMenu]' 'menu1=文档(&D)' 'path1=C:\e2e\文档' \
    'menu2=报告(&B)' 'path2=C:\e2e\报告 2024\\\'
  opening_start || return
  opening_pop_up || return
  opening_choose d
  wait_until 20 opening_lines_at_least 'Totalcmd64.exe: start ' 1 ||
    { fail "the configured Total Commander was not started"; opening_keep_log; return; }
  opening_pop_up || return
  opening_choose b
  wait_until 20 opening_lines_at_least 'Totalcmd64.exe: start ' 2 ||
    fail "the configured Total Commander was not started for the second entry"
  expect_eq "command line of the first start" \
    "$(opening_lines 'Totalcmd64.exe: cmdline: ' | head -n 1)" \
    '"C:\e2e\tc\Totalcmd64.exe" /O /S /L="C:\e2e\文档\" /T'
  local args
  args=$(opening_lines 'Totalcmd64.exe: start ' | sed -E 's/^[0-9]+ show [0-9]+ args //')
  expect_eq "parameters of the two starts" "$args" '/O /S /L="C:\e2e\文档\" /T
/O /S /L="C:\e2e\报告 2024\" /T'
  expect_eq "show states of the two starts" \
    "$(opening_lines 'Totalcmd64.exe: start ' | sed -E 's/^[0-9]+ show ([0-9]+) .*/\1/' | tr '\n' ' ')" \
    "1 1 "
  expect_eq "message boxes" "$(probe message-boxes)" ""
  opening_keep_log
  close_app
}

# The first number of the log's lines that begin with PREFIX, line N (from 1).
opening_number() { opening_lines "$1" | sed -n "${2}p" | grep -o '^[0-9]*'; }

# A program entry `</S /Wait 2 /Hide>` is started once, hidden, with "/S";
# the entry's next path is started two seconds later, and the main window
# keeps answering meanwhile.
scenario_wait_and_hide() {
  opening_log_standins
  opening_copy_standin StartLogger.exe 'C:\e2e\bin\StartLogger.exe'
  opening_copy_standin StartLogger.exe 'C:\e2e\bin\SecondLogger.exe'
  opening_write_ini '[Option]' 'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    'FolderManagerName=0' 'MaxmizeFolderManager_0=0' 'NormalFolderManager_0=1' \
    '[PathMenu]' 'menu1=等待(&W)' \
    'path1=C:\e2e\bin\StartLogger.exe </S /Wait 2 /Hide> | C:\e2e\bin\SecondLogger.exe'
  opening_start || return
  opening_pop_up || return
  # Pings from before the choice until well after the second start.
  (exec timeout 60 wine "$work/e2e_probe.exe" pings 12) >"$work/pings.txt" 2>/dev/null </dev/null &
  launchers+=("$!")
  local pinging=$!
  pings_begun() { grep -q answered "$work/pings.txt"; }
  wait_until 30 pings_begun || { fail "the main window did not answer before the choice"; return; }
  opening_choose w
  wait_until 30 opening_lines_at_least 'SecondLogger.exe: created ' 1 ||
    { fail "the entry's second path was not started"; opening_keep_log; return; }
  wait_until 40 bash -c "! kill -0 $pinging 2>/dev/null" || fail "the pings did not end"
  opening_keep_log
  cp "$work/pings.txt" "$artifacts/pings.txt"
  expect_eq "starts of the first program (args)" \
    "$(opening_lines 'StartLogger.exe: start ' | sed -E 's/^[0-9]+ //')" "show 0 args /S"
  expect_eq "starts of the second program (args)" \
    "$(opening_lines 'SecondLogger.exe: start ' | sed -E 's/^[0-9]+ //')" "show 1 args "
  local first second
  first=$(opening_number 'StartLogger.exe: created ' 1)
  second=$(opening_number 'SecondLogger.exe: created ' 1)
  [ -n "$first" ] && [ -n "$second" ] || { fail "creation times missing from the log"; return; }
  local gap=$((second - first))
  [ "$gap" -ge 2000 ] && [ "$gap" -lt 30000 ] ||
    fail "the second path was started $gap ms after the first, not after the wait of 2 s"
  # While it waits the program answers: every ping sent from the first start
  # until a second before the second start (a frozen program would leave
  # such a ping unanswered for its timeout of one second) was answered.
  local during answered
  during=$(awk -v a="$first" -v b="$((second - 1000))" '$1 >= a && $1 <= b' "$work/pings.txt" | tr -d '\r')
  answered=$(grep -c ' answered$' <<<"$during")
  [ "$answered" -ge 2 ] || fail "only $answered pings were sent during the wait: $during"
  expect_eq "unanswered pings during the wait" "$(grep -c ' unanswered$' <<<"$during")" 0
  expect_eq "message boxes" "$(probe message-boxes)" ""
  close_app
}

# The jump list from the main window's menu 路径跳转列表(L): a click on it
# shows the popup under the main window, as the position option asks;
# Escape closes it without running anything, and the program goes on.
scenario_menu_popup() {
  opening_log_standins
  opening_copy_standin StartLogger.exe 'C:\e2e\bin\StartLogger.exe'
  opening_write_ini '[Option]' 'MainWindowAt=7' 'JumpMenuUnderApp=1' 'JumpMenuUnderAddressBar=0' \
    '[PathMenu]' 'menu1=记录(&R)' 'path1=C:\e2e\bin\StartLogger.exe </menu>' \
    'menu2=-工作(&W)' 'menu3=报告' 'path3=C:\e2e\bin\StartLogger.exe </group>' 'menu4=--' \
    'menu5=-' 'menu6=网址(&U)' 'path6=<Url>https://example.org/'
  cp "$ini" "$work/ini.before"
  opening_start || return
  local hwnd left top right bottom
  read -r hwnd left top right bottom _ < <(window_line)
  [ -n "$bottom" ] || { fail "no main window facts"; return; }
  # The menu bar is the lower part of the window; its first item is
  # 路径跳转列表(L).
  xdotool mousemove $((left + 40)) $((bottom - 10)) click 1
  wait_until 20 opening_popup_shown || { fail "no popup after a click on 路径跳转列表(L)"; return; }
  read -r popup_left popup_top popup_right popup_bottom < <(probe popups | head -n 1)
  expect_eq "popups shown" "$(opening_popup_count)" 1
  expect_eq "popup's top-left corner" "$popup_left,$popup_top" "$left,$bottom"
  sleep 1
  import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
  convert "$artifacts/screen.png" \
    -crop "$((popup_right - popup_left))x$((popup_bottom - popup_top))+$popup_left+$popup_top" \
    +repage "$artifacts/menu_popup.png" 2>/dev/null || fail "crop failed"
  local colours
  colours=$(convert "$artifacts/menu_popup.png" -format %k info: 2>/dev/null || echo 0)
  [ "${colours:-0}" -ge 8 ] || fail "popup area has only ${colours:-0} colours"
  # Entries, separator and the function items: well over eight rows.
  [ $((popup_bottom - popup_top)) -ge 120 ] || fail "popup only $((popup_bottom - popup_top)) pixels high"
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  xdotool key Escape
  wait_until 20 opening_popup_gone || fail "the popup did not close on Escape"
  # Healthy: the same instance answers, shows no message, ran nothing, and
  # shows the list again.
  kill -0 "$app_pid" 2>/dev/null || fail "the instance ended"
  expect_eq "answer of the main window to WM_NULL" "$(probe send 0)" 0
  expect_eq "main windows" "$(probe count-windows)" 1
  expect_eq "message boxes" "$(probe message-boxes)" ""
  xdotool mousemove $((left + 40)) $((bottom - 10)) click 1
  wait_until 20 opening_popup_shown || fail "no popup after a second click on 路径跳转列表(L)"
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  xdotool key Escape
  wait_until 20 opening_popup_gone || fail "the popup did not close on the second Escape"
  sleep 1
  expect_eq "programs started" "$(cat "$opening_log")" ""
  close_app
  expect_eq "jump list after the exit" "$(ini_section PathMenu)" \
    "$(ini=$work/ini.before ini_section PathMenu)"
}

# The shell window collection stand-in in place of Wine's own (whose Count
# and Item are not implemented), registered in the scenario's prefix.
opening_register_shell_windows() {
  local dll key='HKLM\Software\Classes\CLSID\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\InprocServer32'
  dll=$(opening_win_path "$standins/shellwindows_standin.dll")
  timeout 60 wine reg add "$key" /ve /d "$dll" /f >/dev/null 2>&1 </dev/null &&
    timeout 60 wine reg add "$key" /v ThreadingModel /d Apartment /f >/dev/null 2>&1 </dev/null
}

# The scenario's Windows folder gets the start logger as its Explorer.exe,
# so that the program's starts of "%WinDir%\Explorer.exe" are logged (Wine's
# own desktop runs the one in system32). The file is a hard link into the
# base prefix: it is unlinked first, never written through.
opening_log_explorer_starts() {
  rm -f "$WINEPREFIX/drive_c/windows/explorer.exe" &&
    cp "$standins/StartLogger.exe" "$WINEPREFIX/drive_c/windows/explorer.exe"
}

opening_explorer_shown() { probe class-window CabinetWClass >/dev/null; }

# The built-in Explorer with the multi-folder option and reuse: an entry of
# two folders shows the first in the ACTIVE tab of the Explorer window in
# front and starts Explorer.exe with the second (a new window).
scenario_explorer_tabs() {
  opening_log_standins
  opening_register_shell_windows || { fail "could not register the shell window collection"; return; }
  opening_log_explorer_starts || { fail "could not put the logger in place of Explorer.exe"; return; }
  local folder
  for folder in 甲 乙 丙 目标一 '目标 二'; do opening_make_folder "C:\\e2e\\$folder"; done
  (exec timeout 120 wine "$standins/ExplorerStandin.exe" '--tabs=C:\e2e\甲|C:\e2e\乙|C:\e2e\丙' \
    --active=2) >/dev/null 2>&1 </dev/null &
  launchers+=("$!")
  wait_until 30 opening_explorer_shown || { fail "the Explorer stand-in did not appear"; return; }
  opening_write_ini '[Option]' 'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    'FolderManagerName=0' 'UseOldFolderManager_0=1' 'OpenNewFolderManager_0=0' \
    'MaxmizeFolderManager_0=1' 'MultiFoldersOpenMethod_EP=1' \
    '[PathMenu]' 'menu1=两处(&T)' 'path1=C:\e2e\目标一|C:\e2e\目标 二\'
  opening_start || return
  opening_pop_up || return
  opening_choose t
  wait_until 20 opening_lines_at_least 'explorer.exe: created ' 1 ||
    fail "Explorer.exe was not started for the second folder"
  opening_keep_log
  expect_eq "navigations of the Explorer stand-in" \
    "$(opening_lines 'ExplorerStandin.exe: navigate ')" 'tab 2 C:\e2e\目标一'
  expect_eq "starts of Explorer.exe" \
    "$(opening_lines 'explorer.exe: start ' | sed -E 's/^[0-9]+ //')" 'show 3 args "C:\e2e\目标 二"'
  expect_eq "message boxes" "$(probe message-boxes)" ""
  close_app
}

# The starts of the logged programs in the order they were made (by their
# creation times; each program logs when it gets to run, which may be out
# of order on a busy machine): "PROGRAM ARGS" per line.
opening_starts() {
  sed -n -E 's/^([^:]+): created ([0-9]+) show [0-9]+ args (.*)$/\2 \1 \3/p' "$opening_log" |
    tr -d '\r' | sort -s -n -k1,1 | cut -d' ' -f2-
}

# With the pointer over the popup's first row (an entry), the next row (a
# group) is selected and its submenu opened from the keyboard.
opening_open_second_row_submenu() {
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  xdotool key Down
  sleep 0.3
  xdotool key Right
}

# A group opened with Ctrl held runs every shown entry of the group in
# order (a subgroup with its own path) and closes the menu; without Ctrl
# the submenu just opens, and an entry of it runs alone.
scenario_ctrl_group_run() {
  opening_log_standins
  opening_copy_standin StartLogger.exe 'C:\e2e\tc\Totalcmd64.exe'
  opening_copy_standin StartLogger.exe 'C:\e2e\bin\StartLogger.exe'
  local folder
  for folder in 甲 乙 丙 子组 内; do opening_make_folder "C:\\e2e\\$folder"; done
  opening_write_ini '[Option]' 'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    'FolderManagerName=1' 'FolderManagerPath_1=C:\e2e\tc\Totalcmd64.exe' \
    'FolderManagerParam_1=/O /S /L="%1" /T' \
    '[PathMenu]' 'menu1=单个(&S)' 'path1=C:\e2e\bin\StartLogger.exe </single>' \
    'menu2=-工作(&W)' \
    'menu3=甲' 'path3=C:\e2e\甲' \
    'menu4=记录' 'path4=C:\e2e\bin\StartLogger.exe </second>' \
    'menu5=-' \
    'menu6=停用' 'path6= /C:\e2e\丙' \
    'menu7=乙(&B)' 'path7=C:\e2e\乙' \
    'menu8=-子组' 'path8=C:\e2e\子组' \
    'menu9=内' 'path9=C:\e2e\内' \
    'menu10=--' \
    'menu11=--'
  opening_start || return
  opening_pop_up || return
  xdotool keydown ctrl
  opening_open_second_row_submenu
  wait_until 20 opening_popup_gone || fail "the menu did not close when the group was opened with Ctrl"
  xdotool keyup ctrl
  local want='Totalcmd64.exe /O /S /L="C:\e2e\甲\" /T
StartLogger.exe /second
Totalcmd64.exe /O /S /L="C:\e2e\乙\" /T
Totalcmd64.exe /O /S /L="C:\e2e\子组\" /T'
  opening_group_started() { [ "$(opening_starts | grep -c .)" -ge 4 ]; }
  wait_until 30 opening_group_started || fail "not every entry of the group was started"
  expect_eq "starts of the group run, in order" "$(opening_starts)" "$want"
  expect_eq "message boxes after the group run" "$(probe message-boxes)" ""

  # Without Ctrl: the submenu opens and nothing runs.
  opening_pop_up || { opening_keep_log; return; }
  opening_open_second_row_submenu
  wait_until 20 opening_popups_at_least 2 || fail "the group's submenu did not open without Ctrl"
  sleep 2
  expect_eq "popups with the submenu open" "$(opening_popup_count)" 2
  expect_eq "starts while the submenu is open" "$(opening_starts)" "$want"
  xdotool key b
  wait_until 20 opening_popup_gone || fail "the menu did not close on the submenu's accelerator"
  opening_one_more() { [ "$(opening_starts | grep -c .)" -ge 5 ]; }
  wait_until 20 opening_one_more || fail "the submenu's entry was not started"
  sleep 1
  expect_eq "starts after one entry of the submenu" "$(opening_starts)" "$want
Totalcmd64.exe /O /S /L=\"C:\\e2e\\乙\\\" /T"
  opening_keep_log
  close_app
}
