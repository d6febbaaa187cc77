# End-to-end scenarios of the jump list's targets: an entry chosen from the
# popup opens where the user worked (an Open/Save dialog, a console, the
# registry editor), a missing folder is asked about, and the function items
# change the saved list. Sourced by run_scenario.sh, which provides the
# helpers (start_app, probe, check, wait_until, ini_section, ...).

# The stand-ins for outside programs, built beside the probe.
targets_standins() {
  if [ -n "${standins:-}" ]; then echo "$standins"; return; fi
  (cd "$(dirname "$probe_exe")/../standins/bin" 2>/dev/null && pwd)
}

# A folder of the scratch prefix's C: drive, made on the Linux side; prints
# its Windows path. usage: targets_make_folder 'e2e\目标'
targets_make_folder() {
  mkdir -p "$WINEPREFIX/drive_c/${1//\\//}"
  printf 'C:\\%s\n' "$1"
}

# Starts a stand-in in the background; what it logs goes to $work/standins.log.
targets_start_standin() {
  local program=$1; shift
  local dir_of
  dir_of=$(targets_standins) || { fail "no stand-ins beside the probe"; return 1; }
  [ -n "${targets_log_win:-}" ] ||
    targets_log_win=$(timeout 30 winepath -w "$work/standins.log" 2>/dev/null </dev/null | tr -d '\r')
  : >>"$work/standins.log"
  (PATHORAMA_STANDIN_LOG=$targets_log_win exec timeout 150 wine "$dir_of/$program" "$@") \
    >>"$work/standins.out" 2>&1 </dev/null &
  launchers+=("$!")
}

# The stand-ins' log lines that begin with PREFIX (after the program's name).
targets_log_lines() {
  [ -f "$work/standins.log" ] || return 0
  sed -e 's/\r$//' "$work/standins.log" | grep -F -- "$1" || true
}
targets_log_count() { targets_log_lines "$1" | grep -c . || true; }
targets_log_has() { [ "$(targets_log_count "$1")" -ge 1 ]; }

# "HANDLE LEFT TOP RIGHT BOTTOM" of the topmost shown window of CLASS.
targets_window_of_class() {
  probe zorder | awk -F'\t' -v c="$1" '$1 == c { print $2, $3, $4, $5, $6; found = 1; exit } END { exit !found }'
}
targets_has_window() { targets_window_of_class "$1" >/dev/null; }

targets_popup_shown() { [ -n "$(probe popups)" ]; }
targets_popup_gone() { [ -z "$(probe popups)" ]; }

# Pops the list up with a second start "/OpenJumpList" and keeps the popup's
# rectangle in popup_left/popup_top/popup_right/popup_bottom.
targets_pop_up() {
  expect_eq "exit code of a second start with /OpenJumpList" "$(run_app /OpenJumpList)" 0
  wait_until 20 targets_popup_shown || { fail "no popup after /OpenJumpList"; return 1; }
  read -r popup_left popup_top popup_right popup_bottom < <(probe popups | head -n 1)
}

# Presses KEYS one after the other with the pointer over the popup's first
# item (keys reach a popup under the pointer).
targets_choose() {
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.7
  done
}

targets_screenshot() {
  import -window root "$artifacts/$1.png" 2>/dev/null || fail "screenshot $1 failed"
}

# After a failed step: the windows as they stand, and the stand-ins' log.
targets_failed_at() {
  probe zorder >"$artifacts/windows-at-$1.txt" 2>/dev/null
  targets_keep_log
}
targets_keep_log() { cp "$work/standins.log" "$artifacts/standins.log" 2>/dev/null; }

# Wine's own Save dialog (the Open dialog stand-in in its common mode) is the
# window the user worked in, just below the main window when a second start
# pops the list up: an entry holding an existing folder switches the dialog
# to that folder, the name the user had typed is still in its field, the
# dialog is in front again, and saving then saves under that folder.
scenario_open_dialog_switch() {
  local target other
  target=$(targets_make_folder 'e2e\目标')
  other=$(targets_make_folder 'e2e\other')
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  printf '%s\r\n' '[PathMenu]' 'menu1=目标(&T)' "path1=$target\\" >>"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  targets_start_standin OpenDialog.exe --mode=common --save --log "--folder=$other" --name=report.docx
  dialog_ready() { [ "$(probe file-name-field)" = report.docx ]; }
  wait_until 30 dialog_ready || { fail "the Save dialog did not show report.docx"; targets_failed_at nodialog; return; }
  targets_pop_up || { targets_failed_at popup; return; }
  targets_screenshot popup_over_dialog
  targets_choose t
  wait_until 20 targets_popup_gone || fail "the popup did not close on its accelerator key"
  switched() { targets_log_has "folder: $target"; }
  wait_until 20 switched || { fail "the dialog did not change to $target"; targets_failed_at switch; }
  in_front() { [ "$(probe foreground | cut -f1)" = '#32770' ]; }
  wait_until 10 in_front || fail "the dialog is not in front again: $(probe foreground)"
  sleep 1
  targets_screenshot dialog_switched
  expect_eq "folder changes of the dialog" "$(targets_log_lines 'folder: ')" \
    "OpenDialog.exe: folder: $other
OpenDialog.exe: folder: $target"
  expect_eq "name in the dialog's field" "$(probe file-name-field)" report.docx
  expect_eq "results of the dialog before it is confirmed" "$(targets_log_count 'result: ')" 0
  # The user saves: the typed name, in the entry's folder.
  probe press-button 另存为 1 || fail "no 保存 button to press"
  confirmed() { targets_log_has 'result: '; }
  wait_until 20 confirmed || fail "the dialog did not end after 保存"
  expect_eq "result of the dialog" "$(targets_log_lines 'result: ')" \
    "OpenDialog.exe: result: ok $target\\report.docx"
  targets_keep_log
}

# A console (the console stand-in, class ConsoleWindowClass) is the window
# the user worked in, half a command typed: choosing a folder entry discards
# the typed text and runs the change-directory command exactly once, in a
# console that pastes on a right click (quick edit) and in one whose right
# click opens its menu; the clipboard holds afterwards what it held before.
scenario_console_cd() {
  local folder
  folder=$(targets_make_folder 'e2e\my work 甲')
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  printf '%s\r\n' '[PathMenu]' 'menu1=工作(&K)' "path1=$folder\\" >>"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local mode
  for mode in quickedit menu; do
    : >"$work/standins.log"
    targets_start_standin ConsoleStandin.exe "--mode=$mode" --typed=half-typed
    wait_until 30 targets_has_window ConsoleWindowClass || { fail "$mode: the console did not appear"; return; }
    sleep 0.5
    probe set-clipboard '用户的剪贴板 1' || fail "$mode: could not set the clipboard"
    targets_pop_up || { targets_failed_at "$mode-popup"; return; }
    targets_screenshot "popup_over_console_$mode"
    # Inside the console, near its top-left corner.
    local console_left console_top
    read -r _ console_left console_top _ < <(targets_window_of_class ConsoleWindowClass)
    expect_eq "$mode: popup's place" "$popup_left,$popup_top" "$((console_left + 15)),$((console_top + 40))"
    targets_choose k
    wait_until 20 targets_popup_gone || fail "$mode: the popup did not close on its accelerator key"
    ran() { targets_log_has 'command '; }
    wait_until 20 ran || { fail "$mode: the console got no command"; targets_failed_at "$mode-command"; }
    sleep 1.5  # a second paste or Enter would have come by now
    expect_eq "$mode: commands the console ran" "$(targets_log_lines 'command ')" \
      "ConsoleStandin.exe: command cls && cd /d \"$folder\""
    expect_eq "$mode: pastes into the console" "$(targets_log_count 'paste ')" 1
    expect_eq "$mode: the typed text was discarded first" "$(targets_log_count 'interrupt')" 1
    expect_eq "$mode: the clipboard afterwards" "$(probe get-clipboard)" '用户的剪贴板 1'
    cp "$work/standins.log" "$artifacts/standins-$mode.log"
    # The console goes away before the next one comes.
    probe close-class ConsoleWindowClass
    console_gone() { ! targets_has_window ConsoleWindowClass; }
    wait_until 20 console_gone || fail "$mode: the console did not close"
  done
  close_app
}

# The value the registry editor opens at.
targets_last_key() {
  probe reg 'Software\Microsoft\Windows\CurrentVersion\Applets\Regedit' LastKey
}

# Registry entries: the program writes the registry editor's LastKey as the
# editor's computer node (taken from the LastKey it finds) plus the key with
# its root written long, and starts Wine's registry editor; a second entry
# while that editor runs closes it and starts it anew at the other key. Wine's
# editor writes its node alone as LastKey when it exits, and the node is
# kept. (Wine's editor does not honour LastKey, so the value written is
# checked, not the editor's selection.)
scenario_registry_editor() {
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  printf '%s\r\n' '[PathMenu]' 'menu1=软件(&K)' 'path1=<RegPath>HKLM\Software' \
    'menu2=酒(&W)' 'path2=<RegPath>hkcu\Software\Wine\' >>"$ini"
  timeout 30 wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Regedit' \
    /v LastKey /d '我的电脑\HKEY_CURRENT_USER\Console' /f >/dev/null 2>&1 </dev/null
  expect_eq "LastKey before" "$(targets_last_key)" '我的电脑\HKEY_CURRENT_USER\Console'
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  targets_pop_up || return
  targets_choose k
  wait_until 20 targets_popup_gone || fail "the popup did not close on its accelerator key"
  wait_until 30 targets_has_window RegEdit_RegEdit ||
    { fail "the registry editor did not appear"; targets_failed_at regedit; return; }
  expect_eq "LastKey for HKLM\\Software" "$(targets_last_key)" '我的电脑\HKEY_LOCAL_MACHINE\Software'
  expect_eq "registry editors running" "$(probe count-processes regedit.exe)" 1
  local first
  read -r first _ < <(targets_window_of_class RegEdit_RegEdit)
  sleep 1
  targets_screenshot registry_editor

  targets_pop_up || return
  targets_choose w
  wait_until 20 targets_popup_gone || fail "the popup did not close on its accelerator key"
  another_editor() {
    local handle
    read -r handle _ < <(targets_window_of_class RegEdit_RegEdit) && [ "$handle" != "$first" ]
  }
  wait_until 30 another_editor ||
    { fail "the registry editor was not started anew"; targets_failed_at second; return; }
  sleep 1
  expect_eq "LastKey for hkcu\\Software\\Wine\\" "$(targets_last_key)" \
    '我的电脑\HKEY_CURRENT_USER\Software\Wine'
  expect_eq "registry editors running after the second entry" \
    "$(probe count-processes regedit.exe)" 1
  check "the running editor ended in time (trace.log)" \
    bash -c "[ ! -f '$trace' ] || ! grep -q 'registry editor did not end' '$trace'"
  close_app
}
