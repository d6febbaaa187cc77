# The end-to-end scenarios; sourced by run_scenario.sh, which provides the
# helpers (start_app, probe, check, wait_until, ini_section, ...).

# A second start, with or without a command, ends at once with exit code 0
# and leaves the one resident instance.
scenario_second_start() {
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  local t0=$SECONDS
  expect_eq "exit code of a second start without arguments" "$(run_app)" 0
  expect_eq "exit code of a second start with /OpenSetting" "$(run_app /opensetting)" 0
  expect_eq "exit code of a second start with /AddToJumpList" \
    "$(run_app /AddToJumpList 'C:\windows')" 0
  expect_eq "exit code of a second start with an unknown argument" "$(run_app /nothing)" 0
  [ $((SECONDS - t0)) -le 30 ] || fail "four second starts took $((SECONDS - t0)) s"
  expect_eq "pathorama.exe processes" "$(probe count-processes pathorama.exe)" 1
  expect_eq "main windows" "$(probe count-windows)" 1
  kill -0 "$app_pid" 2>/dev/null || fail "the first instance ended"
  # The provisional hotkeys are registered under their global atoms.
  expect_eq "hotkey atoms" "$(probe atoms | tr '\n' ' ')" \
    "GloabalHotKey_JumpMenu1 GloabalHotKey_JumpMenu2 GloabalHotKey_OpenSaveDialog GloabalHotKey_CaptureOfficeFolderPath "
  # Commands sent straight to the window are taken (and do nothing harmful).
  for message in 0x401 0x402 0x403 0x404; do
    expect_eq "result of message $message" "$(probe send $message)" 0
  done
  expect_eq "main windows after the commands" "$(probe count-windows)" 1
}

# Ten starts at the same moment with no instance running leave exactly one.
scenario_simultaneous_starts() {
  local i
  # All ten wait at a barrier and are released together.
  for i in 1 2 3 4 5 6 7 8 9 10; do start_app_at_barrier; done
  sleep 1
  touch "$work/go"
  local first_pid=${launchers[0]}
  # The nine others end by themselves.
  one_launcher_left() {
    local alive=0 pid
    for pid in "${launchers[@]}"; do kill -0 "$pid" 2>/dev/null && alive=$((alive + 1)); done
    [ "$alive" -le 1 ]
  }
  wait_until 60 one_launcher_left || fail "more than one start is still running after 60 s"
  wait_until 30 window_exists || fail "no instance stayed resident"
  sleep 2
  expect_eq "pathorama.exe processes" "$(probe count-processes pathorama.exe)" 1
  expect_eq "main windows" "$(probe count-windows)" 1
  # The survivor is a working instance: it saves at its first activation.
  wait_first_activation
  local pid
  for pid in "${launchers[@]}"; do kill -0 "$pid" 2>/dev/null && app_pid=$pid; done
  close_app
  expect_eq "pathorama.exe processes after closing" "$(probe count-processes pathorama.exe)" 0
}

# A first start without INI file: [Option] and the four ignore lists are
# written at the first activation, the window is parked above the screen,
# and the per-user Run value and Explorer verbs are registered.
scenario_first_start() {
  rm -f "$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local f
  for f in IgnoreAppName1.lst IgnoreWinClass1.lst IgnoreAppName2.lst IgnoreWinClass2.lst; do
    check "$f written at first activation" test -f "$dir/$f"
  done
  check "IgnoreAppName1.lst holds the built-in list" grep -q 'WINWORD.EXE' "$dir/IgnoreAppName1.lst"
  check "the INI file is UTF-8 with byte-order mark" starts_with_bom "$ini"
  expect_eq "top of the main window" "$(window_field 3)" -1000
  local left right
  left=$(window_field 2) right=$(window_field 4)
  expect_eq "width of the main window" "$((right - left))" 240

  # Registry: per user, quoted full path of the executable.
  local exe_win
  exe_win=$(timeout 30 winepath -w "$dir/pathorama.exe" 2>/dev/null </dev/null | tr -d '\r')
  local run
  run=$(timeout 30 wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Pathorama \
    2>/dev/null </dev/null | tr -d '\r' | grep -i 'Pathorama' | sed -E 's/.*REG_SZ[[:space:]]+//')
  expect_eq "per-user Run value (reg query)" "$run" "\"$exe_win\""
  local verb='添加到 Pathorama 列表中'
  expect_eq "verb for folders" \
    "$(probe reg "Software\\Classes\\Directory\\shell\\$verb\\command")" \
    "\"$exe_win\" /AddToJumpList \"%1\""
  expect_eq "verb for files" \
    "$(probe reg "Software\\Classes\\*\\shell\\$verb\\command")" \
    "\"$exe_win\" /AddToJumpList \"%1\""
  expect_eq "verb for the folder background" \
    "$(probe reg "Software\\Classes\\Directory\\Background\\shell\\$verb\\command")" \
    "\"$exe_win\" /AddToJumpList \"%V\\\""
  local key
  for key in 'Directory\shell' '*\shell' 'Directory\Background\shell'; do
    expect_eq "icon of the verb under $key" \
      "$(probe reg "Software\\Classes\\$key\\$verb" Icon)" "\"$exe_win\""
  done
  # Nothing machine-wide: the program runs without elevation, and its
  # manifest asks for none.
  expect_eq "execution levels in the manifest" \
    "$(grep -ao 'requestedExecutionLevel level="[A-Za-z]*"' "$dir/pathorama.exe" | sort -u)" \
    'requestedExecutionLevel level="asInvoker"'
  check "no machine-wide Run value" bash -c \
    "! timeout 30 wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v Pathorama >/dev/null 2>&1 </dev/null"
}

# An INI file in GBK (the code page of a Chinese system) is rewritten as
# UTF-8 with byte-order mark before it is read; its captions survive, also
# through the save at exit.
scenario_gbk_ini() {
  printf '[Option]\r\nMainWindowAt=3\r\nAutoHideWhenScreenEdge=0\r\n[PathMenu]\r\nmenu1=文档(&D)\r\npath1=D:\\文档\r\nmenu2=-工作\r\nmenu3=报告\r\npath3=E:\\报告\\二〇二四\r\nmenu4=--\r\n' |
    iconv -f UTF-8 -t GBK >"$ini"
  check "fixture is not UTF-8" bash -c "! iconv -f UTF-8 -t UTF-8 '$ini' >/dev/null 2>&1"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  check "the INI file was rewritten as UTF-8 with byte-order mark" starts_with_bom "$ini"
  check "the rewritten file is valid UTF-8" iconv -f UTF-8 -t UTF-8 "$ini" -o /dev/null
  local want='menu1=文档(&D)
path1=D:\文档
menu2=-工作
menu3=报告
path3=E:\报告\二〇二四
menu4=--'
  expect_eq "jump list after the conversion" "$(ini_section PathMenu)" "$want"
  # MainWindowAt=3 was read from the converted file: top left corner.
  expect_eq "left of the main window" "$(window_field 2)" 0
  expect_eq "top of the main window" "$(window_field 3)" 0
  close_app
  check "still UTF-8 with byte-order mark after the save at exit" starts_with_bom "$ini"
  expect_eq "jump list after the save at exit" "$(ini_section PathMenu)" "$want"
}

# Closing the main window saves [Main], [SetJumpList] and [PathMenu]; a list
# with nested groups, separators, a disabled entry and an empty path comes
# back line for line, numbered 1.. without gaps.
scenario_close_saves_jump_list() {
  printf '\xEF\xBB\xBF[PathMenu]\r\n' >"$ini"
  printf '%s\r\n' \
    'menu1=Docs(&D)' 'path1=C:\Docs' \
    'menu3=-Work' \
    'menu4=Reports' 'path4=E:\Reports' \
    'menu7=-Nested' \
    'menu8=Deep' 'path8=F:\Deep|G:\Deep' \
    'menu9=--' \
    'menu10=-' \
    'menu11=Old (disabled)' 'path11= /C:\Old' \
    'menu12=--' \
    'menu13=-' \
    'menu20=Empty' 'path20=' \
    'menu21=-Tools' 'path21=C:\Tools' \
    'menu22=Editor' 'path22=<LocalPath>C:\Tools\ed.exe' \
    'menu23=--' \
    'menu30=Web' 'path30=https://example.org/' >>"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  close_app
  local section
  for section in Main SetJumpList PathMenu; do
    check "[$section] written at exit" ini_has_section "$section"
  done
  expect_eq "[Main] Ver" "$(ini_section Main | grep -i '^Ver=')" "Ver=1.0"
  expect_eq "[SetJumpList]" "$(ini_section SetJumpList)" "HideItemWhenForbid=1"
  local want='menu1=Docs(&D)
path1=C:\Docs
menu2=-Work
menu3=Reports
path3=E:\Reports
menu4=-Nested
menu5=Deep
path5=F:\Deep|G:\Deep
menu6=--
menu7=-
menu8=Old (disabled)
path8= /C:\Old
menu9=--
menu10=-
menu11=Empty
path11=
menu12=-Tools
path12=C:\Tools
menu13=Editor
path13=<LocalPath>C:\Tools\ed.exe
menu14=--
menu15=Web
path15=https://example.org/'
  expect_eq "jump list saved at exit" "$(ini_section PathMenu)" "$want"
}

# Windows logging off: WM_QUERYENDSESSION saves everything and answers 1.
scenario_end_session() {
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  rm -f "$ini"
  expect_eq "answer to WM_QUERYENDSESSION" "$(probe send 0x11)" 1
  local section
  for section in Main Option SetJumpList; do
    check "[$section] saved at WM_QUERYENDSESSION" ini_has_section "$section"
  done
  kill -0 "$app_pid" 2>/dev/null || fail "the instance ended on WM_QUERYENDSESSION alone"
}

# The main window as the user sees it: caption with version, Chinese menu
# bar, 240 pixels wide, only caption and menu bar, placed in the centre.
scenario_main_window_screenshot() {
  printf '\xEF\xBB\xBF[Option]\r\nMainWindowAt=7\r\n' >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local caption
  caption=$(window_line | cut -d' ' -f7-)
  expect_eq "caption" "$caption" "Pathorama 1.0"
  # Wine keeps menus per process, so the menu bar is checked on the
  # screenshot (main_window.png in the artifacts), not through the probe.
  local left top right bottom
  read -r _ left top right bottom _ < <(window_line)
  expect_eq "width" "$((right - left))" 240
  [ $((bottom - top)) -gt 20 ] && [ $((bottom - top)) -lt 90 ] ||
    fail "height $((bottom - top)) is not caption and menu bar only"
  sleep 1
  import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
  local screen_w
  screen_w=$(identify -format %w "$artifacts/screen.png" 2>/dev/null)
  expect_eq "centred horizontally" "$left" $(((${screen_w:-0} - 240) / 2))
  convert "$artifacts/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$artifacts/main_window.png" 2>/dev/null || fail "crop failed"
  # A drawn caption and menu bar has text: many colours, not a blank area.
  local colours
  colours=$(convert "$artifacts/main_window.png" -format %k info: 2>/dev/null || echo 0)
  [ "${colours:-0}" -ge 8 ] || fail "main window area has only ${colours:-0} colours"
  # The tray icon (Wine shows it in its own tray window when the desktop has
  # none): the blue of the program's icon is on the screen.
  local icon_pixels
  icon_pixels=$(convert "$artifacts/screen.png" -fill black +opaque 'rgb(32,110,200)' \
    -fill white -opaque 'rgb(32,110,200)' -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  [ "${icon_pixels:-0}" -ge 50 ] || fail "tray icon not on the screen (${icon_pixels:-0} icon pixels)"
  close_app
}

# Placement at first activation: the last position when MainWindowAt is 0,
# and the top centre when that position does not read as "Left,Top"
# (auto-hide off there: at the top edge the window would dock).
scenario_placement() {
  printf '\xEF\xBB\xBF[Option]\r\nMainWindowAt=0\r\nMainWindowPos=100,200\r\n' >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  expect_eq "left at the last position" "$(window_field 2)" 100
  expect_eq "top at the last position" "$(window_field 3)" 200
  close_app
  expect_eq "position saved at exit" "$(ini_section Option | grep '^MainWindowPos=')" \
    "MainWindowPos=100,200"

  printf '\xEF\xBB\xBF[Option]\r\nMainWindowAt=0\r\nMainWindowPos=1020\r\nAutoHideWhenScreenEdge=0\r\n' >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear the second time"; return; }
  wait_first_activation
  expect_eq "left without a comma in MainWindowPos" "$(window_field 2)" $((($(screen_width) - 240) / 2))
  expect_eq "top without a comma in MainWindowPos" "$(window_field 3)" 0
  close_app
}

# An INI file in UTF-16LE is rewritten as UTF-8 with byte-order mark before
# it is read.
scenario_utf16_ini() {
  printf '[PathMenu]\r\nmenu1=下载(&X)\r\npath1=C:\\下载\r\n' | iconv -f UTF-8 -t UTF-16 >"$ini"
  check "fixture starts with the UTF-16LE byte-order mark" \
    test "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' \n')" = fffe
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  check "the INI file was rewritten as UTF-8 with byte-order mark" starts_with_bom "$ini"
  expect_eq "jump list after the conversion" "$(ini_section PathMenu)" 'menu1=下载(&X)
path1=C:\下载'
  close_app
}

# The clipboard-viewer chain: a viewer that joined before pathorama.exe still
# hears of every clipboard change while pathorama.exe is in the chain (it is
# passed on) and after it has left it (the chain is mended at exit).
scenario_clipboard_chain() {
  local draws=$work/draws.log
  : >"$draws"
  draw_count() { wc -l <"$draws" | tr -d ' '; }
  draws_above() { [ "$(draw_count)" -gt "$1" ]; }
  (timeout 90 wine "$work/e2e_probe.exe" clipboard-watch \
    "$(timeout 30 winepath -w "$draws" 2>/dev/null </dev/null)" 60) >/dev/null 2>&1 </dev/null &
  launchers+=("$!")
  wait_until 20 draws_above 0 || { fail "the watching viewer did not join the chain"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local before
  before=$(draw_count)
  probe set-clipboard "eins" || fail "could not set the clipboard"
  wait_until 10 draws_above "$before" ||
    fail "a clipboard change did not reach the next viewer through pathorama.exe"
  close_app
  before=$(draw_count)
  probe set-clipboard "zwei" || fail "could not set the clipboard"
  wait_until 10 draws_above "$before" || fail "the chain was broken after pathorama.exe left it"
}

# A damaged INI file (binary garbage around a few good lines, a group never
# closed) does not stop the start: what can be read is read, and the save at
# exit writes a sound UTF-8 file that keeps the entries it loaded.
scenario_damaged_ini() {
  # The same garbage every run: bytes from a seeded generator. Without zero
  # bytes: with them the file would rightly count as UTF-16.
  garbage() {
    LC_ALL=C awk -v seed="$1" 'BEGIN { srand(seed); for (i = 0; i < 300000; i++) printf "%c", 1 + int(rand() * 255) }'
  }
  {
    garbage 7
    # CR LF: a stray lead byte of the code page at the end of the garbage
    # may take the CR as its second byte; the LF still ends the line.
    printf '\r\n[PathMenu]\r\nmenu1=Kept\r\npath1=C:\\Kept\r\nmenu2=-Open group\r\nmenu3=Inner\r\npath3=D:\\Inner\r\n'
    garbage 11 | tr -d '\n\r[]='
  } >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  close_app
  check "the file is UTF-8 with byte-order mark after the save" starts_with_bom "$ini"
  check "the saved file is valid UTF-8" iconv -f UTF-8 -t UTF-8 "$ini" -o /dev/null
  local menu
  menu=$(ini_section PathMenu)
  check "the loaded entry survives the save" grep -qx 'menu1=Kept' <<<"$menu"
  check "its path survives the save" grep -qx 'path1=C:\\Kept' <<<"$menu"
  check "the entry of the unclosed group survives" grep -qx 'path3=D:\\Inner' <<<"$menu"
}

# The tray icon's menu ends the program with "退出程序(&E)", saving first.
scenario_tray_exit() {
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  rm -f "$ini"
  # Wine shows the icon in its own tray window at the top left of the screen.
  local xy
  xy=$(tray_icon_position) || { fail "tray icon not found on the screen"; return; }
  xdotool mousemove ${xy% *} ${xy#* } click 3
  sleep 1
  import -window root "$artifacts/tray_menu.png" 2>/dev/null
  xdotool key e
  wait_until 30 app_ended || fail "pathorama.exe still running after 退出程序(&E)"
  check "[Main] saved on exit from the tray" ini_has_section Main
}

# 退出程序 while dialogs are open: each closes as its 取消 would (the options'
# change is dropped, the add dialog adds nothing), then the program saves
# and ends.
scenario_exit_closes_open_dialogs() {
  printf '\xEF\xBB\xBF[PathMenu]\r\nmenu1=文档(&D)\r\npath1=C:\\users\r\n' >"$ini"
  add_start_explorer 'C:\e2e\资料\a.txt' || return
  add_open_from_selection || return
  local before
  before=$(ini_section Option)
  opt_open || { close_app; return; }
  opt_click 3100                     # 跟随鼠标
  import -window root "$artifacts/dialogs_open.png" 2>/dev/null
  probe close || fail "no main window to close"
  wait_until 30 app_ended || { fail "pathorama.exe still running 30 s after WM_CLOSE with dialogs open"; return; }
  expect_eq "[Option] after the exit" "$(ini_section Option)" "$before"
  expect_eq "[PathMenu] after the exit" "$(ini_section PathMenu)" \
    "$(printf '%s\n' 'menu1=文档(&D)' 'path1=C:\users')"
}

# A settings file that another program holds open at start-up cannot be
# read; the program runs with its defaults and never writes over the file,
# also not at exit after the other program has let go of it.
scenario_locked_ini() {
  trace_to_log
  printf '\xEF\xBB\xBF[Option]\r\nMainWindowAt=3\r\nAutoHideWhenScreenEdge=0\r\n[PathMenu]\r\nmenu1=Kept\r\npath1=C:\\Kept\r\n' >"$ini"
  cp "$ini" "$work/ini.before"
  (cd "$dir" && exec timeout 60 wine "$work/e2e_probe.exe" hold pathorama.ini 8) \
    >"$work/hold.out" 2>/dev/null </dev/null &
  local holder=$!
  wait_until 30 grep -q held "$work/hold.out" || { fail "could not hold the INI file"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_until 30 bash -c "! kill -0 $holder 2>/dev/null" || fail "the holder did not let go"
  sleep 1
  close_app
  check "the unreadable file was not overwritten" cmp -s "$ini" "$work/ini.before"
  check "the refused save is traced" grep -q 'settings not saved: .*pathorama.ini' "$work/trace.log"
  keep_trace
}

# Sends the program's trace lines (core::Trace) to $work/trace.log; they are
# copied to the artifacts by keep_trace.
trace_to_log() {
  : >"$work/trace.log"
  PATHORAMA_LOG=$(timeout 30 winepath -w "$work/trace.log" 2>/dev/null </dev/null | tr -d '\r')
  export PATHORAMA_LOG
}
keep_trace() { cp "$work/trace.log" "$artifacts/trace.log" 2>/dev/null; }

# A settings file in UTF-16LE without byte-order mark whose bytes all pass
# for UTF-8 (ASCII and characters such as 中学上下) is read as UTF-16 and
# rewritten as UTF-8 with byte-order mark; its options are in force and its
# jump list survives the start and the save at exit.
scenario_utf16le_no_mark_ini() {
  printf '[Option]\r\nMainWindowAt=3\r\nAutoHideWhenScreenEdge=0\r\n[PathMenu]\r\nmenu1=中学(&X)\r\npath1=C:\\上下\r\nmenu2=-Work\r\npath2=C:\\Work\r\nmenu3=Docs\r\npath3=D:\\Docs\r\nmenu4=--\r\n' |
    iconv -f UTF-8 -t UTF-16LE >"$ini"
  expect_eq "fixture starts without byte-order mark" \
    "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' \n')" 5b00
  check "every byte of the fixture is below 0x80" \
    bash -c "od -An -v -tu1 '$ini' | tr -s ' ' '\n' | awk '\$1 >= 128 { exit 1 }'"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  check "the INI file was rewritten as UTF-8 with byte-order mark" starts_with_bom "$ini"
  local want='menu1=中学(&X)
path1=C:\上下
menu2=-Work
path2=C:\Work
menu3=Docs
path3=D:\Docs
menu4=--'
  expect_eq "jump list after the conversion" "$(ini_section PathMenu)" "$want"
  # MainWindowAt=3 was read: top left corner.
  expect_eq "left of the main window" "$(window_field 2)" 0
  expect_eq "top of the main window" "$(window_field 3)" 0
  close_app
  expect_eq "jump list after the save at exit" "$(ini_section PathMenu)" "$want"
}

# A settings file that holds text but none of the program's sections (notes
# and another program's section) is not written over: before the first save
# it is renamed, byte for byte, to pathorama.ini.unreadable-<date>-<time>
# beside it, and the program writes a new pathorama.ini. The trace says so.
scenario_unrecognised_ini() {
  trace_to_log
  printf 'My folders:\r\nDocs = D:\\Docs\r\n[Window]\r\nLeft=10\r\n' >"$ini"
  cp "$ini" "$work/ini.before"
  kept_files() { find "$dir" -maxdepth 1 -name 'pathorama.ini.unreadable-*' | sort; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; keep_trace; return; }
  wait_first_activation
  local kept
  kept=$(kept_files)
  expect_eq "files kept aside" "$(grep -c . <<<"$kept")" 1
  check "the kept file holds the old content" cmp -s "$kept" "$work/ini.before"
  check "the kept file is named after the date and time" \
    bash -c "[[ '$(basename "$kept")' =~ ^pathorama\.ini\.unreadable-[0-9]{8}-[0-9]{6}$ ]]"
  check "the new file is UTF-8 with byte-order mark" starts_with_bom "$ini"
  check "the new file holds none of the old text" bash -c "! grep -q 'My folders' '$ini'"
  check "the trace names the kept file" grep -q 'kept aside as .*pathorama.ini.unreadable-' "$work/trace.log"
  close_app
  expect_eq "files kept aside after the exit" "$(kept_files)" "$kept"
  check "the kept file is unchanged after the exit" cmp -s "$kept" "$work/ini.before"
  check "[Main] saved at exit into the new file" ini_has_section Main
  keep_trace
}

# An ignore-list file that another program holds open at start-up cannot be
# read; the program keeps its built-in lines for the run and never writes
# them over the user's list, neither at first activation nor at exit.
scenario_locked_ignore_list() {
  trace_to_log
  local list=$dir/IgnoreAppName1.lst
  # No byte-order mark and LF line ends: any rewrite would show.
  printf 'Mine.exe\n// 我的程序\n' >"$list"
  cp "$list" "$work/list.before"
  (cd "$dir" && exec timeout 60 wine "$work/e2e_probe.exe" hold IgnoreAppName1.lst 20) \
    >"$work/hold.out" 2>/dev/null </dev/null &
  local holder=$!
  wait_until 30 grep -q held "$work/hold.out" || { fail "could not hold the list file"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; keep_trace; return; }
  wait_first_activation
  check "the list could not be read while it was held" \
    grep -q 'ignore list not read: .*IgnoreAppName1.lst' "$work/trace.log"
  check "the other lists were written" test -f "$dir/IgnoreWinClass1.lst"
  wait_until 40 bash -c "! kill -0 $holder 2>/dev/null" || fail "the holder did not let go"
  close_app
  check "the held list was not written over" cmp -s "$list" "$work/list.before"
  check "the refused save is traced" \
    grep -q 'ignore list not saved: .*IgnoreAppName1.lst' "$work/trace.log"
  keep_trace
}

# An ignore-list file saved in the system code page (GBK) keeps its Chinese
# comments: it is read in GBK and written back as UTF-8 with byte-order mark.
scenario_gbk_ignore_list() {
  local list=$dir/IgnoreWinClass1.lst
  printf 'XLMAIN        // 表格\r\nPPTFrameClass // 演示文稿\r\n' | iconv -f UTF-8 -t GBK >"$list"
  check "fixture is not UTF-8" bash -c "! iconv -f UTF-8 -t UTF-8 '$list' >/dev/null 2>&1"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  check "the list was rewritten as UTF-8 with byte-order mark" starts_with_bom "$list"
  expect_eq "the list after the rewrite" "$(sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$list")" \
    'XLMAIN        // 表格
PPTFrameClass // 演示文稿'
  close_app
}

# Another program took Ctrl+D before the start: the program starts all the
# same, takes its other hotkeys, and its trace names the shortcut and the
# system's refusal.
scenario_hotkey_taken() {
  (exec timeout 90 wine "$work/e2e_probe.exe" hold-hotkey 2 0x44 60) \
    >"$work/hold.out" 2>/dev/null </dev/null &
  launchers+=("$!")
  wait_until 30 grep -q held "$work/hold.out" || { fail "could not take Ctrl+D first"; return; }
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  check "the trace names Ctrl+D and the refusal (trace.log in the artifacts)" grep -q \
    'RegisterHotKey failed for Ctrl+D (GloabalHotKey_JumpMenu1, shortcut 0x4044): system error 1409' \
    "$trace"
  expect_eq "Ctrl+G for another program" "$(probe try-hotkey 2 0x47)" taken
  expect_eq "Ctrl+Q for another program" "$(probe try-hotkey 2 0x51)" taken
  close_app
}

# The jump list as a tray click shows it: a popup at the mouse with the
# entries and the function items; an entry chosen by its accelerator key is
# run: its folder opens in the built-in Explorer (Wine's window, ExplorerWClass).
scenario_tray_popup() {
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuUnderCursor=1\r\nJumpMenuUnderAddressBar=0\r\n' >"$ini"
  printf '%s\r\n' '[PathMenu]' \
    'menu1=文档(&D)' 'path1=C:\windows\system32\notepad.exe' \
    'menu2=-工作(&W)' \
    'menu3=报告' 'path3=C:\users' \
    'menu4=--' \
    'menu5=-' \
    'menu6=网址' 'path6=<Url>https://example.org/' >>"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local xy
  xy=$(tray_icon_position) || { fail "tray icon not found on the screen"; return; }
  xdotool mousemove ${xy% *} ${xy#* } click 1
  popup_shown() { [ -n "$(probe popups)" ]; }
  wait_until 20 popup_shown || { fail "no popup after a click on the tray icon"; return; }
  local left top right bottom
  read -r left top right bottom < <(probe popups | head -n 1)
  sleep 1
  import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
  convert "$artifacts/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$artifacts/tray_popup.png" 2>/dev/null || fail "crop failed"
  # Entries and function items: at least eight rows of the menu's item height.
  [ $((bottom - top)) -ge 120 ] || fail "popup only $((bottom - top)) pixels high"
  local colours
  colours=$(convert "$artifacts/tray_popup.png" -format %k info: 2>/dev/null || echo 0)
  [ "${colours:-0}" -ge 8 ] || fail "popup area has only ${colours:-0} colours"
  # The popup opened at the mouse (Wine may shift it to fit the screen).
  [ "$left" -le $((${xy% *} + 2)) ] && [ "$top" -le $((${xy#* } + 2)) ] ||
    fail "popup at $left,$top is not at the mouse (${xy})"
  # Over the popup, the accelerator of 文档(&D) chooses it.
  xdotool mousemove $((left + 30)) $((top + 8))
  sleep 0.5
  xdotool key d
  popup_gone() { [ -z "$(probe popups)" ]; }
  wait_until 20 popup_gone || fail "the popup did not close on its accelerator key"
  # The chosen entry runs once the menu has closed: the program starts.
  notepad_running() { [ "$(probe count-processes notepad.exe)" -ge 1 ] 2>/dev/null; }
  wait_until 20 notepad_running || fail "the chosen entry was not run"
  close_app
}

# A second start with /OpenJumpList pops the jump list up in the running
# instance; another request while it is open does not open a second one.
scenario_open_jump_list_command() {
  printf '\xEF\xBB\xBF[Option]\r\nJumpMenuAtCenter=1\r\nJumpMenuUnderAddressBar=0\r\n[PathMenu]\r\nmenu1=文档(&D)\r\npath1=C:\\windows\r\n' >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  expect_eq "exit code of a second start with /OpenJumpList" "$(run_app /OpenJumpList)" 0
  popup_shown() { [ -n "$(probe popups)" ]; }
  wait_until 20 popup_shown || { fail "no popup after /OpenJumpList"; return; }
  sleep 1
  import -window root "$artifacts/screen.png" 2>/dev/null || fail "screenshot failed"
  local left top right bottom
  read -r left top right bottom < <(probe popups | head -n 1)
  convert "$artifacts/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$artifacts/open_jump_list.png" 2>/dev/null || fail "crop failed"
  # At the centre of the screen (1280x1024), as the position option asks.
  local cx=$(((left + right) / 2)) cy=$(((top + bottom) / 2))
  [ "${cx#-}" -ge 540 ] && [ "$cx" -le 740 ] && [ "$cy" -ge 412 ] && [ "$cy" -le 612 ] ||
    fail "popup centred at $cx,$cy, not at the screen's centre"
  expect_eq "exit code of a start with /OpenJumpList while the popup is open" \
    "$(run_app /OpenJumpList)" 0
  sleep 1
  expect_eq "popup menus while one was asked for twice" "$(probe popups | wc -l)" 1
  check "the second request is traced as ignored" grep -q 'already open' "$trace"
  xdotool mousemove $((left + 20)) $((top + 8)) key Escape
  popup_gone() { [ -z "$(probe popups)" ]; }
  wait_until 20 popup_gone || fail "the popup did not close on Escape"
  kill -0 "$app_pid" 2>/dev/null || fail "the instance ended"
  close_app
  # A first start with /OpenJumpList pops the list up right after start-up.
  start_app /OpenJumpList
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_until 30 popup_shown || { fail "no popup after a first start with /OpenJumpList"; return; }
  read -r left top right bottom < <(probe popups | head -n 1)
  xdotool mousemove $((left + 20)) $((top + 8)) key Escape
  wait_until 20 popup_gone || fail "the popup did not close on Escape"
  close_app
}

# Screen-edge auto-hide: the main window dropped 3 px from the left edge
# docks with 2 px showing, the pointer on that strip reveals it and leaving
# docks it again; the right edge likewise. Switching auto-hide off brings a
# docked window back, and the choice survives a restart. 隐藏到屏幕外 parks
# the window above the screen, 居中显示主窗口 from the tray brings it to the
# centre and clears that check.
scenario_main_window_docking() {
  printf '\xEF\xBB\xBF[Option]\r\nMainWindowAt=7\r\n' >"$ini"
  start_app
  wait_until 30 window_exists || { fail "main window did not appear"; return; }
  wait_first_activation
  local left top right bottom width height screen
  screen=$(screen_width)
  read -r _ left top right bottom _ < <(window_line)
  width=$((right - left)) height=$((bottom - top))
  at_left() { [ "$(window_field 2)" = "$1" ]; }
  # Dragged by its caption until its left edge is 3 px from the screen's.
  xdotool mousemove $((left + 60)) $((top + 8)) mousedown 1
  sleep 0.3
  xdotool mousemove $((left + 60 - 20)) $((top + 8))
  sleep 0.3
  xdotool mousemove $((60 + 3)) $((top + 8))
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
  xdotool mousemove 640 700
  wait_until 10 at_left $((2 - width)) ||
    { fail "not docked at the left: left $(window_field 2), want $((2 - width))"; return; }
  import -window root "$artifacts/docked_left.png" 2>/dev/null
  xdotool mousemove 1 $((top + height / 2))
  wait_until 10 at_left 0 || fail "the pointer on the left strip did not reveal it: left $(window_field 2)"
  xdotool mousemove 640 700
  wait_until 10 at_left $((2 - width)) || fail "not docked again after the pointer left"

  # The right edge: revealed, dragged near it, docked with 2 px showing.
  xdotool mousemove 1 $((top + height / 2))
  wait_until 10 at_left 0 || { fail "not revealed for the drag to the right"; return; }
  xdotool mousemove 60 $((top + 8)) mousedown 1
  sleep 0.3
  xdotool mousemove 80 $((top + 8))
  sleep 0.3
  xdotool mousemove $((screen - width - 4 + 60)) $((top + 8))
  sleep 0.3
  xdotool mouseup 1
  sleep 0.3
  xdotool mousemove 640 700
  wait_until 10 at_left $((screen - 2)) ||
    { fail "not docked at the right: left $(window_field 2), want $((screen - 2))"; return; }
  xdotool mousemove $((screen - 1)) $((top + height / 2))
  wait_until 10 at_left $((screen - width)) || fail "the pointer on the right strip did not reveal it"
  xdotool mousemove 640 700
  wait_until 10 at_left $((screen - 2)) || fail "not docked again at the right"

  # Auto-hide off: back in view at once, and it stays off after a restart.
  probe menu-command 1004 || fail "no main window for 靠边时自动隐藏"
  wait_until 10 at_left $((screen - width)) || fail "switching auto-hide off left the window docked"

  # Parked above the screen, then centred from the tray menu.
  probe menu-command 1005 || fail "no main window for 隐藏到屏幕外"
  wait_until 10 bash -c "[ \"\$(timeout 30 wine '$work/e2e_probe.exe' window 2>/dev/null | cut -d' ' -f3)\" = -1000 ]" ||
    fail "隐藏到屏幕外 did not park the window: top $(window_field 3)"
  local xy
  xy=$(tray_icon_position) || { fail "tray icon not found on the screen"; return; }
  xdotool mousemove ${xy% *} ${xy#* } click 3
  sleep 1
  xdotool key m
  wait_until 10 at_left $(((screen - width) / 2)) || fail "居中显示主窗口 did not centre the window"
  close_app
  expect_eq "AutoHideWhenScreenEdge saved" "$(ini_section Option | grep '^AutoHideWhenScreenEdge=')" \
    AutoHideWhenScreenEdge=0

  # Restarted at the top left corner with auto-hide off: it stays there.
  sed -i 's/^MainWindowAt=.*/MainWindowAt=3\r/' "$ini"
  first_activation_again
  start_app
  wait_until 30 window_exists || { fail "main window did not appear after the restart"; return; }
  wait_first_activation
  xdotool mousemove 640 700
  sleep 1.5
  expect_eq "left at the top left corner without auto-hide" "$(window_field 2)" 0
  close_app
}
