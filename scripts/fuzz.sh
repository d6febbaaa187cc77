#!/usr/bin/env bash
# Builds the libFuzzer targets (build/fuzz: clang, RelWithDebInfo, ASan and
# UBSan) and runs each of them in turn, on one core, on a scratch copy of its
# seed corpus (fuzz/corpus/<target>) in build/fuzz/runs/<target>.
#
#   scripts/fuzz.sh [OPTIONS] [SECONDS] [TARGET...]
#
#   SECONDS       how long each target runs (default 60)
#   TARGET        settings_file, path_info, expansion, ignore_list, accelerator_keys,
#                 imports (default all)
#   --smoke       a few seconds each, as the test command runs them
#   --keep-going  do not stop a target at its first finding: collect them all
#                 (libFuzzer's fork mode, one worker)
#   --merge       afterwards, add the inputs that reach new code to the
#                 repository's seed corpus (never done otherwise)
#   --build-only  build the targets and run none
#
# Prints per target the executions, the time and what it found; exits
# non-zero when any target found anything.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

seconds=60
targets=()
extra=()
merge=0
build_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --smoke) seconds=5 ;;
    --keep-going) extra+=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1) ;;
    --merge) merge=1 ;;
    --build-only) build_only=1 ;;
    -h|--help) sed -n '2,19p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    [0-9]*) seconds=$1 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1") ;;
  esac
  shift
done
[ ${#targets[@]} -gt 0 ] || targets=(settings_file path_info expansion ignore_list accelerator_keys imports)

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
  echo "fuzz.sh: clang is missing; scripts/setup.sh installs it" >&2
  exit 2
fi

build=build/fuzz
mkdir -p "$build"
echo "== building the fuzz targets in $build"
if ! { cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
         -DPATHORAMA_FUZZ=ON >"$build/configure.log" 2>&1 &&
       cmake --build "$build" -j "${JOBS:-$(nproc)}" >"$build/build.log" 2>&1; }; then
  tail -n 40 "$build/configure.log" "$build/build.log"
  exit 2
fi
[ "$build_only" -eq 0 ] || exit 0

found=0
for target in "${targets[@]}"; do
  work="$build/runs/$target"
  bash fuzz/run_target.sh "$target" "$build/fuzz/fuzz_$target" "$seconds" "$work" "${extra[@]}" ||
    found=$((found + 1))
  if [ "$merge" -eq 1 ]; then
    before=$(find "fuzz/corpus/$target" -type f | wc -l)
    "$build/fuzz/fuzz_$target" -merge=1 -max_len=8192 "fuzz/corpus/$target" "$work/corpus" \
      >"$work/merge.log" 2>&1
    after=$(find "fuzz/corpus/$target" -type f | wc -l)
    echo "  merged: fuzz/corpus/$target $before -> $after inputs"
  fi
done

echo "fuzz: ${#targets[@]} targets, $found with findings"
[ "$found" -eq 0 ]
