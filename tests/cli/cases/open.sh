# Cases for `params`, `command` and (Windows build) `open`, sourced by
# cli_process_test.sh: what a settings file's folder-manager options start.
open_ini=$(mktemp /tmp/pathorama-open-XXXXXX.ini)
open_arg=$open_ini
windows_build=0
if [ "${cli[0]}" != "${cli[-1]}" ] && command -v winepath >/dev/null; then
  open_arg=$(winepath -w "$open_ini" 2>/dev/null)
  windows_build=1
fi
write_open_ini() { printf '[Option]\r\n%s' "$1" >"$open_ini"; }

# params FILE: the template of the chosen manager's stored options.
write_open_ini $'FolderManagerName=1\r\n'
expect 0 '/O /S /L="%1" /T' params "$open_arg"
write_open_ini $'FolderManagerName=1\r\nUseOldFolderManager_1=0\r\nOpenNewFolderManager_1=1\r\nActivatePanelWhenNewOpen_TC=1\r\n'
expect 0 '/N /L="%1" /P=R' params "$open_arg"
write_open_ini $'FolderManagerName=2\r\nUseOldFolderManager_2=0\r\nOpenNewFolderManager_2=1\r\nMaxmizeFolderManager_2=1\r\n'
expect 0 '/cmd Go "%1" New max NewTab +1 ToFront View Thumbnails ExistingLister' params "$open_arg"
# Explorer takes the bare folder: an empty template, one empty line.
write_open_ini $'FolderManagerName=0\r\n'
[ "$(timeout 60 "${cli[@]}" params "$open_arg" | od -An -c | tr -d ' ')" = '\n' ] ||
  { echo "FAIL: params: Explorer's template is not one empty line"; failures=$((failures + 1)); }
expect 1 "" params /nonexistent/pathorama.ini
expect 2 "" params
expect 2 "" params a.ini b.ini

# command [--caps-lock] FILE FOLDER: PROGRAM<TAB>PARAMETERS.
tc=$'FolderManagerName=1\r\nDirectJumpListWhenCapsLock=0\r\nFolderManagerPath_1="C:\\TC\\Totalcmd64.exe"\r\nFolderManagerParam_1=/O /S /L="%1" /T\r\nUseAnotherOpenMethodWhenCapsLock_1=1\r\n'
write_open_ini "$tc"
expect 0 $'C:\\TC\\Totalcmd64.exe\t/O /S /L="D:\\Docs\\" /T' command "$open_arg" 'D:\Docs\'
expect 0 $'C:\\TC\\Totalcmd64.exe\t/N /S /L="D:\\Docs\\" /T' command --caps-lock "$open_arg" 'D:\Docs'
write_open_ini $'FolderManagerName=2\r\nFolderManagerPath_2=C:\\GPSoft\\dopus.exe\r\nFolderManagerParam_2=/cmd Go "%1" NewTab\r\n'
expect 0 $'C:\\GPSoft\\dopusrt.exe\t/cmd Go "\\\\srv\\pub\\" NewTab' command "$open_arg" '\\srv\pub'
write_open_ini $'FolderManagerName=6\r\nFolderManagerPath_6=C:\\FM\\fm.exe\r\nFolderManagerParam_6=-open "%1"\r\n'
expect 0 $'C:\\FM\\fm.exe\t-open "D:\\Docs\\\\"' command "$open_arg" 'D:\Docs'
# A manager without a program: the question is answered No, nothing starts.
write_open_ini $'FolderManagerName=1\r\n'
expect 1 "" command "$open_arg" 'D:\Docs'
grep -q '文件夹管理器设置有误' /tmp/cli_err.$$ ||
  { echo "FAIL: command: the manager question is missing"; failures=$((failures + 1)); }
write_open_ini $'FolderManagerName=0\r\n'
if [ "$windows_build" = 1 ]; then
  expect 0 $'C:\\windows\\Explorer.exe\tC:\\' command "$open_arg" 'C:'
else
  expect 0 $'%WinDir%\\Explorer.exe\tC:\\' command "$open_arg" 'C:'
fi
expect 2 "" command "$open_arg"

# open (Windows only): a path info opened as an entry of the jump list.
if [ "$windows_build" = 1 ]; then
  build_dir=${cli[-1]%/src/app/cli/*}
  logger=$(winepath -w "$build_dir/tests/standins/bin/StartLogger.exe" 2>/dev/null)
  open_log=$(mktemp /tmp/pathorama-open-log-XXXXXX)
  export PATHORAMA_STANDIN_LOG
  PATHORAMA_STANDIN_LOG=$(winepath -w "$open_log" 2>/dev/null)
  # Every start of an item takes the built-in Explorer's window state.
  write_open_ini $'FolderManagerName=0\r\nMaxmizeFolderManager_0=0\r\nMinmizeFolderManager_0=1\r\n'
  expect 0 "" open --ini "$open_arg" "$logger </from-cli /Wait 1>"
  grep -q '^StartLogger.exe: start [0-9]* show 7 args /from-cli'$'\r''\?$' "$open_log" ||
    { echo "FAIL: open: the program was not started with its parameters"; cat "$open_log"; failures=$((failures + 1)); }
  unset PATHORAMA_STANDIN_LOG
  rm -f "$open_log"
  missing='Z:\nonexistent\pathorama-open\missing'
  expect 1 "" open "$missing"
  grep -q '是否创建该文件夹？ -> 否' /tmp/cli_err.$$ && grep -q '当前条目关联的文件（夹）路径不存在' /tmp/cli_err.$$ ||
    { echo "FAIL: open: missing path messages"; cat /tmp/cli_err.$$; failures=$((failures + 1)); }
  expect 1 "" open '<RegPath>HKCU\Software\PathoramaNoSuchKey'
  expect 2 "" open
fi
rm -f "$open_ini"
