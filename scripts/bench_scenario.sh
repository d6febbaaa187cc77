#!/usr/bin/env bash
# Runs one measuring scenario under Wine through the end-to-end runner and
# prints what it measured.
# usage: scripts/bench_scenario.sh SCENARIO SCENARIO_FILE [BUILD_DIR]   (default build/windows)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
scenario=$1
build=$(cd "${3:-$root/build/windows}" && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export PATHORAMA_E2E_TIMEOUT=600
export PATHORAMA_E2E_EXTRA=$root/tests/e2e/$2
artifacts=$build/tests/e2e/bench-artifacts
# PATHORAMA_BENCH_PROGRAM: another pathorama.exe to measure (the release's).
bash "$root/tests/e2e/run_scenario.sh" "$scenario" \
  "${PATHORAMA_BENCH_PROGRAM:-$build/src/app/win32/pathorama.exe}" \
  "$build/tests/e2e/e2e_probe.exe" "$WINEPREFIX" "$artifacts"
cat "$artifacts/$scenario/bench.txt"
