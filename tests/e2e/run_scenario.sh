#!/usr/bin/env bash
# Runs one end-to-end scenario of pathorama.exe under Wine.
# usage: run_scenario.sh NAME PATHORAMA_EXE PROBE_EXE BASE_PREFIX ARTIFACTS_DIR
#
# Every scenario gets a scratch folder (the program keeps its INI and .lst
# files beside the executable) and a scratch Wine prefix with its own Wine
# server, so registry checks are isolated and nothing leaks between
# scenarios. pathorama.exe traces into trace.log there (PATHORAMA_LOG); the
# trace is kept with the artifacts and printed when a scenario fails. The
# Wine server is started with its output sent away from the caller's pipes
# (ctest waits on inherited pipes) and killed at the end. Every wait is
# bounded.
set -u
if [ $# -ne 5 ]; then echo "usage: $0 NAME PATHORAMA_EXE PROBE_EXE BASE_PREFIX ARTIFACTS_DIR" >&2; exit 2; fi
# A display of its own: another Wine on a shared display takes part in the X
# clipboard and shows its windows on the screenshots.
if [ -z "${PATHORAMA_E2E_DISPLAY:-}" ]; then
  export PATHORAMA_E2E_DISPLAY=1
  exec timeout "${PATHORAMA_E2E_TIMEOUT:-170}" xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
scenario=$1 app_exe=$2 probe_exe=$3 base_prefix=${WINEPREFIX:-$4} artifacts=$5/$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Beside the artifacts, in the build tree: usually the file system of the
# base prefix, so its system files can be hard-linked.
mkdir -p "$5"
work=$(mktemp -d "$(cd "$5" && pwd)/work.XXXXXX")
dir=$work/app            # the folder pathorama.exe runs from
ini=$dir/pathorama.ini
trace=$work/trace.log    # what pathorama.exe traces (PATHORAMA_LOG)
mkdir -p "$dir" "$artifacts"
rm -f "$artifacts"/*
cp "$app_exe" "$dir/pathorama.exe"
cp "$probe_exe" "$work/e2e_probe.exe"
# The stand-ins for outside programs (tests/standins), for scenarios that
# need them: PATHORAMA_E2E_STANDINS, else beside the probe's build folder.
standins=${PATHORAMA_E2E_STANDINS:-$(cd "$(dirname "$probe_exe")/../standins/bin" 2>/dev/null && pwd)}

# Scratch prefix: registry files and user folders copied; the system files of
# drive_c/windows, which Wine only reads, hard-linked to save time and space.
export WINEPREFIX=$work/prefix
mkdir -p "$WINEPREFIX/drive_c"
cp -a "$base_prefix"/*.reg "$base_prefix"/.update-timestamp "$base_prefix/dosdevices" "$WINEPREFIX/"
for entry in "$base_prefix"/drive_c/*; do
  if [ "$(basename "$entry")" = windows ]; then
    # Another file system: no hard links, a plain copy (never over links).
    cp -al "$entry" "$WINEPREFIX/drive_c/" 2>/dev/null ||
      { rm -rf "$WINEPREFIX/drive_c/windows"; cp -a "$entry" "$WINEPREFIX/drive_c/"; }
  else
    cp -a "$entry" "$WINEPREFIX/drive_c/"
  fi
done

failures=0
launchers=()

cleanup() {
  local rc=$?
  timeout 20 wineserver -k >/dev/null 2>&1 </dev/null
  timeout 20 wineserver -w >/dev/null 2>&1 </dev/null
  for pid in "${launchers[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ -f "$ini" ] && cp "$ini" "$artifacts/pathorama.ini"
  [ -f "$work/app.log" ] && cp "$work/app.log" "$artifacts/app.log"
  [ -f "$trace" ] && cp "$trace" "$artifacts/trace.log"
  rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT

timeout 30 wineserver -p >/dev/null 2>&1 </dev/null
timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null

# pathorama.exe names its trace file by the Windows path.
trace_win=$(timeout 30 winepath -w "$trace" 2>/dev/null </dev/null | tr -d '\r')

fail() {
  echo "FAIL [$scenario]: $*"
  failures=$((failures + 1))
}

# check DESCRIPTION COMMAND...: a failed command is a failed check.
check() {
  local what=$1; shift
  if ! "$@"; then fail "$what"; fi
}

# expect_eq DESCRIPTION GOT WANT
expect_eq() {
  if [ "$2" != "$3" ]; then fail "$1: got '$2', want '$3'"; fi
}

# wait_until SECONDS COMMAND...: polls every 0.2 s.
wait_until() {
  local deadline=$((SECONDS + $1)); shift
  while ! "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.2
  done
}

# Starts pathorama.exe in the background with ARGS; its launcher's pid is
# appended to `launchers` and kept in `app_pid`.
start_app() {
  (cd "$dir" && PATHORAMA_LOG=$trace_win exec timeout "${PATHORAMA_E2E_TIMEOUT:-170}" wine "$dir/pathorama.exe" "$@") \
    >>"$work/app.log" 2>&1 </dev/null &
  app_pid=$!
  launchers+=("$app_pid")
}

# As start_app, but the start waits (at most 20 s) for the file $work/go.
start_app_at_barrier() {
  (cd "$dir" && timeout 20 bash -c "until [ -e '$work/go' ]; do sleep 0.01; done" &&
    PATHORAMA_LOG=$trace_win exec timeout "${PATHORAMA_E2E_TIMEOUT:-170}" wine "$dir/pathorama.exe" "$@") \
    >>"$work/app.log" 2>&1 </dev/null &
  app_pid=$!
  launchers+=("$app_pid")
}

# Runs a start to its end; prints its exit code.
run_app() {
  (cd "$dir" && PATHORAMA_LOG=$trace_win timeout 60 wine "$dir/pathorama.exe" "$@") \
    >>"$work/app.log" 2>&1 </dev/null
  echo $?
}

probe() {
  timeout 30 wine "$work/e2e_probe.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

window_exists() { probe window >/dev/null; }
window_gone() { ! probe window >/dev/null; }
app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
# Field of `probe window`: 1 hwnd, 2 left, 3 top, 4 right, 5 bottom, 6 visibility, 7.. caption.
# `probe window`; a probe start that Wine fails now and then is tried again.
window_line() {
  local out="" attempt
  for attempt in 1 2 3 4 5; do
    out=$(probe window) && [ -n "$out" ] && break
    sleep 0.5
  done
  printf '%s\n' "$out"
}
window_field() { window_line | cut -d' ' -f"$1"; }

ini_has_section() { [ -f "$ini" ] && sed '1s/^\xEF\xBB\xBF//' "$ini" | grep -q "^\[$1\]"; }
# The lines of one section of the INI file (without the header and blank lines).
ini_section() {
  sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$ini" |
    awk -v s="[$1]" '/^\[/ { inside = ($0 == s); next } inside && NF'
}
screen_width() { import -window root png:- 2>/dev/null | identify -format %w - 2>/dev/null; }
# "X Y" of the centre of the program's tray icon: the first run of its blue
# in the top left corner of the screen.
tray_icon_position() {
  import -window root png:- 2>/dev/null | convert - -crop 200x60+0+0 txt:- 2>/dev/null |
    awk -F'[,: ]+' '/#206EC8/ { n++; x += $1; y += $2 } END { if (n < 20) exit 1; printf "%d %d\n", x / n, y / n }'
}
# The Linux pid of this scenario's Wine process of PROGRAM (an .exe name),
# told apart from other scenarios' by its prefix.
wine_pid() {
  local pid
  for pid in $(pgrep -x "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "$pid"
    return 0
  done
  return 1
}
starts_with_bom() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' \n')" = efbbbf ]; }

# The first activation ends with the apply step's save of [Option]; the
# fixtures never hold AutoRunWhenSystemStart, so its presence marks the save.
option_saved() { [ -f "$ini" ] && ini_section Option | grep -q '^AutoRunWhenSystemStart='; }
wait_first_activation() {
  wait_until 40 option_saved || fail "no [Option] written at first activation"
}
# Before a second start in one scenario: its first activation is seen anew.
first_activation_again() { [ ! -f "$ini" ] || sed -i '/^AutoRunWhenSystemStart=/d' "$ini"; }

# set_screen_scaling PERCENT: the scaling of the screen (Wine's LogPixels)
# for the programs started from now on. The scenario's Wine server is
# restarted around the change (detached, as at the start) so that the next
# start reads it.
restart_wine() {
  timeout 20 wineserver -k >/dev/null 2>&1 </dev/null
  timeout 20 wineserver -w >/dev/null 2>&1 </dev/null
  timeout 30 wineserver -p >/dev/null 2>&1 </dev/null
  timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null
}
set_screen_scaling() {
  local dpi=$(($1 * 96 / 100)) key
  restart_wine
  for key in 'HKCU\Control Panel\Desktop' \
             'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    timeout 60 wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 </dev/null ||
      fail "could not set LogPixels under $key"
  done
  restart_wine
}

# check_scaled_by_half WHAT AT100 AT150: the window WHAT, found by
# `probe find-window` at 100 % (AT100) and at 150 % (AT150), is about 1.5
# times as wide and as high, give or take the frame, which scales less.
check_scaled_by_half() {
  local l t r b w100 h100 w150 h150
  read -r _ _ l t r b <<<"$2"
  w100=$((r - l)) h100=$((b - t))
  read -r _ _ l t r b <<<"$3"
  w150=$((r - l)) h150=$((b - t))
  check "$1's width at 150 % ($w150) is about 1.5 times its width at 100 % ($w100)" \
    [ $((w150 * 100)) -ge $((w100 * 135)) -a $((w150 * 100)) -le $((w100 * 160)) ]
  check "$1's height at 150 % ($h150) is about 1.5 times its height at 100 % ($h100)" \
    [ $((h150 * 100)) -ge $((h100 * 135)) -a $((h150 * 100)) -le $((h100 * 160)) ]
}

# Closes the main window and waits for the program to end.
close_app() {
  probe close || fail "no main window to close"
  wait_until 30 app_ended || fail "pathorama.exe still running 30 s after WM_CLOSE"
}

# PATHORAMA_E2E_EXTRA: scenario files that are no tests (the benchmarks, which
# may also need more than PATHORAMA_E2E_TIMEOUT, 170 s by default).
for file in "$here"/scenarios*.sh ${PATHORAMA_E2E_EXTRA:-}; do . "$file"; done

if ! declare -F "scenario_$scenario" >/dev/null; then
  echo "unknown scenario $scenario" >&2
  exit 2
fi
"scenario_$scenario"
if [ "$failures" -ne 0 ]; then
  echo "$scenario: $failures check(s) failed; artifacts in $artifacts"
  if [ -s "$trace" ]; then
    echo "--- trace of pathorama.exe:"
    cat "$trace"
  fi
  exit 1
fi
echo "$scenario: passed"
exit 0
