#!/usr/bin/env bash
# Configures and builds the given presets (default: native win64 win32).
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in "${@:-native win64 win32}"; do
  for p in $preset; do
    cmake --preset "$p" >/dev/null
    cmake --build --preset "$p"
  done
done
