#!/usr/bin/env bash
# Runs a Windows program under Wine: a 32-bit one under /usr/lib/wine/wine in
# a pure 32-bit prefix, a 64-bit one under wine64. The prefix is the build's
# own (build/<preset>/wineprefix) unless WINEPREFIX is set. With
# WINE_DESKTOP=WIDTHxHEIGHT the program runs in a Wine desktop of that size,
# which draws window frames itself (a bare X server has no window manager).
set -euo pipefail
exe=$1; shift

# The PE header's machine field: 014c for i386, 8664 for x86-64.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}

case $(pe_machine "$exe") in
  014c) wine=/usr/lib/wine/wine arch=win32 ;;
  8664) wine=/usr/lib/wine/wine64 arch=win64 ;;
  *) echo "wine-run.sh: $exe is not a Windows x86 or x86-64 program" >&2; exit 126 ;;
esac
if [ ! -x "$wine" ]; then
  echo "wine-run.sh: $wine is missing; run scripts/install-deps.sh" >&2
  exit 127
fi

if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = / ] && dir=$(cd "$(dirname "$exe")" && pwd)
  export WINEPREFIX="$dir/wineprefix-$arch"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A new prefix takes the program's width; an existing 64-bit one also runs
# 32-bit programs (WOW64), so its width is left as it is.
if [ ! -f "$WINEPREFIX/system.reg" ]; then WINEARCH=$arch "$wine" wineboot -i >/dev/null 2>&1 || true; fi
# Debian's Wine does not look in its own font folder: without Tahoma and
# Marlett, windows get stand-in fonts and caption buttons show as letters.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -f "$fonts/tahoma.ttf" ]; then
  cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
fi
if [ -n "${WINE_DESKTOP:-}" ]; then
  exec "$wine" explorer "/desktop=filedata,$WINE_DESKTOP" "$exe" "$@"
fi
exec "$wine" "$exe" "$@"
