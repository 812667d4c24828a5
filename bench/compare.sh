#!/usr/bin/env bash
# Times filedata against the floor of a full pass (a bare 64 KiB read loop
# with a zero-byte search) and against the usual tools, on a 1 GB file of
# CRLF log lines, and on the same lines as a 1 GB UTF-16LE file (as
# PowerShell writes them) against the bare reads, and prints the ratios in
# one table. Natively, and the Windows builds under Wine against a bare
# ReadFile loop under the same Wine. The view a tool asks for (--explain of
# a number, which reads the file's lines for its advice) against LINE=0.
# Medians of paired runs (A B A B ...), page cache warm.
# Usage: bench/compare.sh [RUNS]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
work=build/bench
mkdir -p "$work"
file=$work/log-1GB.txt

scripts/install-deps.sh >/dev/null
presets=(native win64)
scripts/runs-32bit.sh && presets+=(win32)
scripts/build.sh "${presets[@]}" >/dev/null
cc -O2 -o "$work/read_loop" bench/floor/read_loop.c
x86_64-w64-mingw32-gcc -O2 -o "$work/readfile_loop64.exe" bench/floor/readfile_loop.c
i686-w64-mingw32-gcc -O2 -o "$work/readfile_loop32.exe" bench/floor/readfile_loop.c

if [ ! -s "$file" ]; then
  echo "making $file"
  # yes ends on the broken pipe once head has its bytes.
  { yes $'2026-12-08 18:00:00.000 sensor=7 status=ok Temp: 42.5 C door=closed\r' || true; } | head -c 1000000000 >"$file"
fi
wide=$work/log-1GB-utf16.txt
if [ ! -s "$wide" ]; then
  echo "making $wide"
  { printf '\xff\xfe'; head -c 500000000 "$file" | iconv -f ASCII -t UTF-16LE; } >"$wide"
fi
lines=$(wc -l <"$file")
middle=$((lines / 2))
cat "$file" "$wide" >/dev/null  # warm the page cache

now() { date +%s%N; }
# Median wall seconds of command A and of command B, run in turn RUNS times.
paired() {
  local a=$1 b=$2 ta=() tb=() start
  for ((i = 0; i < 2; i++)); do  # warm-up
    eval "$a" >/dev/null 2>&1 || true
    eval "$b" >/dev/null 2>&1 || true
  done
  for ((i = 0; i < runs; i++)); do
    start=$(now); eval "$a" >/dev/null 2>&1 || true; ta+=($(($(now) - start)))
    start=$(now); eval "$b" >/dev/null 2>&1 || true; tb+=($(($(now) - start)))
  done
  median() { printf '%s\n' "$@" | sort -n | awk '{v[NR]=$1} END {printf "%.3f", v[int((NR+1)/2)]/1e9}'; }
  echo "$(median "${ta[@]}") $(median "${tb[@]}")"
}
row() {  # label, A, reference label, B
  read -r ta tb < <(paired "$2" "$4")
  printf '| %-34s | %7s s | %-38s | %7s s | %5.2f× |\n' "$1" "$ta" "$3" "$tb" "$(awk -v a="$ta" -v b="$tb" 'BEGIN {print (b > 0 ? a / b : 0)}')"
}

q() { printf "'FILENAME=%s|LINE=%s'" "$1" "$2"; }
# A cut that reads as a number on every line, the last one (cut short by the
# file's size) too, so that --explain reads the file's view for its advice.
qv() { printf "'FILENAME=%s|LINE=%s|START=1|LENGTH=4'" "$1" "$2"; }
native=build/native/bin/filedata
echo
echo "$(date -u +%Y-%m-%d), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs),"
echo "$file: $(stat -c %s "$file") bytes, $lines lines; $wide: $(stat -c %s "$wide") bytes; medians of $runs paired runs"
echo
echo '| query | filedata | reference | | ratio |'
echo '|---|---:|---|---:|---:|'
row "LINE=0 native" "$native $(q "$file" 0)" "read loop with memchr (64 KiB)" "$work/read_loop $file"
row "LINE=-1 native" "$native $(q "$file" -1)" "read loop with memchr (64 KiB)" "$work/read_loop $file"
row "LINE=0 native" "$native $(q "$file" 0)" "wc -l" "wc -l $file"
row "LINE=0 native" "$native $(q "$file" 0)" "tail -n 1" "tail -n 1 $file"
row "LINE=0 native" "$native $(q "$file" 0)" "awk 'END {print}'" "awk 'END {print}' $file"
row "LINE=1 native" "$native $(q "$file" 1)" "head -n 1" "head -n 1 $file"
row "LINE=$middle native" "$native $(q "$file" $middle)" "sed -n '${middle}{p;q}'" "sed -n '${middle}{p;q}' $file"
for line in 0 -1; do
  row "UTF-16LE LINE=$line native" "$native $(q "$wide" $line)" "read loop alone (64 KiB), same file" "$work/read_loop $wide --read-only"
done
# The view a tool asks for: after LINE=1 one more pass finds the end and counts; after LINE=0 none.
for line in 1 0; do
  row "view after LINE=$line native" "$native --explain $(qv "$file" $line)" "LINE=0 native" "$native $(q "$file" 0)"
done

# Each Windows build against the bare loop of its own width under the same
# Wine. Each prefix's server stays up for the runs, so that no run pays for
# starting it.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
in_prefix() { echo "WINEPREFIX=$PWD/build/$1/wineprefix-$1 cmake/wine-run.sh"; }
for preset in "${presets[@]}"; do
  [ "$preset" = native ] && continue
  # The first run makes the build's prefix, when no test has yet.
  cmake/wine-run.sh "build/$preset/bin/filedata.exe" --version >/dev/null
  WINEPREFIX=$PWD/build/$preset/wineprefix-$preset /usr/lib/wine/wineserver -k 2>/dev/null || true
  WINEPREFIX=$PWD/build/$preset/wineprefix-$preset /usr/lib/wine/wineserver -p
done
for preset in "${presets[@]}"; do
  [ "$preset" = native ] && continue
  exe="$(in_prefix "$preset") build/$preset/bin/filedata.exe"
  floor="$(in_prefix "$preset") $work/readfile_loop${preset#win}.exe $file"
  row "LINE=0 $preset under Wine" "$exe $(q "$file" 0)" "ReadFile loop with memchr, same Wine" "$floor"
  # The C library's memchr is a byte loop under Wine; the reads alone are the floor there.
  for line in 0 -1; do
    row "LINE=$line $preset under Wine" "$exe $(q "$file" $line)" "ReadFile loop alone, same Wine" "$floor --read-only"
  done
  for line in 0 -1; do
    row "UTF-16LE LINE=$line $preset under Wine" "$exe $(q "$wide" $line)" "ReadFile loop alone, same Wine" \
      "$(in_prefix "$preset") $work/readfile_loop${preset#win}.exe $wide --read-only"
  done
  for line in 1 0; do
    row "view after LINE=$line $preset under Wine" "$exe --explain $(qv "$file" $line)" "LINE=0 $preset under Wine" \
      "$exe $(q "$file" 0)"
  done
done
if [[ " ${presets[*]} " == *" win32 "* ]]; then
  row "LINE=0 win32 under Wine" "$(in_prefix win32) build/win32/bin/filedata.exe $(q "$file" 0)" \
    "LINE=0 win64 under wine64" "$(in_prefix win64) build/win64/bin/filedata.exe $(q "$file" 0)"
fi
for preset in "${presets[@]}"; do
  [ "$preset" = native ] || WINEPREFIX=$PWD/build/$preset/wineprefix-$preset /usr/lib/wine/wineserver -k || true
done
echo
echo "peak memory, LINE=0 native: $(/usr/bin/time -f %M "$native" "FILENAME=$file|LINE=0" 2>&1 >/dev/null) KB," \
  "UTF-16LE: $(/usr/bin/time -f %M "$native" "FILENAME=$wide|LINE=0" 2>&1 >/dev/null) KB"
