#!/usr/bin/env bash
# Runs the real pathorama-cli (optionally through an emulator such as wine)
# and checks exit codes and exact UTF-8 output.
# usage: cli_process_test.sh [EMULATOR] CLI
set -u
cli=("$@")
export WINEDEBUG=-all
failures=0

# expect CODE EXPECTED_STDOUT ARGS...: stdout compared byte for byte with
# EXPECTED_STDOUT plus the LF that ends every line (nothing when empty).
expect() {
  local code=$1 want=$2; shift 2
  [ -n "$want" ] && want+=$'\n'
  local got rc
  got=$(timeout 60 "${cli[@]}" "$@" 2>/tmp/cli_err.$$; echo "rc=$?")
  rc=${got##*rc=}; got=${got%rc=*}
  if [ "$rc" != "$code" ] || [ "$got" != "$want" ]; then
    printf 'FAIL: %s\n  exit %s (want %s)\n  got:  %q\n  want: %q\n' "$*" "$rc" "$code" "$got" "$want"
    failures=$((failures + 1))
  fi
}

# Usage errors: exit 2, a one-line error and the usage on stderr, nothing on stdout.
expect 2 "" 
expect 2 "" no-such-command
grep -q '^usage:' /tmp/cli_err.$$ || { echo "FAIL: usage missing on stderr"; failures=$((failures + 1)); }
expect 0 "$(timeout 60 "${cli[@]}" --help)" --help
timeout 60 "${cli[@]}" --help | grep -q 'pathorama-cli' || { echo "FAIL: --help"; failures=$((failures + 1)); }

for case in "$(dirname "$0")"/cases/*.sh; do
  [ -f "$case" ] && . "$case"
done

rm -f /tmp/cli_err.$$
if [ "$failures" -ne 0 ]; then echo "$failures cli case(s) failed"; exit 1; fi
echo "cli cases passed"
