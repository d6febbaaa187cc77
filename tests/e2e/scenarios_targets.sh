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
# item (keys reach a popup under the pointer). Every key but the last opens
# a submenu: the next key waits until it is shown.
targets_choose() {
  xdotool mousemove $((popup_left + 20)) $((popup_top + 8))
  sleep 0.5
  popups_above() { [ "$(probe popups | grep -c .)" -gt "$1" ]; }
  local key before=
  for key in "$@"; do
    if [ -n "$before" ]; then
      wait_until 10 popups_above "$before" || fail "no submenu opened before the key $key"
    fi
    before=$(probe popups | grep -c .)
    xdotool key "$key"
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

# Web addresses of this prefix open with the start logger.
targets_open_web_addresses_with_logger() {
  local logger
  logger=$(timeout 30 winepath -w "$(targets_standins)/StartLogger.exe" 2>/dev/null </dev/null | tr -d '\r')
  [ -n "$logger" ] || { fail "no start logger among the stand-ins"; return 1; }
  timeout 60 wine reg add 'HKLM\Software\Classes\https' /v 'URL Protocol' /d '' /f \
    >/dev/null 2>&1 </dev/null &&
    timeout 60 wine reg add 'HKLM\Software\Classes\https\shell\open\command' /ve \
      /d "\"$logger\" \"%1\"" /f >/dev/null 2>&1 </dev/null ||
    { fail "could not make the start logger open web addresses"; return 1; }
  [ -n "${targets_log_win:-}" ] ||
    targets_log_win=$(timeout 30 winepath -w "$work/standins.log" 2>/dev/null </dev/null | tr -d '\r')
  # pathorama.exe, started after this, starts the logger: its log goes where
  # the stand-ins' goes.
  export PATHORAMA_STANDIN_LOG=$targets_log_win
}

targets_box_shown() { probe box-text "$1" >/dev/null; }
targets_box_gone() { ! probe box-text "$1" >/dev/null; }

# An entry whose only path is a folder that does not exist: the program asks
# whether to create it; No ends with the message that the entry's path does
# not exist and creates nothing, Yes creates the folder (with its missing
# parent) and opens it. The texts are read from the message boxes. A web
# address written without its tag is no missing folder: it is handed to the
# program that opens web addresses (the start logger here).
scenario_missing_folder() {
  local folder='C:\e2e\缺少\新 文件夹'
  mkdir -p "$WINEPREFIX/drive_c/e2e"
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  printf '%s\r\n' '[PathMenu]' 'menu1=新建(&X)' "path1=$folder\\" \
    'menu2=网页(&U)' 'path2=https://example.org/plain?q=1' >>"$ini"
  local unix_folder="$WINEPREFIX/drive_c/e2e/缺少/新 文件夹"
  local question="以下文件夹路径不存在\\r\\r$folder\\r\\r是否创建该文件夹？"
  targets_open_web_addresses_with_logger || return
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation

  targets_pop_up || return
  targets_choose u
  web_opened() { targets_log_has 'start '; }
  wait_until 20 web_opened || { fail "the web address was not opened"; targets_failed_at web; }
  expect_eq "arguments the web address was opened with" \
    "$(targets_log_lines 'start ' | sed 's/.* args //')" '"https://example.org/plain?q=1"'
  check "no question for the web address" targets_box_gone 路径不存在
  check "no message for the web address" targets_box_gone '文件（夹）不存在'

  targets_pop_up || return
  targets_choose x
  wait_until 20 targets_box_shown 路径不存在 ||
    { fail "no question 路径不存在 after choosing the entry"; targets_failed_at question; return; }
  sleep 0.5
  targets_screenshot question
  expect_eq "the question" "$(probe box-text 路径不存在)" "$question"
  probe press-button 路径不存在 7 || fail "no button 否 in the question"
  wait_until 20 targets_box_shown '文件（夹）不存在' ||
    { fail "no message 文件（夹）不存在 after No"; targets_failed_at message; return; }
  sleep 0.5
  targets_screenshot missing_message
  expect_eq "the message after No" "$(probe box-text '文件（夹）不存在')" '当前条目关联的文件（夹）路径不存在'
  check "no folder after No" test ! -e "$WINEPREFIX/drive_c/e2e/缺少"
  probe press-button '文件（夹）不存在' 1 || fail "no button 确定 in the message"
  wait_until 20 targets_box_gone '文件（夹）不存在' || fail "the message did not close"

  targets_pop_up || return
  targets_choose x
  wait_until 20 targets_box_shown 路径不存在 ||
    { fail "no question 路径不存在 the second time"; targets_failed_at question2; return; }
  expect_eq "the question the second time" "$(probe box-text 路径不存在)" "$question"
  probe press-button 路径不存在 6 || fail "no button 是 in the question"
  created() { [ -d "$unix_folder" ]; }
  wait_until 20 created || fail "the folder was not created after Yes"
  # The new folder opens in the built-in Explorer (Wine's: ExplorerWClass).
  wait_until 30 targets_has_window ExplorerWClass ||
    { fail "the created folder did not open"; targets_failed_at explorer; }
  sleep 1
  targets_screenshot created_and_opened
  check "no message that the path does not exist after Yes" targets_box_gone '文件（夹）不存在'
  expect_eq "files in the created folder" "$(find "$WINEPREFIX/drive_c/e2e/缺少" -mindepth 1 | sed "s|$WINEPREFIX/drive_c/||")" \
    'e2e/缺少/新 文件夹'
  close_app
}

# [PathMenu] lines of a list given as records, numbered from 1:
# "CAPTION=PATH" for an entry, "-GROUP" for a group, "--" for a group's
# end, "-" for a separator.
targets_path_menu() {
  local n=0 record
  for record in "$@"; do
    n=$((n + 1))
    case $record in
      -*) printf 'menu%d=%s\n' "$n" "$record" ;;
      *) printf 'menu%d=%s\npath%d=%s\n' "$n" "${record%%=*}" "$n" "${record#*=}" ;;
    esac
  done
}

# The records (one per line) without the entries and groups named in
# NAMES ("A|-B": the entry A and the group B with all it holds).
targets_without() {
  local names="|$1|" record inside=0
  shift
  for record in "$@"; do
    if [ "$inside" -gt 0 ]; then
      case $record in
        --) inside=$((inside - 1)) ;;
        -?*) inside=$((inside + 1)) ;;
      esac
      continue
    fi
    if [[ $names == *"|${record%%=*}|"* ]]; then
      [[ $record == -?* ]] && inside=1
      continue
    fi
    printf '%s\n' "$record"
  done
}

# The function items on a list, with the Total Commander stand-in in front
# showing a folder: 添加当前文件夹(&A) for a folder that is not in the list
# reaches the add dialog (not built yet: traced); 删除当前文件夹条目(&R) for
# a folder that is removes exactly that entry; the two batch deletions remove
# the entries without path info, then those whose local paths all do not
# exist, and the groups they empty, keeping web addresses (tagged or not),
# registry and share entries and entries with one existing folder. The list
# is saved at once after each; [PathMenu] is compared line for line.
scenario_current_folder_and_batch_delete() {
  local kept current other
  kept=$(targets_make_folder 'e2e\保留')
  current=$(targets_make_folder 'e2e\当前')
  other=$(targets_make_folder 'e2e\其他')
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  local list=(
    "保留=$kept"
    '-项目'
    "当前=$current\\"
    '丢失=C:\e2e\丢失'
    "一半=C:\\e2e\\丢失b | $kept"
    '--'
    '-旧的'
    '旧一=C:\e2e\旧一'
    '旧二=<LocalPath>C:\e2e\旧二'
    '--'
    '-'
    '网址=<Url>https://example.org/'
    '裸网址=https://example.org/plain'
    '注册表=<RegPath>HKCU\Software\没有的键'
    '空的='
    '-空组'
    '无路径=*'
    '--'
    '共享=<SharedFolder>\\server\share'
  )
  { echo '[PathMenu]'; targets_path_menu "${list[@]}"; } | sed 's/$/\r/' >>"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  expect_eq "[PathMenu] after the first activation" "$(ini_section PathMenu)" \
    "$(targets_path_menu "${list[@]}")"
  # After a step: the saved list is LIST without NAMES; LIST becomes that.
  list_becomes() {
    local step=$1 names=$2 want
    mapfile -t list < <(targets_without "$names" "${list[@]}")
    want=$(targets_path_menu "${list[@]}")
    list_is() { [ "$(ini_section PathMenu)" = "$want" ]; }
    wait_until 20 list_is || fail "$step did not save the list without $names"
    expect_eq "[PathMenu] after $step" "$(ini_section PathMenu)" "$want"
  }

  # A folder that is not in the list: the add dialog opens on the folder
  # open in the manager; cancelled, it leaves the list as it is.
  targets_start_standin Totalcmd.exe "--left=$other\\"
  wait_until 30 targets_has_window TTOTAL_CMD || { fail "the Total Commander stand-in did not appear"; return; }
  targets_pop_up || return
  targets_choose a
  wait_until 20 targets_popup_gone || fail "the popup did not close on 添加当前文件夹(&A)"
  local add_title=把当前已打开文件夹路径添加到路径跳转列表
  add_opened() { probe find-window "$add_title" >/dev/null; }
  wait_until 20 add_opened || fail "添加当前文件夹(&A) did not open the add dialog"
  expect_eq "the add dialog's path list" "$(probe item-text "$add_title" 6605)" "$other"
  probe press-button "$add_title" 2 || fail "no 取消 in the add dialog"
  add_closed() { ! add_opened; }
  wait_until 20 add_closed || fail "the add dialog stayed after 取消"
  expect_eq "[PathMenu] after 添加当前文件夹(&A) and 取消" "$(ini_section PathMenu)" \
    "$(targets_path_menu "${list[@]}")"
  probe close-class TTOTAL_CMD || fail "no Total Commander stand-in to close"
  tc_gone() { ! targets_has_window TTOTAL_CMD; }
  wait_until 20 tc_gone || fail "the Total Commander stand-in did not close"

  # The open folder is in the list: its entry, and only it, is deleted.
  targets_start_standin Totalcmd.exe "--left=$current\\"
  wait_until 30 targets_has_window TTOTAL_CMD || { fail "the Total Commander stand-in did not appear"; return; }
  targets_pop_up || return
  sleep 0.5
  targets_screenshot popup_offers_deletion
  targets_choose r
  list_becomes 删除当前文件夹条目 '当前'
  check "the deleted entry's folder is still there" test -d "$WINEPREFIX/drive_c/e2e/当前"

  targets_pop_up || return
  targets_choose d n
  list_becomes 未关联路径或网址的条目 '空的|-空组'

  targets_pop_up || return
  targets_choose d d
  list_becomes 本地路径不存在的条目 '丢失|-旧的'
  close_app
  expect_eq "[PathMenu] after the save at exit" "$(ini_section PathMenu)" \
    "$(targets_path_menu "${list[@]}")"
}
