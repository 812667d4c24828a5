#!/usr/bin/env bash
# Runs a Windows program under Wine: a 32-bit one under /usr/lib/wine/wine in
# a pure 32-bit prefix, a 64-bit one under wine64. The prefix is the build's
# own (build/<preset>/wineprefix) unless WINEPREFIX is set.
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
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=$arch
exec "$wine" "$exe" "$@"
