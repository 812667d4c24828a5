#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for SECONDS (default 600)
# each, as many at once as there are cores, on a scratch copy of its seed corpus (the
# committed corpus never grows from here). Prints executions, coverage and
# findings per target; exits non-zero when any target failed. Crash inputs
# land in build/fuzz/artifacts, full logs in build/fuzz/logs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
root=$PWD
bin=$root/build/fuzz/bin
artifacts=$root/build/fuzz/artifacts
logs=$root/build/fuzz/logs

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
mkdir -p "$artifacts" "$logs"
scratch=$(mktemp -d /tmp/filedata-fuzz-corpus.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# target, harness (its corpus and dictionary), query library, longest input
targets=$(grep '^[^#]' "$root/fuzz/targets.txt")

# One target's run: its summary line goes to $scratch/$target.summary, and
# the file's presence under .failed says it failed.
run_target() {
  local target=$1 corpus=$2 max_len=$3
  cp -r "$root/fuzz/corpus/$corpus" "$scratch/$target"
  local options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -print_final_stats=1
                 -artifact_prefix="$artifacts/$target-")
  local dict=$root/fuzz/dict/$corpus.dict
  [ -f "$dict" ] && options+=(-dict="$dict")
  local log=$logs/$target.log rc=0 found
  "$bin/$target" "${options[@]}" "$scratch/$target" >"$log" 2>&1 || rc=$?
  local executions coverage
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
  if [ "$rc" -eq 0 ]; then
    found=none
  else
    touch "$scratch/$target.failed"
    local artifact
    artifact=$(sed -n 's/.*Test unit written to //p' "$log" | tail -1)
    found="FAILED (exit $rc) ${artifact:-no input written}; see $log"
    grep -E '^==== property failed|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|terminate called' "$log" | head -3 || true
  fi
  printf '%-28s %12s execs  %-20s %s\n' "$target" "${executions:-?}" "${coverage:-cov: ?}" "$found" \
    >"$scratch/$target.summary"
}

# Each target is one process on one core: as many run at once as there are cores.
jobs=$(nproc)
while read -r target corpus _ max_len; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  echo "== $target: ${seconds}s"
  run_target "$target" "$corpus" "$max_len" &
done <<<"$targets"
wait

status=0
echo "== fuzz summary (${seconds}s per target)"
while read -r target _; do
  if [ ! -f "$scratch/$target.summary" ]; then
    echo "$target: ended without a summary; see $logs/$target.log"
    status=1
    continue
  fi
  cat "$scratch/$target.summary"
  if [ -e "$scratch/$target.failed" ]; then status=1; fi
done <<<"$targets"
exit $status
