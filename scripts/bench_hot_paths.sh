#!/usr/bin/env bash
# The paths a user waits for, under Wine, each next to its floor: start to
# tray icon, hotkey to visible popup (1,000 and 10,000 entries, a tenth with
# variables), entry chosen to file-manager start, and the idle program's
# anonymous resident memory. Prints the figures. The program measured is the
# release's (build/release-win, as scripts/package.sh makes it) when it is
# there: a debug build carries tens of megabytes of debug sections and runs slower;
# the probe and the stand-ins come from BUILD_DIR.
# usage: scripts/bench_hot_paths.sh [BUILD_DIR]   (default build/windows)
root=$(cd "$(dirname "$0")/.." && pwd)
release=$root/build/release-win/src/app/win32/pathorama.exe
[ -f "$release" ] && export PATHORAMA_BENCH_PROGRAM=${PATHORAMA_BENCH_PROGRAM:-$release}
exec bash "$(dirname "$0")/bench_scenario.sh" bench_hot_paths bench_paths.sh "$@"
