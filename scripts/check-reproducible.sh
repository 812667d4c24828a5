#!/usr/bin/env bash
# Shows that the shipped binaries are reproducible: builds this commit twice,
# from two clean copies in folders of different names and depths, and
# compares the DLL and the tools byte for byte (the Windows builds and the
# native command), and looks for the build folders' paths in them. Exit
# status 0 when every file is the same and holds no build path.
# Usage: scripts/check-reproducible.sh [PRESET ...]   (default: win32 win64 native)
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ $# -eq 0 ] && presets=(win32 win64 native)
scripts/install-deps.sh >/dev/null
work=$(mktemp -d /tmp/filedata-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)
copies=("$work/a/filedata" "$work/bb/somewhere/else/filedata-copy")
for copy in "${copies[@]}"; do
  mkdir -p "$copy"
  git archive "$commit" | tar -x -C "$copy"
done
status=0
for preset in "${presets[@]}"; do
  for copy in "${copies[@]}"; do
    (cd "$copy" && cmake --preset "$preset" -DFILEDATA_BUILD_TESTS=OFF >/dev/null &&
      cmake --build --preset "$preset" --target filedata $( [ "$preset" != native ] && echo QeltGen_Filedata filedata-host filedata-tester ) >/dev/null)
  done
  for file in $(cd "${copies[0]}/build/$preset/bin" && ls QeltGen_Filedata.dll filedata filedata.exe filedata-host.exe filedata-tester.exe 2>/dev/null); do
    a=$(sha256sum <"${copies[0]}/build/$preset/bin/$file" | cut -d' ' -f1)
    b=$(sha256sum <"${copies[1]}/build/$preset/bin/$file" | cut -d' ' -f1)
    if grep -q -a -F -e "$work" "${copies[0]}/build/$preset/bin/$file"; then
      echo "BUILD PATH in $preset/$file"
      status=1
    elif [ "$a" = "$b" ]; then
      echo "same      $preset/$file  $a"
    else
      echo "DIFFERENT $preset/$file  $a / $b"
      status=1
    fi
  done
done
exit $status
