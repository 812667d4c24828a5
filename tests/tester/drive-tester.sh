#!/usr/bin/env bash
# Runs the tester's drive test on an X server of its own and takes the
# screenshots it offers: the window as it stands, cropped to itself. The
# test asks for NAME.png by writing NAME.png.ready beside SCREENSHOT_PNG and
# goes on once NAME.png.done is there.
# Usage: drive-tester.sh EMULATOR TEST_PROGRAM SCREENSHOT_PNG
set -euo pipefail
emulator=$1 program=$2 shot=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -f "${shot%.png}"*.png "${shot%.png}"*.png.ready "${shot%.png}"*.png.done
# shellcheck disable=SC2016
exec bash "$here/../../cmake/with-xvfb.sh" bash -c '
  emulator=$1 program=$2 shot=$3
  FILEDATA_TESTER_SHOT=$shot "$emulator" "$program" &
  test=$!
  while kill -0 "$test" 2>/dev/null; do
    for ready in "${shot%.png}"*.png.ready; do
      [ -f "$ready" ] && [ ! -f "${ready%.ready}.done" ] || continue
      png=${ready%.ready}
      import -window root "$png" && convert "$png" -trim +repage "$png" || echo "drive-tester.sh: no screenshot"
      touch "$png.done"
    done
    sleep 0.1
  done
  wait "$test"
' drive "$emulator" "$program" "$shot"
