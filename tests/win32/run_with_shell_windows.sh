#!/usr/bin/env bash
# Runs a Windows test program under Wine in a scratch copy of the prefix in
# which the shell window collection stand-in is registered in place of
# Wine's own (whose Count and Item are not implemented), so the Explorer
# readers take the same route as on Windows. The scratch prefix gets its own
# Wine server, detached from ctest's output pipes and killed at the end.
# usage: run_with_shell_windows.sh DLL PROGRAM [ARGS...]
set -u
dll=$1; shift
source_prefix=${WINEPREFIX:-$HOME/.wine}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pathorama-prefix.XXXXXX")
cleanup() {
  WINEPREFIX=$scratch timeout 30 wineserver -k >/dev/null 2>&1 </dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
cp -a "$source_prefix/." "$scratch/" || exit 1
export WINEPREFIX=$scratch WINEDEBUG=-all
windows_dll="Z:${dll//\//\\}"
wineserver -p >/dev/null 2>&1 </dev/null
# The first Wine program starts the prefix's background programs: keep their
# output away from ctest.
timeout 120 wine reg add 'HKLM\Software\Classes\CLSID\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\InprocServer32' \
  /ve /d "$windows_dll" /f >/dev/null 2>&1 </dev/null
timeout 120 wine reg add 'HKLM\Software\Classes\CLSID\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\InprocServer32' \
  /v ThreadingModel /d Apartment /f >/dev/null 2>&1 </dev/null
# PATHORAMA_URL_HANDLER (a Windows path): the program that web addresses
# open with, in place of a browser.
if [ -n "${PATHORAMA_URL_HANDLER:-}" ]; then
  for scheme in http https; do
    for root in 'HKLM\Software\Classes' 'HKCU\Software\Classes'; do
      timeout 120 wine reg add "$root\\$scheme" /v 'URL Protocol' /d '' /f >/dev/null 2>&1 </dev/null
      timeout 120 wine reg add "$root\\$scheme\\shell\\open\\command" /ve \
        /d "\"$PATHORAMA_URL_HANDLER\" \"%1\"" /f >/dev/null 2>&1 </dev/null
    done
  done
fi
# PATHORAMA_OFFICE_SERVER (a Windows path): the ProgIDs of Word, Excel and
# PowerPoint map to their class ids, whose local server is this program, so
# that a stand-in can register as the running application and a test can
# tell whether anything tried to start one.
if [ -n "${PATHORAMA_OFFICE_SERVER:-}" ]; then
  for entry in Word.Application={000209FF-0000-0000-C000-000000000046} \
               Excel.Application={00024500-0000-0000-C000-000000000046} \
               PowerPoint.Application={91493441-5A91-11CF-8700-00AA0060263B}; do
    progid=${entry%%=*} clsid=${entry#*=}
    timeout 120 wine reg add "HKLM\\Software\\Classes\\$progid\\CLSID" /ve /d "$clsid" /f \
      >/dev/null 2>&1 </dev/null
    timeout 120 wine reg add "HKLM\\Software\\Classes\\CLSID\\$clsid\\LocalServer32" /ve \
      /d "\"$PATHORAMA_OFFICE_SERVER\" /Automation" /f >/dev/null 2>&1 </dev/null
  done
fi
timeout 300 wine "$@"
