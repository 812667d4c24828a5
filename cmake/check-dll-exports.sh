#!/usr/bin/env bash
# Checks the plug-in library's file without running it: its PE format, its
# four exports by name and ordinal, and that it imports system DLLs only.
# Usage: check-dll-exports.sh DLL OBJDUMP EXPECTED_FORMAT   (e.g. pei-i386)
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 DLL OBJDUMP EXPECTED_FORMAT" >&2
  exit 2
fi
dll=$1 objdump=$2 expected_format=$3

expected_exports="1 DllUnregisterServer
2 DllRegisterServer
3 DllCanUnloadNow
4 DllGetClassObject"
allowed_imports="kernel32.dll user32.dll advapi32.dll ole32.dll oleaut32.dll msvcrt.dll"

dump=$("$objdump" -p "$dll")
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

echo "checking $dll"

format=$(sed -n 's/.*file format \([^[:space:]]*\).*/\1/p' <<<"$dump" | head -n 1)
echo "format: ${format:-none} (expected $expected_format)"
[ "$format" = "$expected_format" ] || fail "format is '${format:-none}', not '$expected_format'"

# "[Ordinal/Name Pointer] Table" lists "[   i] Name", i counted from the
# ordinal base.
base=$(awk '$1 == "Ordinal" && $2 == "Base" { print $3; exit }' <<<"$dump")
exports=$(awk -v base="${base:-0}" '
  /^\[Ordinal\/Name Pointer\] Table/ { listing = 1; next }
  listing && NF == 0 { exit }
  listing { line = $0; gsub(/[][]/, " ", line); split(line, f, " "); print f[1] + base, f[2] }
' <<<"$dump" | sort -n)
echo "ordinal base: ${base:-none}"
echo "exports:"
sed 's/^/  /' <<<"${exports:-(none)}"
[ "$exports" = "$expected_exports" ] || fail "exports differ from:
$expected_exports"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump")
echo "imports: $(tr '\n' ' ' <<<"${imports:-(none)}")"
while read -r import; do
  [ -n "$import" ] || continue
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$import")
  case " $allowed_imports " in
    *" $lower "*) ;;
    *) fail "imports $import, not a system DLL" ;;
  esac
done <<<"$imports"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
