# The release a Windows user downloads (scripts/package.sh, which the test
# command runs before this layer): its pathorama.exe, alone in an empty
# folder, starts, writes its settings beside itself and exits cleanly.
# Sourced by run_scenario.sh.

# The newest zip in dist/ of the source tree, or PATHORAMA_E2E_PACKAGE.
pkg_zip() {
  if [ -n "${PATHORAMA_E2E_PACKAGE:-}" ]; then
    printf '%s' "$PATHORAMA_E2E_PACKAGE"
  else
    ls -t "$here"/../../dist/pathorama-*-win64.zip 2>/dev/null | head -n 1
  fi
}

scenario_package_starts() {
  local zip
  zip=$(pkg_zip)
  [ -f "$zip" ] || { fail "no package: run scripts/package.sh first"; return; }
  local listing
  listing=$(unzip -Z1 "$zip")
  local top=${listing%%/*}
  local f
  for f in pathorama.exe pathorama-cli.exe README.txt LICENSES/PCRE2.txt LICENSES/pugixml.txt \
           LICENSES/Unicode-data.txt LICENSES/MinGW-w64-runtime.txt LICENSES/GCC-runtime.txt; do
    check "the package holds $f" grep -qx "$top/$f" <<<"$listing"
  done
  echo "package: $(basename "$zip"), $(stat -c %s "$zip") bytes"
  # A download of under 2 MB (MiB): built for size, stripped.
  check "the package is under 2 MB ($(stat -c %s "$zip") bytes)" [ "$(stat -c %s "$zip")" -lt 2097152 ]
  # The folder holds nothing but the packaged program.
  rm -rf "$dir"
  mkdir -p "$dir"
  unzip -q -j "$zip" "$top/pathorama.exe" -d "$dir" || { fail "could not unpack pathorama.exe"; return; }
  start_app
  wait_until 30 window_exists || { fail "the packaged program showed no main window"; return; }
  wait_first_activation
  check "the settings file is written beside the program" test -f "$dir/pathorama.ini"
  check "the settings file holds the options" ini_has_section Option
  check "the ignore lists are written beside the program" test -f "$dir/IgnoreAppName1.lst"
  close_app
  wait "$app_pid"
  expect_eq "exit code of the packaged program" "$?" 0
  expect_eq "files beside the program after the run" \
    "$(cd "$dir" && ls | sort | tr '\n' ' ')" \
    "IgnoreAppName1.lst IgnoreAppName2.lst IgnoreWinClass1.lst IgnoreWinClass2.lst pathorama.exe pathorama.ini "
}
