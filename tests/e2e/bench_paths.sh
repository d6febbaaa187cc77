# Measurements of the paths a user waits for, under Wine, each next to its
# floor; run through run_scenario.sh by scripts/bench_hot_paths.sh (not a
# test: it checks nothing but that it could measure). Figures go to
# bench.txt as "what: median M ms (floor F ms, ratio R)".

# The median of the numbers on standard input.
bp_median() {
  sort -n | awk '{ t[NR] = $1 } END { if (!NR) exit 1; m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.1f", m }'
}
bp_report() { printf '%s\n' "$1" | tee -a "$artifacts/bench.txt"; }
bp_ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else printf "-" }'; }

# bp_ini ENTRIES: [Option] for the measurements and a jump list of ENTRIES
# entries in groups of ten; every tenth entry carries the variables mark and
# {YYYY}; the first entry is "用户(&U)" = C:\users.
bp_ini() {
  local entries=$1 logger=$2 n g
  {
    printf '\xEF\xBB\xBF[Option]\r\nShowMsgWhenIgnoreGlobalHotKey=0\r\nFolderManagerName=1\r\n'
    printf 'FolderManagerPath_1=%s\r\nFolderManagerParam_1=/O /S /L=%%1\r\n[PathMenu]\r\n' "$logger"
    printf 'menu1=用户(&U)\r\npath1=C:\\users\r\n'
    n=2
    for ((g = 0; g < entries / 10; g++)); do
      printf 'menu%d=-分组 %d\r\n' "$n" "$g"; n=$((n + 1))
      local e
      for ((e = 0; e < 10; e++)); do
        if ((e == 0)); then
          printf 'menu%d=条目 %d-%d\r\npath%d=*D:\\日志\\{YYYY}\\%d\r\n' "$n" "$g" "$e" "$n" "$n"
        else
          printf 'menu%d=条目 %d-%d\r\npath%d=D:\\资料\\%d\\%d\r\n' "$n" "$g" "$e" "$n" "$g" "$e"
        fi
        n=$((n + 1))
      done
      printf 'menu%d=--\r\n' "$n"; n=$((n + 1))
    done
  } >"$ini"
}

# The anonymous resident memory (RssAnon, kB) of this run's Wine process of
# PROGRAM.
bp_rss_anon() {
  local pid
  pid=$(wine_pid "$1") && awk '/^RssAnon:/ { print $2; exit }' "/proc/$pid/status"
}

# COUNT starts of pathorama.exe, each timed from the start to its tray icon
# (its trace says when), next to COUNT starts of tray_floor.exe.
bp_start_to_tray() {
  local count=$1 i stamp line traced times=() floors=()
  local floor_exe floor_file
  floor_exe=$(timeout 30 winepath -w "$(dirname "$probe_exe")/tray_floor.exe" | tr -d '\r')
  floor_file=$(timeout 30 winepath -w "$work/floor.txt" | tr -d '\r')
  for ((i = 0; i < count; i++)); do
    : >"$trace"
    first_activation_again
    stamp=$(probe start-stamped \
      "$(timeout 30 winepath -w "$dir/pathorama.exe" | tr -d '\r')") ||
      { fail "could not start pathorama.exe"; return; }
    wait_until 30 grep -q 'tray icon added' "$trace" || { fail "no tray icon traced"; return; }
    line=$(grep -m1 'tray icon added' "$trace")
    # The trace's local time, as milliseconds since 1601 like the stamp.
    traced=$(($(date -d "$(cut -c1-23 <<<"$line")" +%s%3N) + 11644473600000))
    times+=($((traced - stamp)))
    # Started by the probe, not by start_app: waited for by its process.
    wait_first_activation
    probe close || fail "no main window to close"
    bp_ended() { ! pgrep -x pathorama.exe >/dev/null; }
    wait_until 30 bp_ended || { fail "pathorama.exe did not end"; return; }
    # Wine's tray makes the next icon wait about 1.8 s when one was just
    # removed; past that, each start is timed on its own.
    sleep 3
  done
  # The floor, from the same kind of start.
  for ((i = 0; i < count; i++)); do
    rm -f "$work/floor.txt"
    stamp=$(probe start-stamped "$floor_exe" "$floor_file") || continue
    bp_floor_done() { [ -s "$work/floor.txt" ]; }
    wait_until 30 bp_floor_done || continue
    floors+=($(($(tr -d '\r\n' <"$work/floor.txt") - stamp)))
    sleep 3
  done
  local median floor
  median=$(printf '%s\n' "${times[@]}" | bp_median)
  floor=$(printf '%s\n' "${floors[@]}" | bp_median)
  bp_report "start to tray icon: median $median ms (floor: an empty program's start to its tray icon $floor ms, ratio $(bp_ratio "$median" "$floor")); each: ${times[*]} ms, floors: ${floors[*]} ms"
}

# COUNT presses of Ctrl+D over Total Commander, each timed from the injected
# keys to the shown popup; its floor, TrackPopupMenu of a prepared menu of
# the same shape (GROUPS submenus of ten, and one entry).
bp_hotkey_to_popup() {
  local label=$1 count=$2 groups=$3 i ms times=() floors=()
  for ((i = 0; i < count; i++)); do
    hk_front TTOTAL_CMD || { fail "$label: Total Commander not in front"; return; }
    ms=$(probe time-popup 2 0x44 30) || { fail "$label: no popup within 30 s"; return; }
    times+=("$ms")
    probe press 0 0x1B
    wait_until 20 hk_popup_gone || { fail "$label: the popup did not close"; return; }
    sleep 0.7  # past the debounce
    floors+=("$(probe time-menu "$groups" 10)")
  done
  local median floor
  median=$(printf '%s\n' "${times[@]}" | bp_median)
  floor=$(printf '%s\n' "${floors[@]}" | bp_median)
  bp_report "hotkey to visible popup, $label: median $median ms (floor: TrackPopupMenu of the prepared menu $floor ms, ratio $(bp_ratio "$median" "$floor"))"
}

# COUNT times: the popup over Total Commander, the first entry chosen by its
# key; timed from the key to the creation of the manager's process (the
# start logger as Total Commander). Its floor: the same program started
# directly.
bp_entry_to_start() {
  local count=$1 logger_exe=$2 i stamp created times=() floors=() before left top
  for ((i = 0; i < count; i++)); do
    hk_front TTOTAL_CMD || { fail "entry to start: Total Commander not in front"; return; }
    probe press 2 0x44
    wait_until 30 hk_popup_shown || { fail "entry to start: no popup"; return; }
    read -r left top _ _ < <(probe popups | head -n 1)
    xdotool mousemove $((left + 30)) $((top + 8))
    sleep 0.5
    before=$(grep -c 'StartLogger.exe: created' "$work/standin.log")
    stamp=$(probe press-stamped 0 0x55) || { fail "entry to start: could not press U"; return; }
    bp_started() { [ "$(grep -c 'StartLogger.exe: created' "$work/standin.log")" -gt "$before" ]; }
    wait_until 20 bp_started || { fail "entry to start: the manager was not started"; return; }
    created=$(grep 'StartLogger.exe: created' "$work/standin.log" | tail -n 1 | awk '{ print $3 }')
    times+=($((created - stamp)))
    sleep 0.7
    before=$(grep -c 'StartLogger.exe: created' "$work/standin.log")
    stamp=$(probe start-stamped "$logger_exe" /O /S /L=C:\\users\\) || continue
    wait_until 20 bp_started || continue
    created=$(grep 'StartLogger.exe: created' "$work/standin.log" | tail -n 1 | awk '{ print $3 }')
    floors+=($((created - stamp)))
  done
  local median floor
  median=$(printf '%s\n' "${times[@]}" | bp_median)
  floor=$(printf '%s\n' "${floors[@]}" | bp_median)
  bp_report "entry chosen to file-manager start: median $median ms (floor: the same program started directly $floor ms, ratio $(bp_ratio "$median" "$floor"))"
}

scenario_bench_hot_paths() {
  trace_to_log
  hk_logs
  : >"$artifacts/bench.txt"
  : >"$dir/IgnoreWinClass1.lst"
  local logger
  logger=$(hk_win "$(hk_standins)/StartLogger.exe")
  bp_ini 1000 "$logger"
  hk_start_standin Totalcmd.exe '--left=C:\windows' '--right=C:\users'
  hk_front TTOTAL_CMD || { fail "the Total Commander stand-in did not come up"; return; }

  # The first start writes the settings; then the starts are timed.
  start_app
  wait_first_activation
  close_app
  bp_start_to_tray 5

  start_app
  wait_until 60 window_exists || { fail "main window did not appear"; return; }
  sleep 3
  bp_report "anonymous resident memory, idle before any popup with 1,000 entries: $(bp_rss_anon pathorama.exe) kB"
  bp_hotkey_to_popup "1,000 entries (10 % with variables)" 10 100
  # Memory of the resident program, idle after the popups, and its floor.
  sleep 2
  local rss floor_rss floor_exe
  rss=$(bp_rss_anon pathorama.exe)
  floor_exe=$(timeout 30 winepath -w "$(dirname "$probe_exe")/tray_floor.exe" | tr -d '\r')
  (timeout 60 wine "$floor_exe" "$(timeout 30 winepath -w "$work/floor-stay.txt" | tr -d '\r')" 8 \
    >/dev/null 2>&1 </dev/null &)
  sleep 4
  floor_rss=$(bp_rss_anon tray_floor.exe)
  bp_report "anonymous resident memory, idle after the popups with 1,000 entries: ${rss:-?} kB (floor: an empty program with a tray icon ${floor_rss:-?} kB, ratio $(bp_ratio "${rss:-0}" "${floor_rss:-0}"))"
  bp_entry_to_start 10 "$logger"
  close_app

  bp_ini 10000 "$logger"
  start_app
  wait_first_activation
  bp_hotkey_to_popup "10,000 entries (10 % with variables)" 10 1000
  close_app
}
