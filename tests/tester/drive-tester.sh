#!/usr/bin/env bash
# Runs the tester's drive test on an X server of its own and takes the
# screenshot it offers: the window as it stands, cropped to itself.
# Usage: drive-tester.sh EMULATOR TEST_PROGRAM SCREENSHOT_PNG
set -euo pipefail
emulator=$1 program=$2 shot=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -f "$shot" "$shot.ready" "$shot.done"
# shellcheck disable=SC2016
exec bash "$here/../../cmake/with-xvfb.sh" bash -c '
  emulator=$1 program=$2 shot=$3
  FILEDATA_TESTER_SHOT=$shot "$emulator" "$program" &
  test=$!
  for _ in $(seq 600); do
    if [ -f "$shot.ready" ]; then
      import -window root "$shot" && convert "$shot" -trim +repage "$shot" || echo "drive-tester.sh: no screenshot"
      touch "$shot.done"
      break
    fi
    kill -0 "$test" 2>/dev/null || break
    sleep 0.1
  done
  wait "$test"
' drive "$emulator" "$program" "$shot"
