#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test layer:
#   1. native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer,
#      and a few seconds of each fuzz target (clang, libFuzzer);
#   2. the Windows build: the same unit tests, the Windows-side tests with real
#      windows and the end-to-end scenarios of pathorama.exe, all under Wine
#      and Xvfb.
# Ends with one line "N passed, N failed" over all layers; exits non-zero on
# any failure.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh || { echo "setup failed"; echo "0 passed, 1 failed"; exit 1; }

export WINEPREFIX="$root/build/wineprefix" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
jobs=$(nproc)
logs="$root/build/logs"
mkdir -p "$logs"
passed=0
failed=0

# count LOG: adds ctest's totals from LOG; a layer that never reached ctest's
# summary counts as one failure.
count() {
  local line
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  # Failed runs of tests that passed when run again count as passed, but
  # what they printed is shown all the same.
  ! grep -q -E '^[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*' "$1" || failure_output "$1"
}

# failure_output LOG: what each failed test printed (its start and end), so that a run
# whose log files are gone (a CI machine's) still shows why.
failure_output() {
  awk '
    function flush() {
      if (name != "") {
        print "---- " name
        # the first failures and the summary at the end
        for (i = 1; i <= n; i++)
          if (i <= 60 || i > n - 10) print lines[i]
          else if (i == 61) print "[...]"
      }
      name = ""; n = 0
    }
    /^ *Start [0-9]+: / || /^[0-9]+\/[0-9]+ Test +#/ || /tests passed, / { flush() }
    /^[0-9]+\/[0-9]+ Test +#[0-9]+: .*\*\*\*/ { name = $0; next }
    name != "" { lines[++n] = $0 }
    END { flush() }
  ' "$1"
}

# build NAME CMAKE-ARGS...: configures and builds one configuration.
build() {
  local name=$1; shift
  cmake -S . -B "build/$name" -G Ninja "$@" >"$logs/$name-configure.log" 2>&1 &&
    cmake --build "build/$name" -j "$jobs" >"$logs/$name-build.log" 2>&1
}

echo "== native build (ASan, UBSan)"
if build native -DPATHORAMA_SANITIZE=ON; then
  echo "== native tests"
  ctest --test-dir build/native -j "$jobs" --output-on-failure 2>&1 | tee "$logs/native-tests.log" |
    grep -E '(\*\*\*|Failed|tests passed|Not Run)' || true
  count "$logs/native-tests.log"
else
  tail -n 40 "$logs/native-build.log" "$logs/native-configure.log"
  failed=$((failed + 1))
fi

# The fuzz targets, natively with clang: each runs a few seconds over its
# seed corpus, one ctest test per target, counted with the native layer.
echo "== fuzz targets (clang, libFuzzer, ASan, UBSan)"
if build fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DPATHORAMA_FUZZ=ON; then
  echo "== fuzz smoke runs"
  ctest --test-dir build/fuzz --output-on-failure 2>&1 | tee "$logs/fuzz-tests.log" |
    grep -E '(\*\*\*|Failed|tests passed|Not Run|findings)' || true
  count "$logs/fuzz-tests.log"
else
  tail -n 40 "$logs/fuzz-build.log" "$logs/fuzz-configure.log"
  failed=$((failed + 1))
fi

echo "== Windows build (MinGW-w64)"
if build windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake; then
  # The release zip, whose program the scenario package_starts runs.
  echo "== release package"
  bash scripts/package.sh >"$logs/package.log" 2>&1 || tail -n 20 "$logs/package.log"
  echo "== Windows tests under Wine"
  # One Wine server and its background programs are started first, outside
  # ctest: a program ctest starts must not own them, or ctest would wait on
  # their inherited output pipes. A test with real windows that fails is run
  # once more: under Wine on a busy two-core machine a window or a message
  # may come later than any wait allows; the failed run is still printed.
  timeout 3000 xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wineserver -p >/dev/null 2>&1 </dev/null
    timeout 120 wine cmd /c exit >/dev/null 2>&1 </dev/null
    ctest --test-dir build/windows --output-on-failure --repeat until-pass:2
    wineserver -k' 2>&1 | tee "$logs/windows-tests.log" |
    grep -E '(\*\*\*|Failed|tests passed|Not Run)' || true
  count "$logs/windows-tests.log"
else
  tail -n 40 "$logs/windows-build.log" "$logs/windows-configure.log"
  failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
