#!/usr/bin/env bash
# The plug-in's main job: answers a query on the shipped sample file,
# natively, then through the COM DLL loaded the way the host loads it
# (win64 build under wine64).
set -euo pipefail
cd "$(dirname "$0")/.."
params=${1:-'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'}
scripts/install-deps.sh
scripts/build.sh native win64 >/dev/null
echo "query: $params"
echo
echo "== native: filedata --json"
build/native/bin/filedata --json "$params"
echo
echo "== QeltGen_Filedata.dll through DllGetClassObject and IClassFactory (filedata-host.exe under wine64)"
cmake/wine-run.sh build/win64/bin/filedata-host.exe --dll build/win64/bin/QeltGen_Filedata.dll "$params"
