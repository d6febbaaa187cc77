#!/usr/bin/env bash
# Hotkey to visible popup under Wine: Ctrl+D over the Total Commander
# stand-in with a 1,000-entry jump list, twenty presses, then the same with
# 20 MB of text on the clipboard (the folder is read through the clipboard,
# which is saved and put back around it). Prints median and worst of each.
# usage: scripts/bench_hotkey_popup.sh [BUILD_DIR]   (default build/windows)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export PATHORAMA_E2E_TIMEOUT=600
export PATHORAMA_E2E_EXTRA=$root/tests/e2e/bench_hotkeys.sh
artifacts=$build/tests/e2e/bench-artifacts
bash "$root/tests/e2e/run_scenario.sh" bench_hotkey_popup "$build/src/app/win32/pathorama.exe" \
  "$build/tests/e2e/e2e_probe.exe" "$WINEPREFIX" "$artifacts"
cat "$artifacts/bench_hotkey_popup/bench.txt"
