#!/usr/bin/env bash
# The paths a user waits for, under Wine, each next to its floor: start to
# tray icon, hotkey to visible popup (1,000 and 10,000 entries, a tenth with
# variables), entry chosen to file-manager start, and the idle program's
# anonymous resident memory. Prints the figures.
# usage: scripts/bench_hot_paths.sh [BUILD_DIR]   (default build/windows)
exec bash "$(dirname "$0")/bench_scenario.sh" bench_hot_paths bench_paths.sh "$@"
