#!/usr/bin/env bash
# Every test: native, win64 under wine64, and the static checks of win32.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh native win64 win32
status=0
for preset in native win64 win32; do
  echo "== ctest --preset $preset"
  ctest --preset "$preset" || status=1
done
exit $status
