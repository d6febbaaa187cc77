#!/usr/bin/env bash
# The jump list editor opened five times on the 10,000-entry list under
# Wine; the program traces how long each opening took (building the tree,
# filling the tree view, showing the window). Prints median and worst.
# usage: scripts/bench_editor_open.sh [BUILD_DIR]   (default build/windows)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export PATHORAMA_E2E_TIMEOUT=600
export PATHORAMA_E2E_EXTRA=$root/tests/e2e/bench_editor.sh
artifacts=$build/tests/e2e/bench-artifacts
bash "$root/tests/e2e/run_scenario.sh" bench_editor_open "$build/src/app/win32/pathorama.exe" \
  "$build/tests/e2e/e2e_probe.exe" "$WINEPREFIX" "$artifacts"
cat "$artifacts/bench_editor_open/bench.txt"
