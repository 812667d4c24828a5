#!/usr/bin/env bash
# Every test: native, win64 under wine64 and win32 under 32-bit Wine (with
# the release packages installed into fresh prefixes); then the native tests
# under the sanitizers, 30 seconds of each fuzz target, and the shipped
# 32-bit binaries built anew in another folder and compared byte for byte
# with the ones tested.
#
# Each Windows suite mostly waits on Wine, so it starts as soon as its build
# is done, and the builds after it use the idle processor meanwhile at the
# lowest priority, so that the suites' timing checks keep theirs. What runs
# beside writes to build/test-logs, shown once it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
logs=build/test-logs
mkdir -p "$logs"
status=0
failed_builds=()

phase() { echo "== $* (at ${SECONDS}s)"; }
# A failing suite or check fails the run without stopping it.
check() { "$@" || status=1; }
# Starts a suite or check beside what follows; `shown NAME PID` waits for it and shows its log.
beside() { local name=$1; shift; "$@" >"$logs/$name.log" 2>&1 & }
shown() {
  local rc=0; wait "$2" || rc=$?
  echo "== $1 (ended by ${SECONDS}s, exit $rc)"; cat "$logs/$1.log"; [ "$rc" -eq 0 ] || status=1
}
# A build beside the Wine suites; its log is shown only when it fails.
low() { local name=$1; shift; nice -n 19 "$@" >"$logs/$name.log" 2>&1 || failed_builds+=("$name"); }

phase "packages: scripts/install-deps.sh"
scripts/install-deps.sh
export FILEDATA_PACKAGES_READY=1
win32_suite=(ctest --preset win32)
scripts/runs-32bit.sh || { echo "note: this kernel cannot run 32-bit programs; win32 runs its static checks only"
                          win32_suite+=(-R plugin_dll_exports); }

phase "native: build, then ctest --preset native"
scripts/build.sh native
check ctest --preset native

phase "win32: build"
scripts/build.sh win32
phase "win32: ctest starts; beside it, at the lowest priority, the win64 build"
beside win32 "${win32_suite[@]}"; win32=$!
low win64-build scripts/build.sh win64
phase "win64: ctest starts; beside both suites, at the lowest priority, the asan and fuzz builds, then scripts/check-reproducible.sh --against-built win32"
beside win64 ctest --preset win64; win64=$!
low asan-build scripts/build.sh asan
low fuzz-build scripts/build.sh fuzz
beside reproducible nice -n 19 scripts/check-reproducible.sh --against-built win32; reproducible=$!

phase "waiting for what runs beside; its logs follow"
shown win64 "$win64"
shown win32 "$win32"
shown reproducible "$reproducible"
for name in "${failed_builds[@]}"; do status=1; echo "== $name failed:"; tail -n 40 "$logs/$name.log"; done

phase "asan: ctest --preset asan"
check ctest --preset asan
phase "fuzz: scripts/fuzz.sh 30"
check scripts/fuzz.sh 30
echo "== done in ${SECONDS}s, exit $status"
exit $status
