#!/usr/bin/env bash
# Every test: native, win64 under wine64 and win32 under 32-bit Wine (with
# the release packages installed into fresh prefixes); then the native tests
# under the sanitizers, 30 seconds of each fuzz target, and two clean builds
# of the shipped 32-bit binaries compared byte for byte.
#
# The Windows suites spend most of their time waiting on Wine, so each starts
# as soon as its build is done, and the builds after it (win64, then the
# sanitizer, fuzz and reproducibility builds) use the idle processor
# meanwhile at the lowest priority: the suites' timing checks keep the
# processor they need.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
echo "== packages ready (at ${SECONDS}s)"
win32_tests=()
if ! scripts/runs-32bit.sh; then
  echo "note: this kernel cannot run 32-bit programs; win32 runs its static checks only"
  win32_tests=(-R plugin_dll_exports)
fi
status=0
run() { echo "== ctest --preset $* (at ${SECONDS}s)"; ctest --preset "$@" || status=1; }
scripts/build.sh native
run native

logs=build/test-logs
mkdir -p "$logs"
scripts/build.sh win32
echo "== ctest --preset win32 starts (at ${SECONDS}s); meanwhile, at the lowest priority, the win64 build"
ctest --preset win32 "${win32_tests[@]}" >"$logs/win32.log" 2>&1 & win32=$!
builds_status=0
nice -n 19 scripts/build.sh win64 >"$logs/win64-build.log" 2>&1 || builds_status=1
echo "== ctest --preset win64 starts (at ${SECONDS}s)"
ctest --preset win64 >"$logs/win64.log" 2>&1 & win64=$!
echo "== meanwhile, at the lowest priority: the asan and fuzz builds, scripts/check-reproducible.sh win32"
nice -n 19 bash -c 'cmake --preset asan >/dev/null && cmake --build --preset asan &&
                    cmake --preset fuzz >/dev/null && cmake --build --preset fuzz' \
  >"$logs/builds.log" 2>&1 || builds_status=1
nice -n 19 scripts/check-reproducible.sh win32 >"$logs/reproducible.log" 2>&1 || builds_status=1
for preset in win64 win32; do
  rc=0
  wait "${!preset}" || rc=$?
  echo "== ctest --preset $preset (ended by ${SECONDS}s, exit $rc)"
  cat "$logs/$preset.log"
  [ "$rc" -eq 0 ] || status=1
done
echo "== scripts/check-reproducible.sh win32"
cat "$logs/reproducible.log"
if [ "$builds_status" -ne 0 ]; then
  status=1
  echo "== a build failed:"
  tail -n 40 "$logs/win64-build.log" "$logs/builds.log"
fi

run asan
echo "== scripts/fuzz.sh 30 (at ${SECONDS}s)"
scripts/fuzz.sh 30 || status=1
echo "== done in ${SECONDS}s"
exit $status
