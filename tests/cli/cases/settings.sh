# Cases for `settings`, sourced by cli_process_test.sh: the options of a
# Pathorama INI as the program loads them.
settings_ini=$(mktemp /tmp/pathorama-settings-XXXXXX.ini)
settings_arg=$settings_ini
if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
  settings_arg=$(winepath -w "$settings_ini" 2>/dev/null)
fi
# settings_lines LINE...: every LINE is in the output for the INI file.
settings_lines() {
  local out line
  out=$(timeout 60 "${cli[@]}" settings --today 2026-12-09 "$settings_arg" 2>&1)
  for line in "$@"; do
    if ! grep -qxF -- "$line" <<<"${out//$'\r'/}"; then
      printf 'FAIL: settings: missing line %q\n' "$line"
      failures=$((failures + 1))
    fi
  done
}
# UTF-16LE with byte-order mark, as an older release may have left it.
printf '[Option]\r\nAutoHideDistance=30\r\nAsFirstWeek=2019/9/2\r\nJumpMenuAtCenter=1\r\nFolderManagerName=2\r\nFolderManagerPath_2=C:\\GPSoft\\dopusrt.exe\r\nUseAnotherOpenMethodWhenCapsLock_2=1\r\nedtCustomCharsAsRandom=甲乙\r\nRandomLength=x\r\nHideAppSetting=1\r\nMainWindowAt=9\r\n' |
  iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$settings_ini"
settings_lines \
  'Option/AutoHideDistance=10' \
  'Option/AsFirstWeek=2026-09-02' \
  'Option/JumpMenuAtCenter=1' 'Option/JumpMenuUnderAddressBar=0' \
  'Option/FolderManagerPath_2=C:\GPSoft\dopusrt.exe' \
  'Option/UseAnotherOpenMethodWhenCapsLock_2=0' 'Option/DirectJumpListWhenCapsLock=1' \
  'Option/edtCustomCharsAsRandom=甲乙' \
  'Option/RandomLength=5' 'Option/HideAppSetting=1' 'Option/MainWindowAt=0'
# No file content at all: the defaults.
printf '' >"$settings_ini"
settings_lines 'Main/UseGlobalHotKey=1' 'Option/JumpMenuHotKey1=16452' 'Option/AsFirstWeek=2026-01-01' \
  'Option/dtpDayForDayCustomVarEmptyParam=2026-12-09' 'Option/UseAnotherOpenMethodWhenCapsLock_0=0'
[ "$(timeout 60 "${cli[@]}" settings --today 2026-12-09 "$settings_arg" | wc -l)" = 87 ] ||
  { echo "FAIL: settings: not one line per key"; failures=$((failures + 1)); }
rm -f "$settings_ini"
expect 1 "" settings /nonexistent/pathorama.ini
expect 2 "" settings
expect 2 "" settings --today 2026-02-30 x.ini
