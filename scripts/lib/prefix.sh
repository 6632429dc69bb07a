# Makes a Wine prefix under $BUILD/wine/<name> reporting the given Windows
# version, once: a prefix that is ready is only reused.
# Usage: make_prefix <name> <winxp|win98|win7>
make_prefix() {
  local name="$1" version="$2" prefix="$BUILD/wine/$1"
  [ -f "$prefix/.tidewave-ready" ] && return 0
  echo "setup: creating Wine prefix $name ($version)"
  rm -rf "$prefix"; mkdir -p "$prefix"
  WINEPREFIX="$prefix" WINEARCH=win32 wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.tidewave-ready"
}


# A prefix made anew at <path>, for a test that must meet nothing an earlier
# run left: an install and its removal.
# Usage: fresh_prefix <path> <winxp|win98|...>   (WINEPREFIX is set to it)
fresh_prefix() {
  export WINEPREFIX="$1" WINEARCH=win32
  rm -rf "$1"; mkdir -p "$1"
  wineboot -i </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d "$2" /f </dev/null >/dev/null 2>&1
  wineserver -w
}
