#!/usr/bin/env bash
# The plug-in's main job: answers a query on the shipped sample file,
# natively and with the Windows build under wine64.
set -euo pipefail
cd "$(dirname "$0")/.."
params=${1:-'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'}
scripts/install-deps.sh
scripts/build.sh native win64 >/dev/null
echo "query: $params"
echo "-- native filedata:"
build/native/bin/filedata --json "$params"
echo "-- filedata.exe under wine64:"
cmake/wine-run.sh build/win64/bin/filedata.exe --json "$params" 2>/dev/null
