#!/usr/bin/env bash
# A long fuzzing campaign, carried on over several sittings: ten million
# executions of a slow target take many hours of a core. Each call runs the
# targets side by side at the lowest priority (so other work on the machine
# goes first), each going on from the corpus the earlier calls left in
# build/fuzz/campaign/<target>, for at most SECONDS or until the target's
# total reaches the goal. Afterwards the run's inputs join that corpus and a
# line per target joins the ledger fuzz/campaign.tsv, which is kept in the
# repository (the corpus is not: it only saves the fuzzer some work).
#
#   scripts/fuzz_campaign.sh SECONDS [TARGET...]   (default: every target short of the goal)
#   scripts/fuzz_campaign.sh --totals              what the ledger adds up to
#
# The targets are built first in build/fuzz (scripts/fuzz.sh --build-only).
# A finding stops that target's run; its input stays in
# build/fuzz/long/<target>/artifacts and the summary says what broke.
# Exits non-zero when any run found anything or could not run.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

goal=10000000
campaign=build/fuzz/campaign
ledger=fuzz/campaign.tsv
all=(settings_file path_info expansion ignore_list accelerator_keys imports)

# Executions so far of TARGET (the ledger's third column).
total_of() {
  [ -f "$ledger" ] || { echo 0; return; }
  awk -F'\t' -v t="$1" '$2 == t { n += $3 } END { print n + 0 }' "$ledger"
}

print_totals() {
  local target
  for target in "${all[@]}"; do
    [ -f "$ledger" ] && grep -q "	$target	" "$ledger" || continue
    awk -F'\t' -v t="$target" '$2 == t { n += $3; s += $4; f += $5; r++ }
      END { printf "%s: %d executions in %d s over %d runs, findings: %d\n", t, n, s, r, f }' "$ledger"
  done
}

case "${1:-}" in
  --totals) print_totals; exit 0 ;;
  ''|-h|--help) sed -n '2,17p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
esac
seconds=$1
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for target in "${all[@]}"; do
    [ "$(total_of "$target")" -lt "$goal" ] && targets+=("$target")
  done
fi
[ ${#targets[@]} -gt 0 ] || { echo "fuzz_campaign: every target has its $goal executions"; exit 0; }

bash scripts/fuzz.sh --build-only || exit 2
mkdir -p "$campaign" build/fuzz/long
[ -f "$ledger" ] || printf '# finished (UTC)\ttarget\texecutions\tseconds\tfindings\tcommit\n' >"$ledger"
commit=$(git rev-parse --short HEAD 2>/dev/null || echo '?')

for target in "${targets[@]}"; do
  left=$(( goal - $(total_of "$target") ))
  [ "$left" -gt 0 ] || continue
  mkdir -p "$campaign/$target"
  FUZZ_RESUME=$campaign/$target nice -n 19 bash fuzz/run_target.sh "$target" \
    "build/fuzz/fuzz/fuzz_$target" "$seconds" "build/fuzz/long/$target" -runs="$left" \
    >"build/fuzz/long/$target.summary" 2>&1 &
done
wait

found=0
for target in "${targets[@]}"; do
  summary=build/fuzz/long/$target.summary
  [ -f "$summary" ] || { echo "$target: did not run"; found=$((found + 1)); continue; }
  cat "$summary"
  line=$(head -n 1 "$summary")
  runs=$(sed -n 's/^[a-z_]*: \([0-9]*\) runs in \([0-9]*\) s.*/\1/p' <<<"$line")
  took=$(sed -n 's/^[a-z_]*: \([0-9]*\) runs in \([0-9]*\) s.*/\2/p' <<<"$line")
  findings=$(sed -n 's/.*findings: \([0-9]*\)$/\1/p' <<<"$line")
  [ -n "$findings" ] || findings=0
  [ "$findings" -eq 0 ] || found=$((found + 1))
  # The run did not start: nothing to count, and the call must not pass.
  [ -n "$runs" ] || { found=$((found + 1)); continue; }
  cp -n "build/fuzz/long/$target/corpus/"* "$campaign/$target/" 2>/dev/null
  printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%Y-%m-%dT%H:%MZ)" "$target" "$runs" "$took" \
    "$findings" "$commit" >>"$ledger"
done
echo "== so far"
print_totals
[ "$found" -eq 0 ]
