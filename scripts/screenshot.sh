#!/usr/bin/env bash
# Writes docs/tester.png: the Filedata Tester (the shipped 32-bit build, the
# win64 one where this kernel runs no 32-bit code) on the sample file, in a
# Wine desktop on an X server of its own, cropped to the window.
# Usage: scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/tester.png}
scripts/install-deps.sh >/dev/null
preset=win32
scripts/runs-32bit.sh || preset=win64
scripts/build.sh "$preset" >/dev/null
work=build/screenshot
rm -rf "$work" && mkdir -p "$work"
export WINEPREFIX=$PWD/$work/wineprefix-$preset WINE_DESKTOP=900x760
cmake/with-xvfb.sh bash -c '
  cmake/wine-run.sh "build/$1/bin/filedata-tester.exe" --dll "build/$1/bin/QeltGen_Filedata.dll" \
    "FILENAME=samples\\temp.txt|LINE=0|START=7|LENGTH=4" &
  tester=$!
  sleep 12  # a fresh prefix, then two readings
  import -window root "$2"
  kill "$tester" 2>/dev/null || true
' shot "$preset" "$work/desktop.png"
# The Wine desktop fills the top left of the screen, one colour around the
# window: cropping to it and trimming leaves the window.
convert "$work/desktop.png" -crop "$WINE_DESKTOP+0+0" +repage -trim +repage "$out"
echo "wrote $out ($(identify -format '%wx%h' "$out"))"
