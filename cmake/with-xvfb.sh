#!/usr/bin/env bash
# Runs a command with DISPLAY on an X server of its own: Xvfb on a display
# it picks itself (so tests may run side by side), stopped afterwards.
# A Windows console under Wine needs a display, even one nobody looks at.
# XVFB_SCREEN (1280x1024x24 by default) sets the screen's size.
set -euo pipefail
if ! command -v Xvfb >/dev/null; then
  echo "with-xvfb.sh: Xvfb is missing; run scripts/install-deps.sh" >&2
  exit 127
fi
ready=$(mktemp)
trap 'rm -f "$ready"' EXIT
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; rm -f "$ready"' EXIT
for _ in $(seq 100); do
  [ -s "$ready" ] && break
  kill -0 "$server" 2>/dev/null || { echo "with-xvfb.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
display=$(tr -d '\n' <"$ready")
[ -n "$display" ] || { echo "with-xvfb.sh: Xvfb gave no display" >&2; exit 1; }
status=0
DISPLAY=:$display "$@" || status=$?
exit $status
