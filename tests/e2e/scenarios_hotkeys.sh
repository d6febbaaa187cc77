# End-to-end scenarios of the global hotkeys: keys injected with SendInput
# (e2e_probe press) over stand-ins for the file managers and an editor, and
# Wine's own Open dialog. Sourced by run_scenario.sh.

# The stand-ins of the Windows build, beside the probe's folder.
hk_standins() { (cd "$(dirname "$probe_exe")/../standins/bin" && pwd); }
hk_win() { timeout 30 winepath -w "$1" 2>/dev/null </dev/null | tr -d '\r'; }

# Every stand-in, and every program pathorama.exe starts, logs into one file.
hk_logs() {
  : >"$work/standin.log"
  PATHORAMA_STANDIN_LOG=$(hk_win "$work/standin.log")
  export PATHORAMA_STANDIN_LOG
}
hk_logged() { grep -qi -- "$1" "$work/standin.log"; }

# hk_start_standin EXE ARGS...: a stand-in in the background.
hk_start_standin() {
  local exe=$1; shift
  (cd "$work" && exec timeout "${PATHORAMA_E2E_TIMEOUT:-170}" wine "$(hk_standins)/$exe" "$@") \
    >>"$work/standin.out" 2>&1 </dev/null &
  launchers+=("$!")
}

# hk_ini LINES...: the settings file, UTF-8 with byte-order mark, CR LF.
hk_ini() {
  printf '\xEF\xBB\xBF' >"$ini"
  printf '%s\r\n' "$@" >>"$ini"
}

hk_popup_shown() { [ -n "$(probe popups)" ]; }
hk_popup_gone() { [ -z "$(probe popups)" ]; }
hk_in_front() { [ "$(probe foreground | cut -f1)" = "$1" ]; }
# Under Wine, keys injected while the focus moves between windows are
# sometimes lost, or lose their Ctrl (the X focus follows the pointer when no
# window manager runs, and each focus change makes Wine compare its key state
# with the X server's, which knows nothing of injected keys). So the pointer
# goes to a corner where no window ever shows, the program (when it runs) has
# handled its queue, and the focus gets a second to settle.
hk_front() {
  xdotool mousemove 1279 1023
  wait_until 20 probe front "$1" || return 1
  probe send 0 >/dev/null 2>&1
  sleep 1
}
hk_edit_is() { [ "$(probe edit-text "$1")" = "$2" ]; }
hk_count() { grep -ci -- "$1" "$work/standin.log"; }

# Ctrl+D over Total Commander pops the jump list up at its source panel, and
# the entry chosen there starts the configured manager with its parameters.
scenario_hotkey_jump_list_over_total_commander() {
  hk_logs
  local logger
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'FolderManagerName=1' \
    "FolderManagerPath_1=$logger" 'FolderManagerParam_1=/O /S /L=%1' \
    '[PathMenu]' 'menu1=用户(&U)' 'path1=C:\users'
  # Total Commander is in the built-in window-class list.
  : >"$dir/IgnoreWinClass1.lst"
  hk_start_standin Totalcmd.exe '--left=C:\windows' '--right=C:\users'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_front TTOTAL_CMD || fail "Total Commander could not be brought to the front"
  probe press 2 0x44
  wait_until 20 hk_popup_shown || { fail "no popup after Ctrl+D over Total Commander"; return; }
  local left top right bottom pl pt pr pb
  read -r left top right bottom < <(probe popups | head -n 1)
  read -r pl pt pr pb < <(probe control-rect TTOTAL_CMD 0x432 1)  # WM_USER+50: the left panel
  [ -n "$pl" ] || fail "no left panel rectangle from the stand-in"
  [ "${left:-0}" -ge $((${pl:-0} - 3)) ] && [ "${left:-0}" -le $((${pl:-0} + 3)) ] &&
    [ "${top:-0}" -ge $((${pt:-0} - 3)) ] && [ "${top:-0}" -le $((${pt:-0} + 3)) ] ||
    fail "popup at $left,$top, not at the left panel's corner $pl,$pt"
  sleep 1
  import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
  xdotool mousemove $((left + 30)) $((top + 8))
  sleep 0.5
  xdotool key u
  wait_until 20 hk_popup_gone || fail "the popup did not close on its accelerator key"
  wait_until 20 hk_logged 'StartLogger.exe: start .* args /O /S /L=C:\\users\\$' ||
    fail "the manager was not started with /O /S /L=C:\\users\\ (log: $(cat "$work/standin.log"))"
  close_app
}

# Entries with variables: {MyDocuments} from the prefix's shell folders and
# a subfolder of {OpenedDir}, the folder open in the Total Commander the list
# pops up over, each start the configured manager with the folder expanded.
scenario_hotkey_jump_list_variables() {
  hk_logs
  local logger
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'FolderManagerName=1' \
    "FolderManagerPath_1=$logger" 'FolderManagerParam_1=/O /S /L=%1' \
    '[PathMenu]' 'menu1=我的文档(&M)' 'path1=*{MyDocuments}' \
    'menu2=驱动程序(&O)' 'path2=*{OpenedDir}\drivers'
  : >"$dir/IgnoreWinClass1.lst"
  hk_start_standin Totalcmd.exe '--left=C:\windows\system32'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local key want left top
  for key in m o; do
    hk_front TTOTAL_CMD || fail "Total Commander could not be brought to the front"
    probe press 2 0x44
    wait_until 20 hk_popup_shown || { fail "no popup after Ctrl+D over Total Commander"; return; }
    sleep 1
    if [ "$key" = m ]; then
      import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
    fi
    read -r left top _ < <(probe popups | head -n 1)
    xdotool mousemove $((left + 30)) $((top + 8))
    sleep 0.5
    xdotool key "$key"
    wait_until 20 hk_popup_gone || fail "the popup did not close on its accelerator key $key"
  done
  want='StartLogger.exe: start .* args /O /S /L=C:\\users\\[^\\]*\\Documents\\$'
  wait_until 20 hk_logged "$want" ||
    fail "the manager was not started in the documents folder (log: $(cat "$work/standin.log"))"
  wait_until 20 hk_logged 'StartLogger.exe: start .* args /O /S /L=C:\\windows\\system32\\drivers\\$' ||
    fail "the manager was not started in the open folder (log: $(cat "$work/standin.log"))"
  close_app
}

# Two presses within milliseconds open the list once; a later press closes
# it and Total Commander is in front again.
scenario_hotkey_second_press_closes_list() {
  hk_logs
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'FolderManagerName=1' \
    'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    '[PathMenu]' 'menu1=用户(&U)' 'path1=C:\users'
  : >"$dir/IgnoreWinClass1.lst"
  hk_start_standin Totalcmd.exe '--left=C:\windows'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_front TTOTAL_CMD || fail "Total Commander could not be brought to the front"
  probe press 2 0x44 2
  wait_until 20 hk_popup_shown || { fail "no popup after Ctrl+D twice"; return; }
  sleep 1.5
  expect_eq "popups after two presses within 500 ms" "$(probe popups | wc -l)" 1
  probe press 2 0x44
  wait_until 20 hk_popup_gone || { fail "a second Ctrl+D did not close the list"; return; }
  wait_until 10 hk_in_front TTOTAL_CMD ||
    fail "after closing, $(probe foreground) is in front, not Total Commander"
  close_app
}

# Ctrl+G in Wine's own Open dialog switches it to Total Commander's folder.
scenario_hotkey_dialog_switch() {
  hk_logs
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0'
  hk_start_standin Totalcmd.exe '--left=C:\users'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_start_standin OpenDialog.exe --mode=common --log '--folder=C:\windows'
  wait_until 30 hk_logged 'folder: C:\\windows' || { fail "the Open dialog did not come up"; return; }
  hk_front '#32770' || fail "the Open dialog could not be brought to the front"
  sleep 0.5
  probe press 2 0x47
  wait_until 20 hk_logged 'folder: C:\\users' ||
    fail "the dialog was not switched to C:\\users (log: $(cat "$work/standin.log"))"
  close_app
}

# Ctrl+G in a text box: with no file manager open the text stays and the
# box gets Ctrl+G itself; with Total Commander open the folder is filled in
# by each of the three modes.
scenario_hotkey_fill_edit() {
  hk_logs
  local mode want
  for mode in 0 1 2; do
    hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' "FillFolderPathMethod=$mode" \
      'SelTextAfterFillPath=1'
    if [ "$mode" = 0 ]; then
      hk_start_standin EditorStandin.exe --text=abcdef --log-keys
      hk_front EditorStandin || { fail "the editor stand-in did not come up"; return; }
    fi
    start_app
    wait_until 30 window_exists || { fail "main window did not appear"; return; }
    wait_first_activation
    if [ "$mode" = 0 ]; then
      # No file manager yet.
      hk_front EditorStandin || fail "the editor could not be brought to the front"
      probe select EditorStandin 2 4
      probe press 2 0x47
      wait_until 20 hk_logged 'EditorStandin.exe: char 7' ||
        fail "with no folder Ctrl+G was not given back to the editor"
      expect_eq "the text with no folder to fill" "$(probe edit-text EditorStandin)" abcdef
      hk_start_standin Totalcmd.exe '--left=C:\users'
      hk_front TTOTAL_CMD || fail "the Total Commander stand-in did not come up"
      sleep 0.6
    fi
    probe set-text EditorStandin abcdef
    hk_front EditorStandin || fail "the editor could not be brought to the front"
    probe select EditorStandin 2 4
    probe press 2 0x47
    case $mode in
      0) want='C:\users' ;;
      1) want='abcdC:\usersef' ;;
      2) want='abC:\usersef' ;;
    esac
    wait_until 20 hk_edit_is EditorStandin "$want" ||
      fail "mode $mode: the box holds '$(probe edit-text EditorStandin)', want '$want'"
    close_app
  done
}

# A program in the window-class list gets Ctrl+D itself after the question;
# No: not asked again during the run; Cancel (second hotkey, its own lists):
# the entry is disabled, the list pops up from then on, and the .lst file
# holds the bracketed name after the next save.
scenario_hotkey_ignore_list_question() {
  hk_logs
  hk_ini '[Option]' 'JumpMenuHotKey2=16453' 'JumpMenuAtCenter=1' 'JumpMenuUnderAddressBar=0' \
    '[PathMenu]' 'menu1=用户(&U)' 'path1=C:\users'
  printf 'XLMAIN, EditorStandin  // editors\r\n' >"$dir/IgnoreWinClass1.lst"
  printf 'EditorStandin ; Other  // the editor\r\n' >"$dir/IgnoreWinClass2.lst"
  hk_start_standin EditorStandin.exe --log-keys
  hk_front EditorStandin || { fail "the editor stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  question_shown() { probe find-window 全局热键失效 >/dev/null; }
  question_gone() { ! question_shown; }

  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x44
  wait_until 20 question_shown || { fail "no question for the listed window class"; return; }
  probe click 全局热键失效 '否(&N)'
  wait_until 20 question_gone || fail "the question did not close on No"
  wait_until 20 hk_logged 'EditorStandin.exe: char 4$' || fail "the editor did not get Ctrl+D"
  hk_popup_shown && fail "the jump list popped up in a listed window"

  sleep 0.6
  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x44
  wait_until 20 eval '[ "$(hk_count "char 4$")" -ge 2 ]' || fail "the second Ctrl+D did not reach the editor"
  question_shown && fail "asked again after No"

  sleep 0.6
  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x45  # Ctrl+E: the second jump-list hotkey
  wait_until 20 question_shown || { fail "no question for the second hotkey's list"; return; }
  probe click 全局热键失效 '取消(&C)'
  wait_until 20 question_gone || fail "the question did not close on Cancel"
  wait_until 20 hk_logged 'EditorStandin.exe: char 5$' || fail "the editor did not get Ctrl+E"

  sleep 0.6
  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x45
  wait_until 20 hk_popup_shown || fail "after Cancel, Ctrl+E did not pop the list up"
  question_shown && fail "asked after Cancel"
  local left top right bottom
  read -r left top right bottom < <(probe popups | head -n 1)
  xdotool mousemove $((left + 20)) $((top + 8)) key Escape
  wait_until 20 hk_popup_gone || fail "the popup did not close on Escape"
  close_app
  check "IgnoreWinClass2.lst brackets the entry and keeps the comment" \
    grep -q '^<EditorStandin> ; Other  // the editor' <(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$dir/IgnoreWinClass2.lst")
  check "IgnoreWinClass1.lst is unchanged after No" \
    grep -q '^XLMAIN, EditorStandin  // editors' <(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$dir/IgnoreWinClass1.lst")
}

# With "启用全局热键" off the program holds none of its keys: another program
# can register Ctrl+D, Ctrl+G and Ctrl+Q, and the editor gets Ctrl+D.
scenario_hotkeys_off_released() {
  hk_logs
  hk_ini '[Main]' 'UseGlobalHotKey=0' '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0'
  hk_start_standin EditorStandin.exe --log-keys
  hk_front EditorStandin || { fail "the editor stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  expect_eq "Ctrl+D for another program" "$(probe try-hotkey 2 0x44)" free
  expect_eq "Ctrl+G for another program" "$(probe try-hotkey 2 0x47)" free
  expect_eq "Ctrl+Q for another program" "$(probe try-hotkey 2 0x51)" free
  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x44
  wait_until 20 hk_logged 'EditorStandin.exe: char 4$' ||
    fail "the editor did not get Ctrl+D (log: $(cat "$work/standin.log"))"
  close_app
}

# Word's ProgID maps to its class id in the scenario's prefix, whose local
# server is the start logger: the Word stand-in registers as the running
# application, and anything that tried to start a Word would show in the log.
hk_word_progid() {
  local logger clsid='{000209FF-0000-0000-C000-000000000046}'
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  timeout 60 wine reg add 'HKLM\Software\Classes\Word.Application\CLSID' /ve /d "$clsid" /f \
    >/dev/null 2>&1 </dev/null &&
    timeout 60 wine reg add "HKLM\\Software\\Classes\\CLSID\\$clsid\\LocalServer32" /ve \
      /d "\"$logger\" /Automation" /f >/dev/null 2>&1 </dev/null
}

# Ctrl+Q over Word showing a saved document: the document's folder opens in
# the configured manager; with "copy" chosen instead, the folder goes to the
# clipboard and the Word message tells so. No Word is ever started.
scenario_hotkey_capture_word_folder() {
  hk_logs
  hk_word_progid || { fail "could not map Word's ProgID in the prefix"; return; }
  mkdir -p "$WINEPREFIX/drive_c/e2e/报告"
  local logger
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  local options=('[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'FolderManagerName=1'
    "FolderManagerPath_1=$logger" 'FolderManagerParam_1=/O /S /L=%1')
  hk_ini "${options[@]}"
  hk_start_standin OfficeStandin.exe --product=word --mode=saved '--folder=C:\e2e\报告'
  wait_until 30 hk_logged 'OfficeStandin.exe: ready' || { fail "the Word stand-in did not come up"; return; }
  hk_logged 'OfficeStandin.exe: registered' ||
    { fail "the Word stand-in is not the running Word: $(cat "$work/standin.log")"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_front OpusApp || fail "Word could not be brought to the front"
  probe press 2 0x51
  wait_until 20 hk_logged 'StartLogger.exe: start .* args /O /S /L=C:\\e2e\\报告\\\?$' ||
    fail "the document's folder was not opened in the manager (log: $(cat "$work/standin.log"))"
  close_app

  hk_ini "${options[@]}" 'OperateOfficeOrWindowFolderPathCaptured=1'
  start_app
  wait_until 30 window_exists || { fail "main window did not appear the second time"; return; }
  hk_front OpusApp || fail "Word could not be brought to the front"
  probe press 2 0x51
  local caption='复制 Word 文件夹路径'
  told() { probe box-text "$caption" >/dev/null; }
  wait_until 20 told || { fail "no \"$caption\" message: $(probe message-boxes)"; close_app; return; }
  expect_eq "the message" "$(probe box-text "$caption")" \
    '已经把当前 Word 文件所在的文件夹路径复制到剪贴板中\r\n\r\nC:\e2e\报告'
  expect_eq "the clipboard" "$(probe get-clipboard)" 'C:\e2e\报告'
  probe press-button "$caption" 2 || probe press-button "$caption" 1 || fail "the message could not be closed"
  check "no Word was started" bash -c "! grep -q 'StartLogger.exe: .*Automation' '$work/standin.log'"
  close_app
}

# Ctrl+Q over the shell's desktop (a "Progman" window) is given back: the
# desktop gets the key and nothing opens. Over any other program, the
# program's own folder opens in the configured manager.
scenario_hotkey_capture_desktop_and_program() {
  hk_logs
  local logger bin
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  bin=$(hk_win "$(hk_standins)")
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'FolderManagerName=1' \
    "FolderManagerPath_1=$logger" 'FolderManagerParam_1=/O /S /L=%1'
  hk_start_standin EditorStandin.exe --log-keys --class=Progman
  hk_front Progman || { fail "the desktop stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_front Progman || fail "the desktop could not be brought to the front"
  probe press 2 0x51
  wait_until 20 hk_logged 'EditorStandin.exe: char 17$' || fail "the desktop did not get Ctrl+Q back"
  sleep 1
  check "nothing opened for the desktop" bash -c "! grep -q 'StartLogger.exe: start' '$work/standin.log'"
  expect_eq "message boxes after Ctrl+Q on the desktop" "$(probe message-boxes)" ""

  hk_start_standin EditorStandin.exe
  hk_front EditorStandin || { fail "the editor stand-in did not come up"; return; }
  sleep 0.6  # past the debounce
  probe press 2 0x51
  opened() { grep -qiF "args /O /S /L=$bin" "$work/standin.log"; }
  wait_until 20 opened ||
    fail "the program's folder $bin was not opened (log: $(cat "$work/standin.log"))"
  close_app
}

# The popup's 禁用弹出跳转列表的热键(&J) > 在当前类型的窗口中禁用(&W) over the
# editor: the editor's window class joins the first hotkey's class list, so
# the next Ctrl+D in the editor is the editor's own, and the list file holds
# the class after the program has saved.
scenario_hotkey_forbid_from_popup() {
  hk_logs
  hk_ini '[Option]' 'ShowMsgWhenIgnoreGlobalHotKey=0' 'JumpMenuAtCenter=1' \
    'JumpMenuUnderAddressBar=0' '[PathMenu]' 'menu1=用户(&U)' 'path1=C:\users'
  : >"$dir/IgnoreWinClass1.lst"
  hk_start_standin EditorStandin.exe --log-keys
  hk_front EditorStandin || { fail "the editor stand-in did not come up"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  hk_front EditorStandin || fail "the editor could not be brought to the front"
  probe press 2 0x44
  wait_until 20 hk_popup_shown || { fail "no popup after Ctrl+D in the editor"; return; }
  read -r popup_left popup_top popup_right popup_bottom < <(probe popups | head -n 1)
  targets_choose j w
  wait_until 20 hk_popup_gone || { fail "the popup did not close on 在当前类型的窗口中禁用(&W)"; return; }
  sleep 0.6  # past the debounce
  hk_front EditorStandin || fail "the editor could not be brought to the front again"
  probe press 2 0x44
  wait_until 20 hk_logged 'EditorStandin.exe: char 4$' || fail "the editor did not get Ctrl+D itself"
  hk_popup_shown && fail "the jump list popped up in a forbidden window class"
  close_app
  check "IgnoreWinClass1.lst names the editor's class" \
    grep -qx 'EditorStandin' <(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$dir/IgnoreWinClass1.lst")
}
