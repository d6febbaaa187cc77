# pathorama-cli windows (Windows build only; the stand-in scenarios are in
# tests/win32/windows_integration_test.cpp): a wrong call is a usage error,
# and a plain call lists only well-formed manager and dialog lines.
if [ "${#cli[@]}" -gt 1 ]; then
  expect 2 "" windows extra
  grep -q 'windows: takes no arguments' /tmp/cli_err.$$ ||
    { echo "FAIL: windows usage message"; failures=$((failures + 1)); }
  listing=$(timeout 60 "${cli[@]}" windows; echo "rc=$?")
  rc=${listing##*rc=}; listing=${listing%rc=*}
  [ "$rc" = 0 ] || { echo "FAIL: windows exit $rc"; failures=$((failures + 1)); }
  while IFS= read -r line; do
    [ -z "$line" ] && continue
    printf '%s\n' "$line" | grep -qP '^((Explorer|TotalCommander|DirectoryOpus|XYplorer|Xplorer2|FreeCommander)\t0x[0-9A-F]{8,16}\t[^\t]*\t[0-9]+|dialog\t0x[0-9A-F]{8,16}\t(OpenFile|OpenFolder))\r?$' ||
      { echo "FAIL: windows line: $line"; failures=$((failures + 1)); }
  done <<<"$listing"
fi
