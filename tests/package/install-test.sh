#!/usr/bin/env bash
# Installs the release zip as a user would: builds it with CPack, unpacks it
# into C:\Program Files\Filedata of a fresh Wine prefix of the given width,
# registers the DLL with the regsvr32 of its own width (on 64-bit Windows a
# 32-bit DLL takes SysWOW64's), reads the entries back, queries the plug-in
# by class identifier through the host stand-in, unregisters it and checks
# that the entries are gone.
# Usage: install-test.sh CPACK_CONFIG WINE_RUN PREFIX_WIDTH(win32|win64)
set -euo pipefail
config=$1 wine_run=$2 width=${3:-}
work=$(cd "$(dirname "$config")" && pwd)/package-test-${width:-default}
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"

fail() { echo "FAIL: $*" >&2; exit 1; }
# No step fails in silence: name the one that did.
set -E
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND (exit $?)" >&2' ERR
run() { "$wine_run" "$@"; }

cpack --config "$config" -B "$work/out" >/dev/null
zip=$(echo "$work"/out/Filedata-*.zip)
[ -f "$zip" ] || fail "cpack wrote no zip"
echo "package: $(basename "$zip")"
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder=$(echo "$work"/unpacked/Filedata-*)
for file in QeltGen_Filedata.dll filedata.exe filedata-host.exe filedata-tester.exe INSTALL.txt LICENSE.txt sample/temp.txt; do
  [ -f "$folder/$file" ] || fail "the package lacks $file"
done

# A fresh prefix, then the folder goes where a user puts it.
query='FILENAME=C:\Program Files\Filedata\sample\temp.txt|LINE=0|START=7|LENGTH=4'
if [ "$width" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi
if [ -n "$width" ]; then
  # wineboot may report a failure of its own under load and still have made the prefix.
  WINEDEBUG=-all WINEARCH=$width "$loader" wineboot -i >/dev/null 2>&1 || true
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || fail "wineboot made no prefix"
else
  run "$folder/filedata.exe" --help >/dev/null  # the prefix takes the package's width
fi
installed="$WINEPREFIX/drive_c/Program Files/Filedata"
mv "$folder" "$installed"
system32="$WINEPREFIX/drive_c/windows/system32"
# A 32-bit DLL on 64-bit Windows: SysWOW64's regsvr32 and the 32-bit view.
tools=$system32
case $width:$zip in win64:*-win32.zip) tools="$WINEPREFIX/drive_c/windows/syswow64" ;; esac
dll='C:\Program Files\Filedata\QeltGen_Filedata.dll'
class='HKCR\CLSID\{74AE9A69-3FE7-496B-A375-893E076AD04D}'

answer=$(run "$installed/filedata.exe" "$query" | tr -d '\r')
[ "$answer" = 42.5 ] || fail "filedata.exe answered '$answer'"

run "$tools/regsvr32.exe" /s "$dll" || fail "regsvr32 failed"
server=$(run "$tools/reg.exe" query "$class\\InprocServer32" /ve | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
echo "registered: $server"
# The folder has a space, so the short form of the path is registered.
case $server in *' '*) fail "the registered path has a space: $server" ;; esac
[ "$(run "$system32/winepath.exe" -u "$server" | tr -d '\r')" -ef "$installed/QeltGen_Filedata.dll" ] ||
  fail "InprocServer32 '$server' is not the installed DLL"
run "$tools/reg.exe" query 'HKCR\QeltGen_Filedata.FileData\Clsid' /ve | grep -q '{74AE9A69-3FE7-496B-A375-893E076AD04D}' ||
  fail "the ProgID does not name the class"

report=$(run "$installed/filedata-host.exe" --json --clsid "$query" | tr -d '\r')
case $report in
  *'"answer":{"hr":"S_OK","kind":0,"number":42.5}'*) echo "host stand-in by class identifier: 42.5" ;;
  *) fail "the host stand-in answered: $report" ;;
esac

run "$tools/regsvr32.exe" /s /u "$dll" || fail "regsvr32 /u failed"
for key in "$class" 'HKCR\QeltGen_Filedata.FileData'; do
  if run "$tools/reg.exe" query "$key" >/dev/null 2>&1; then fail "$key is still there"; fi
done
if run "$installed/filedata-host.exe" --clsid "$query" >/dev/null 2>&1; then
  fail "the class can still be created after unregistering"
fi
echo "installed, registered, queried and unregistered"
