#!/usr/bin/env bash
# Writes docs/tester.png (the Filedata Tester on the sample file) and
# docs/tester-pick.png (a reading set up by pointing, on a log whose cut is
# fragile): the shipped 32-bit build, the win64 one where this kernel runs
# no 32-bit code, in a Wine desktop on an X server of its own, each cropped
# to the window. DPI (96 by default, 144 for 150 %) is the monitor's.
# LANGUAGE ja shows a Japanese Windows set-up (code page 932) on a log in
# Japanese; en, the default, an English one.
# Usage: scripts/screenshot.sh [DPI [OUTPUT_FOLDER [LANGUAGE]]]
set -euo pipefail
cd "$(dirname "$0")/.."
dpi=${1:-96} out=${2:-docs} language=${3:-en}
scripts/install-deps.sh >/dev/null
preset=win32
scripts/runs-32bit.sh || preset=win64
scripts/build.sh "$preset" >/dev/null
work=$PWD/build/screenshot
rm -rf "$work" && mkdir -p "$work"
if [ "$language" = ja ]; then
  # As a Japanese logger writes it, in code page 932.
  printf '\xe3\x82\xbb\xe3\x83\xb3\xe3\x82\xb5\xe3\x83\xbc\xe8\xa8\x98\xe9\x8c\xb2\r\n' >"$work/log.utf8"
  for value in 42.5 43.0 100.25; do printf '\xe6\xb8\xa9\xe5\xba\xa6: %s\r\n' "$value"; done >>"$work/log.utf8"
  iconv -f UTF-8 -t CP932 "$work/log.utf8" >"$work/log.txt"
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
else
  printf 'Sensor log\r\nTemp: 42.5\r\nTemp: 43.0\r\nTemp: 100.25\r\n' >"$work/log.txt"
fi
# Room for the window at 150 %, as on a 1920 x 1080 monitor.
export WINEPREFIX=$work/wineprefix-$preset WINE_DESKTOP=1900x1060 XVFB_SCREEN=1920x1080x24
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
[ "$preset" = win32 ] && wine=/usr/lib/wine/wine wineserver=/usr/lib/wine/wineserver
# Each picture on an X server of its own; the prefix's session ends with it.
shot() {
  cmake/with-xvfb.sh bash -c '
    wine=$1 preset=$2 dpi=$3 params=$4 png=$5
    "$wine" reg add "HKCU\Control Panel\Desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    # The dialog font lacks Japanese characters; Windows links it to a font
    # that has them, and so does this prefix.
    "$wine" reg add "HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink" /v Tahoma \
      /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic" /f >/dev/null 2>&1
    cmake/wine-run.sh "build/$preset/bin/filedata-tester.exe" --dll "build/$preset/bin/QeltGen_Filedata.dll" \
      "$params" &
    sleep 12  # a fresh prefix, then two readings
    import -window root "$png"
  ' shot "$wine" "$preset" "$dpi" "$1" "$2"
  "$wineserver" -k 2>/dev/null || true
}
shot 'FILENAME=samples\temp.txt|LINE=0|START=7|LENGTH=4' "$work/desktop.png"
shot 'FILENAME=build\screenshot\log.txt|LINE=0|START=7|LENGTH=4' "$work/desktop-pick.png"
suffix=""
[ "$language" = ja ] && suffix=-ja
# The Wine desktop fills the top left of the screen, one colour around the
# window: cropping to it and trimming leaves the window.
for name in tester tester-pick; do
  convert "$work/desktop${name#tester}.png" -crop "$WINE_DESKTOP+0+0" +repage -trim +repage "$out/$name$suffix.png"
  echo "wrote $out/$name$suffix.png ($(identify -format '%wx%h' "$out/$name$suffix.png"))"
done
