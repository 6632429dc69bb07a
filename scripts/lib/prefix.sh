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

