#!/usr/bin/env bash
# Builds the Windows release and writes dist/pathorama-<version>-win64.zip:
# pathorama.exe and pathorama-cli.exe (Release built for size, -Os: the
# hot paths are PCRE2's, built apart; stripped), a read-me for
# Windows users in Chinese and English, and the licence notices of what is
# linked in (PCRE2, pugixml, the Unicode data of the pinyin table, the
# MinGW-w64 and GCC runtimes). Prints the zip's path.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh >/dev/null

build=build/release-win
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-Os -DNDEBUG" -DPATHORAMA_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target pathorama pathorama-cli >/dev/null

version=$(sed -nE 's/^project\(Pathorama VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' CMakeLists.txt)
name=pathorama-$version-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/LICENSES"
for exe in src/app/win32/pathorama.exe src/app/cli/pathorama-cli.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$exe")" "$build/$exe"
done
# Windows line ends for Notepad.
sed "s/@VERSION@/$version/; s/\$/\r/" packaging/README-Windows.txt >"$stage/$name/README.txt"
licence() { sed 's/$/\r/' "$2" >"$stage/$name/LICENSES/$1"; }
licence PCRE2.txt /usr/share/doc/libpcre2-dev/copyright
licence pugixml.txt /usr/share/doc/libpugixml-dev/copyright
licence MinGW-w64-runtime.txt /usr/share/doc/mingw-w64-common/copyright
licence GCC-runtime.txt /usr/share/doc/gcc-mingw-w64-base/copyright
# The pinyin table's notice is the comment at the head of its source.
sed -n '/^\/\//!q; s|^// \{0,1\}||p' src/editor/pinyin_table.cpp >"$stage/unicode.txt"
licence Unicode-data.txt "$stage/unicode.txt"

mkdir -p dist
rm -f "dist/$name.zip"
(cd "$stage" && zip -qr -9 "$root/dist/$name.zip" "$name")
echo "dist/$name.zip"
