#!/usr/bin/env bash
# The plug-in's main job: answers a query on the shipped sample file,
# natively, then through the shipped 32-bit DLL loaded the way the host loads
# it (under 32-bit Wine; the win64 build under wine64 where this kernel cannot
# run 32-bit programs).
set -euo pipefail
cd "$(dirname "$0")/.."
params=${1:-'FILENAME=samples/temp.txt|LINE=0|START=7|LENGTH=4'}
started=$(date +%s)
elapsed() { echo "($(($(date +%s) - started)) s)"; }
echo "== packages: only what this needs (scripts/install-deps.sh --demo)"
scripts/install-deps.sh --demo
if scripts/runs-32bit.sh; then
  windows=win32 wine="32-bit Wine"
else
  windows=win64 wine=wine64
  echo "note: this kernel cannot run 32-bit programs; showing the 64-bit DLL instead"
fi
echo "== build: the native command, the $windows DLL and the host stand-in, no tests $(elapsed)"
cmake --preset demo-native >/dev/null
cmake --build build/demo/native --target filedata >/dev/null
cmake --preset "demo-$windows" >/dev/null
cmake --build "build/demo/$windows" --target QeltGen_Filedata filedata-host >/dev/null
echo "== ready $(elapsed)"
echo "query: $params"
echo
echo "== native: filedata --json"
build/demo/native/bin/filedata --json "$params"
echo
echo "== build/demo/$windows/bin/QeltGen_Filedata.dll through DllGetClassObject and IClassFactory (filedata-host.exe under $wine)"
bin=build/demo/$windows/bin
cmake/wine-run.sh "$bin/filedata-host.exe" --dll "$bin/QeltGen_Filedata.dll" "$params"
echo
echo "== done $(elapsed). Next:"
echo "  why the answer is what it is:  build/demo/native/bin/filedata --explain '$params'"
echo "  set a reading up by pointing:  the Filedata Tester (README, \"The Filedata Tester\"), built by scripts/build.sh $windows"
echo "  every test:                    scripts/test.sh"
