# Makes a Wine prefix under $BUILD/wine/<name> reporting the given Windows
# version, once: a prefix that is ready is only reused.
# Usage: make_prefix <name> <winxp|win98|win7>
make_prefix() { prefix_at "$BUILD/wine/$1" "$2"; }

prefix_at() {
  local prefix="$1" version="$2"
  [ -f "$prefix/.tidewave-ready" ] && return 0
  echo "setup: creating Wine prefix $(basename "$prefix") ($version)"
  rm -rf "$prefix"; mkdir -p "$prefix"
  WINEPREFIX="$prefix" WINEARCH=win32 wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  touch "$prefix/.tidewave-ready"
}

# A prefix made anew at <path>, for a test that must meet nothing an earlier
# run left: an install and its removal. It is a copy of one nothing has run in
# since it was made (setup makes it), which takes a fraction of a second where
# making one takes ten. Wine's own code (half a gigabyte of it) is only read,
# so the copy links to the template's; every other file, the registry among
# them, is a copy of its own. The copy runs on a display of its own, so its
# desktop never meets another test's windows, with its server and desktop held
# up (as scripts/lib/wine-session.sh does) until the shell exits.
# Usage: fresh_prefix <path> <winxp|win98|...> <HoldDesktop.exe>   (sets WINEPREFIX and DISPLAY)
fresh_prefix() {
  local template; template="$(dirname "$1")/untouched-$2"
  { flock 9; prefix_at "$template" "$2" >&2; } 9>"$template.lock"
  rm -rf "$1"; cp -al "$template" "$1"; rm "$1/.tidewave-ready"
  find "$1" -type f ! \( -name '*.dll' -o -name '*.exe' -o -name '*.drv' -o -name '*.sys' -o -name '*.vxd' \
    -o -name '*.nls' -o -name '*.ocx' -o -name '*.cpl' -o -name '*.acm' -o -name '*.tlb' -o -name '*.ds' \) \
    -exec sh -c 'for file; do cp -p "$file" "$file.own" && mv -f "$file.own" "$file"; done' sh {} +
  export WINEPREFIX="$1" WINEARCH=win32
  own_display
  trap 'wineserver -k 2>/dev/null; kill "$display_server" 2>/dev/null' EXIT
  wineserver -p60 </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wine "$3" </dev/null >/dev/null 2>&1
}

# An X server of its own for this shell: DISPLAY names it, display_server is its process.
own_display() {
  local number; number="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  display_server=$!
  for _ in $(seq 1 100); do [ -s "$number" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
}
