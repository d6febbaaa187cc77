#!/usr/bin/env bash
# Installs everything Pathorama needs to build and test on Debian: packages,
# PCRE2, pugixml and GoogleTest built for MinGW-w64, and a Wine prefix.
# Idempotent: each step is skipped when its result is already there.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$root/build/deps"          # MinGW libraries live inside the build tree
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"

packages=(
  build-essential cmake ninja-build pkg-config dpkg-dev
  libpcre2-dev libpugixml-dev googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth xdotool imagemagick fonts-wqy-microhei locales zip unzip
  python3-xlib  # files dropped on windows from outside (tests/e2e/xdnd_drop.py)
  clang libclang-rt-dev  # the fuzz targets: libFuzzer and clang's ASan/UBSan runtimes
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Chinese captions and messages need a zh_CN.UTF-8 locale under Wine.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  echo "setup: generating zh_CN.UTF-8 locale"
  $sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null
fi

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
mkdir -p "$deps"

# debian_source PACKAGE DIR: unpacks Debian's source package into DIR,
# adding deb-src entries for the configured archive when there are none.
debian_source() {
  if ! apt-get source --print-uris "$1" >/dev/null 2>&1; then
    echo "setup: adding deb-src entries for the configured Debian archive"
    local src=/etc/apt/sources.list.d/pathorama-deb-src.sources tmp f
    tmp=$(mktemp)
    # Only the main archive: the security mirror serves binaries, not sources.
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && [ "$f" != "$src" ] || continue
      awk -v RS= -v ORS='\n\n' '/Types:[^\n]*deb/ && !/security/' "$f" | sed 's/^Types:.*/Types: deb-src/' >>"$tmp"
    done
    if [ -f /etc/apt/sources.list ]; then
      grep -E '^deb ' /etc/apt/sources.list | grep -v security | sed 's/^deb /deb-src /' >>"$tmp.list" || true
      [ -s "$tmp.list" ] && $sudo cp "$tmp.list" /etc/apt/sources.list.d/pathorama-deb-src.list
      rm -f "$tmp.list"
    fi
    [ -s "$tmp" ] && $sudo cp "$tmp" "$src"
    rm -f "$tmp"
    $sudo apt-get update -qq
  fi
  (cd "$2" && apt-get source -qq "$1" >/dev/null 2>&1)
}

# PCRE2 for Windows: a static library built from Debian's own source package,
# with its JIT compiler. The stamp names the configuration: a build made with
# another one (an older set-up built it without JIT) is built again.
pcre2_config="pcre2-16 static unicode jit"
pcre2_stamp="$deps/pcre2/pathorama-config"
if [ ! -f "$deps/pcre2/lib/libpcre2-16.a" ] || [ "$(cat "$pcre2_stamp" 2>/dev/null)" != "$pcre2_config" ]; then
  rm -rf "$deps/pcre2"
  work=$(mktemp -d)
  debian_source pcre2 "$work"
  srcdir=$(find "$work" -maxdepth 1 -type d -name 'pcre2-*' | head -n 1)
  [ -n "$srcdir" ] || { echo "setup: apt-get source pcre2 failed" >&2; exit 1; }
  echo "setup: building PCRE2 ($(basename "$srcdir")) for MinGW-w64"
  cmake -S "$srcdir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/pcre2" \
    -DBUILD_SHARED_LIBS=OFF -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
    -DPCRE2_SUPPORT_UNICODE=ON -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF \
    -DPCRE2_SUPPORT_JIT=ON >/dev/null
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
  echo "$pcre2_config" >"$pcre2_stamp"
  rm -rf "$work"
fi

# pugixml for Windows (the XML of imported favourites), likewise.
if [ ! -f "$deps/pugixml/lib/libpugixml.a" ]; then
  work=$(mktemp -d)
  debian_source pugixml "$work"
  srcdir=$(find "$work" -maxdepth 1 -type d -name 'pugixml-*' | head -n 1)
  [ -n "$srcdir" ] || { echo "setup: apt-get source pugixml failed" >&2; exit 1; }
  echo "setup: building pugixml ($(basename "$srcdir")) for MinGW-w64"
  cmake -S "$srcdir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/pugixml" \
    -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF >/dev/null
  cmake --build "$work/build" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work"
fi

# GoogleTest for Windows, from the sources Debian ships in /usr/src/googletest.
if [ ! -f "$deps/gtest/lib/libgtest.a" ]; then
  echo "setup: building GoogleTest for MinGW-w64"
  work=$(mktemp -d)
  cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$deps/gtest" \
    -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
  cmake --build "$work" >/dev/null
  cmake --install "$work" >/dev/null
  rm -rf "$work"
fi

# A Wine prefix of our own, so tests never touch the user's ~/.wine.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i >/dev/null 2>&1 || true
  timeout 60 wineserver -w || true
fi
echo "setup: ready"
