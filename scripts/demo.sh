#!/usr/bin/env bash
# The plug-in's main job: answers a query on the shipped sample file,
# natively, then through the shipped 32-bit DLL loaded the way the host loads
# it (under 32-bit Wine; the win64 build under wine64 where this kernel cannot
# run 32-bit programs).
set -euo pipefail
cd "$(dirname "$0")/.."
params=${1:-'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'}
scripts/install-deps.sh
if scripts/runs-32bit.sh; then
  windows=win32 wine="32-bit Wine"
else
  windows=win64 wine=wine64
  echo "note: this kernel cannot run 32-bit programs; showing the 64-bit DLL instead"
fi
scripts/build.sh native "$windows" >/dev/null
echo "query: $params"
echo
echo "== native: filedata --json"
build/native/bin/filedata --json "$params"
echo
echo "== build/$windows/bin/QeltGen_Filedata.dll through DllGetClassObject and IClassFactory (filedata-host.exe under $wine)"
cmake/wine-run.sh "build/$windows/bin/filedata-host.exe" --dll "build/$windows/bin/QeltGen_Filedata.dll" "$params"
