#!/usr/bin/env bash
# Shows that the shipped binaries are reproducible: builds this commit in
# two folders of different names and depths and compares the DLL and the
# tools byte for byte (the Windows builds and the native command), and looks
# for the build folders' paths in them. Exit status 0 when every file is the
# same and holds no build path. With --against-built, one of the two is this
# checkout's own build/<preset>, already built by the test command (when the
# checkout is exactly the commit), so that only one more build is needed.
# Usage: scripts/check-reproducible.sh [--against-built] [PRESET ...]   (default: win32 win64 native)
set -euo pipefail
cd "$(dirname "$0")/.."
against_built=false
[ "${1:-}" = --against-built ] && { against_built=true; shift; }
presets=("$@")
[ ${#presets[@]} -eq 0 ] && presets=(win32 win64 native)
scripts/install-deps.sh >/dev/null
work=$(mktemp -d /tmp/filedata-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)
copies=("$work/a/filedata" "$work/bb/somewhere/else/filedata-copy")
if $against_built && [ -z "$(git status --porcelain --untracked-files=no)" ]; then
  copies[0]=$PWD
elif $against_built; then
  echo "note: the checkout differs from $commit; building it twice instead"
  against_built=false
fi
for copy in "${copies[@]}"; do
  [ "$copy" = "$PWD" ] && continue
  mkdir -p "$copy"
  git archive "$commit" | tar -x -C "$copy"
done
targets() { echo filedata; [ "$1" != native ] && echo QeltGen_Filedata filedata-host filedata-tester; }
status=0
for preset in "${presets[@]}"; do
  for copy in "${copies[@]}"; do
    # The checkout's own build has its tests too; they change none of these files.
    [ "$copy" = "$PWD" ] && [ -d "build/$preset" ] && continue
    # shellcheck disable=SC2046
    (cd "$copy" && cmake --preset "$preset" -DFILEDATA_BUILD_TESTS=OFF >/dev/null &&
      cmake --build --preset "$preset" --target $(targets "$preset") >/dev/null)
  done
  for file in $(cd "${copies[1]}/build/$preset/bin" && ls QeltGen_Filedata.dll filedata filedata.exe filedata-host.exe filedata-tester.exe 2>/dev/null); do
    a=$(sha256sum <"${copies[0]}/build/$preset/bin/$file" | cut -d' ' -f1)
    b=$(sha256sum <"${copies[1]}/build/$preset/bin/$file" | cut -d' ' -f1)
    if grep -q -a -F -e "${copies[0]}" -e "${copies[1]}" "${copies[0]}/build/$preset/bin/$file" "${copies[1]}/build/$preset/bin/$file"; then
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
