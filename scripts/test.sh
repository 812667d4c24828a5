#!/usr/bin/env bash
# Every test: native, win64 under wine64 and win32 under 32-bit Wine (with
# the release packages installed into fresh prefixes); then the native tests
# under the sanitizers, 30 seconds of each fuzz target, and two clean builds
# of the shipped 32-bit binaries compared byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
echo "== packages ready (at ${SECONDS}s)"
scripts/build.sh native win64 win32
win32_tests=()
if ! scripts/runs-32bit.sh; then
  echo "note: this kernel cannot run 32-bit programs; win32 runs its static checks only"
  win32_tests=(-R plugin_dll_exports)
fi
status=0
run() { echo "== ctest --preset $* (at ${SECONDS}s)"; ctest --preset "$@" || status=1; }
run native
run win64
run win32 "${win32_tests[@]}"
cmake --preset asan >/dev/null
cmake --build --preset asan -j2
run asan
echo "== scripts/fuzz.sh 30 (at ${SECONDS}s)"
scripts/fuzz.sh 30 || status=1
echo "== scripts/check-reproducible.sh win32 (at ${SECONDS}s)"
scripts/check-reproducible.sh win32 || status=1
echo "== done in ${SECONDS}s"
exit $status
