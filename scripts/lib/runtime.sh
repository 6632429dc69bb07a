# The C runtime's start-up code for the 486. MinGW's prebuilt crt2.o and
# libmingw32.a are compiled for the Pentium Pro: crt2.o's very first loop (the
# one that skips the program's name in the command line) holds a CMOV, so on a
# 486, Pentium, K6 or 6x86 every program ends before WinMain. Both are built
# again here from Debian's own source of the installed MinGW-w64, with the same
# flags as its build plus -march=i486, into $BUILD/runtime-i486, which the
# MinGW build links ahead of the installed ones (-B and -L). Built once: the
# folder is reused until the installed version changes.
# Usage: build_runtime  (needs BUILD set)
build_runtime() {
  local out="$BUILD/runtime-i486"
  local version
  version=$(dpkg-query -W -f='${Version}' mingw-w64-i686-dev)
  [ "$(cat "$out/.version" 2>/dev/null)" = "$version" ] && return 0
  echo "setup: building the C runtime's start-up code for the 486 (mingw-w64 $version)"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # Source packages come from the same mirrors as the binary ones.
  if ! apt-cache showsrc mingw-w64 2>/dev/null | grep -q '^Package: mingw-w64'; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/tidewave-deb-src.sources >/dev/null
    $sudo apt-get update -q >/dev/null
  fi
  rm -rf "$out"; mkdir -p "$out/src" "$out/obj"
  (cd "$out/src" && apt-get source --download-only -q "mingw-w64=$version" >/dev/null 2>&1)
  local tarball
  tarball=$(ls "$out"/src/mingw-w64_*.orig.tar.* | head -1)
  tar -xf "$tarball" -C "$out/src" --strip-components=1 --wildcards '*/mingw-w64-crt/crt' '*/mingw-w64-crt/include' '*/mingw-w64-crt/revstamp.h'
  local crt="$out/src/mingw-w64-crt"
  # mingw-w64-crt/Makefile.am: AM_CFLAGS and COMPILE32, as Debian builds them (its
  # build drops -std=gnu99), at -O2.
  local cc=(i686-w64-mingw32-gcc-win32 -O2 -march=i486 -pipe -m32 -D_CRTBLD -D_WIN32_WINNT=0x0f00
            -D__MSVCRT_VERSION__=0x700 -D__USE_MINGW_ANSI_STDIO=0 -D_SYSCRT=1 -DCRTDLL=1 -I"$crt/include")
  "${cc[@]}" -c "$crt/crt/crtexe.c" -o "$out/crt2.o"
  # src_libmingw32 of the same Makefile.am.
  local name
  for name in crt0_c dll_argv gccmain natstart pseudo-reloc-list wildcard charmax crt0_w dllargv _newmode \
              tlssup xncommod cinitexe merr pesect udllargc xthdloc CRT_fp10 mingw_custom mingw_helpers \
              pseudo-reloc udll_argv usermatherr xtxtmode crt_handler tlsthrd tlsmthread tlsmcrt cxa_atexit \
              cxa_thread_atexit tls_atexit; do
    "${cc[@]}" -c "$crt/crt/$name.c" -o "$out/obj/$name.o"
  done
  i686-w64-mingw32-ar rcs "$out/libmingw32.a" "$out"/obj/*.o
  rm -rf "$out/src" "$out/obj"
  echo "$version" > "$out/.version"
}
