#!/usr/bin/env bash
# Runs the tester's drive test on an X server of its own, three times: in
# the default locale, in a comma locale (German) for a person's input at a
# person's pace, and in code page 932 (Japanese) for double-byte lines;
# Wine takes the locale and the code page from LANG. Beside it, this script
# answers what the test asks for beside SCREENSHOT_PNG: NAME.png.ready, a
# screenshot of the window as it stands, cropped to itself; NAME.xdo, a
# script of xdotool commands, the mouse and keys made by the X server
# itself. Each is answered by NAME.done once taken.
# Usage: drive-tester.sh EMULATOR TEST_PROGRAM SCREENSHOT_PNG
set -euo pipefail
emulator=$1 program=$2 shot=$3
here=$(cd "$(dirname "$0")" && pwd)
base=${shot%.png}
rm -f "$base"*.png "$base"*.ready "$base"*.done "$base"*.xdo
# shellcheck disable=SC2016
exec bash "$here/../../cmake/with-xvfb.sh" bash -c '
  emulator=$1 program=$2 shot=$3 base=${3%.png}
  status=0
  run() {  # LANG, then the gtest filter
    echo "== LANG=$1 $2"
    rm -f "$base"*.xdo "$base"*.xdo.done
    LANG=$1 LC_ALL=$1 FILEDATA_TESTER_SHOT=$shot "$emulator" "$program" "--gtest_filter=$2" &
    local test=$!
    while kill -0 "$test" 2>/dev/null; do
      for request in "$base"*.ready "$base"*.xdo; do
        [ -f "$request" ] && [ ! -f "${request%.ready}.done" ] && [ ! -f "$request.done" ] || continue
        case $request in
          *.ready)
            png=${request%.ready}
            import -window root "$png" && convert "$png" -trim +repage "$png" || echo "drive-tester.sh: no screenshot"
            touch "$png.done" ;;
          *.xdo)
            xdotool "$request" || echo "drive-tester.sh: xdotool failed on $request"
            touch "$request.done" ;;
        esac
      done
      sleep 0.05
    done
    wait "$test" || status=1
  }
  run C.UTF-8 "-*APersonsChoiceIsTheirs:*DoubleByteCharactersStayWhole"
  run de_DE.UTF-8 "*APersonsChoiceIsTheirs"
  run ja_JP.UTF-8 "*DoubleByteCharactersStayWhole"
  exit $status
' drive "$emulator" "$program" "$shot"
