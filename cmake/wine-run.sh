#!/usr/bin/env bash
# Runs a Windows binary under wine64 with a prefix of the build's own.
# The prefix lives beside the binary's build folder unless WINEPREFIX is set.
set -euo pipefail
exe=$1; shift
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$exe")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = / ] && dir=$(cd "$(dirname "$exe")" && pwd)
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
exec /usr/lib/wine/wine64 "$exe" "$@"
