#!/usr/bin/env bash
# run_target.sh NAME BINARY SECONDS WORKDIR [LIBFUZZER-FLAG...]
#
# Runs one fuzz target for SECONDS on a scratch copy of its seed corpus
# (fuzz/corpus/NAME) in WORKDIR, which is emptied first; the repository's
# corpus is never written. Prints one summary line: executions, time, and
# what was found. Exits non-zero when the target found anything (a crash, a
# broken invariant, a timeout, running out of memory) or could not run.
# Extra flags go to libFuzzer as they are (e.g. -fork=1 -ignore_crashes=1 to
# keep going after a finding, -seed=N to repeat a run).
set -uo pipefail

name=$1 binary=$2 seconds=$3 work=$4
shift 4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
seeds="$here/corpus/$name"

# Input sizes keep every run fast; a timeout is a finding in itself.
case "$name" in
  settings_file) flags=(-max_len=8192 -timeout=20) ;;
  path_info)     flags=(-max_len=1024 -timeout=20) ;;
  expansion)     flags=(-max_len=512 -timeout=20) ;;
  ignore_list)   flags=(-max_len=4096 -timeout=20) ;;
  accelerator_keys) flags=(-max_len=512 -timeout=20) ;;
  imports)       flags=(-max_len=4096 -timeout=20) ;;
  *) echo "$name: unknown fuzz target" >&2; exit 2 ;;
esac

[ -x "$binary" ] || { echo "$name: no binary at $binary" >&2; exit 2; }
[ -d "$seeds" ] || { echo "$name: no seed corpus at $seeds" >&2; exit 2; }
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$seeds"/* "$work/corpus/" 2>/dev/null || true
# A long run may go on from an earlier one's corpus (FUZZ_RESUME=DIR): its
# inputs are copied in too, so the work of earlier runs is not done again.
if [ -n "${FUZZ_RESUME:-}" ]; then
  [ -d "$FUZZ_RESUME" ] || { echo "$name: no corpus to resume at $FUZZ_RESUME" >&2; exit 2; }
  cp -n "$FUZZ_RESUME"/* "$work/corpus/" 2>/dev/null || true
fi
seedCount=$(find "$work/corpus" -type f | wc -l)

start=$(date +%s)
"$binary" "${flags[@]}" -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$@" "$work/corpus" >"$work/log" 2>&1
status=$?
elapsed=$(( $(date +%s) - start ))

# Executions: the final statistics, or (fork mode) the last status line.
runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$work/log" | tail -n 1)
[ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9][0-9]*\)[: ].*/\1/p' "$work/log" | tail -n 1)
[ -n "$runs" ] || runs="?"
seed=$(sed -n 's/^INFO: Seed: *\([0-9]*\).*/\1/p' "$work/log" | head -n 1)
corpusCount=$(find "$work/corpus" -type f | wc -l)
findings=$(find "$work/artifacts" -type f \( -name 'crash-*' -o -name 'timeout-*' -o -name 'oom-*' \
  -o -name 'leak-*' \) -printf '%f\n' | sort)

summary="$name: $runs runs in ${elapsed} s, corpus $seedCount -> $corpusCount inputs, seed ${seed:-?}"
if [ -z "$findings" ] && [ "$status" -eq 0 ]; then
  echo "$summary, findings: none"
  exit 0
fi
count=$(grep -c . <<<"$findings")
echo "$summary, findings: $count"
if [ -n "$findings" ]; then
  head -n 10 <<<"$findings" | sed "s|^|  $work/artifacts/|"
  [ "$count" -le 10 ] || echo "  ... and $((count - 10)) more"
  # What broke, per kind: each input (at most 50) run again on its own, as
  # the log of a forked run does not hold the workers' messages.
  echo "  what broke (inputs run again):"
  head -n 50 <<<"$findings" | while read -r f; do
    case "$f" in timeout-*) echo "timeout"; continue ;; esac
    timeout 60 "$binary" -timeout=20 "$work/artifacts/$f" 2>&1 |
      grep -m 1 -E '^(==== invariant broken:|SUMMARY:)' | sed -E 's/ \(.*BuildId.*\)//' | cut -c 1-140
  done | sort | uniq -c | sed 's/^/  /'
else
  echo "  libFuzzer exited with status $status and left no input"
fi
echo "  log: $work/log"
exit 1
