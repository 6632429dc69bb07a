#!/usr/bin/env bash
# Everything both README commands need on a fresh Debian machine: the packages,
# the three builds (native, MinGW and the fuzz targets) and the Wine prefixes (one per Windows family tested).
# Safe to run again: it installs, configures and boots only what is missing.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
export WINEDEBUG=-all

need_packages() {
  local missing=()
  for p in cmake g++ googletest g++-mingw-w64-i686-win32 wine wine32:i386 xvfb xauth x11-utils imagemagick fp-utils nsis msitools wixl zip clang; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
  fi
}

configure() {
  local dir="$1"; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  fi
}

# One prefix per Windows family the tests cover, and one for running the program.
source "$ROOT/scripts/lib/prefix.sh"

# No window manager runs under Xvfb, yet Wine waits up to two seconds for one to
# confirm that each captioned window it hid or destroyed is gone. In the test
# prefixes Wine manages its windows itself; the run prefix keeps the default, for
# a desktop that has a window manager.
unmanaged_windows() {
  local prefix="$BUILD/wine/$1"
  [ -f "$prefix/.tidewave-unmanaged" ] && return 0
  WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.tidewave-unmanaged"
}

need_packages
# A build made with the earlier posix-threads compiler is made again: its
# runtime needs functions Windows before XP does not have. The toolchain file
# names the compiler, so CMake records it in the compiler's own file, not the cache.
if [ -f "$BUILD/win32/CMakeCache.txt" ] &&
   ! grep -qs 'g++-win32' "$BUILD"/win32/CMakeFiles/*/CMakeCXXCompiler.cmake; then
  rm -rf "$BUILD/win32"
fi
# The C runtime's start-up code for the 486, which the MinGW build links.
source "$ROOT/scripts/lib/runtime.sh"
build_runtime
configure "$BUILD/native"
configure "$BUILD/win32" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake"
# The fuzz targets need clang's libFuzzer (scripts/fuzz.sh).
configure "$BUILD/fuzz" -DTIDEWAVE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
make_prefix xp winxp
make_prefix 98 win98
# Windows 7: newer than XP, so family 1 "Windows 32", yet of the NT platform.
make_prefix win7 win7
# The other families, for the end-to-end apply and the traced 9x run.
make_prefix win95 win95
make_prefix nt40 nt40
make_prefix win2k win2k
make_prefix run winxp
# Never run in: the installers' tests and the traced 9x runs copy them for a
# prefix fresh each run.
for version in winxp win98 win95; do make_prefix "untouched-$version" "$version"; done
for prefix in xp 98 win7 win95 nt40 win2k untouched-winxp untouched-win98 untouched-win95; do unmanaged_windows "$prefix"; done
