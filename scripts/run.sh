#!/usr/bin/env bash
# Installs what is needed, builds pathorama.exe for Windows and starts it
# (under Wine on a non-Windows host). Extra arguments go to pathorama.exe.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows --target pathorama
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}" LANG="${LANG:-zh_CN.UTF-8}"
exe="$root/build/windows/src/app/win32/pathorama.exe"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting Pathorama on a virtual screen (Xvfb)."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$exe" "$@"
fi
exec wine "$exe" "$@"
