#!/usr/bin/env bash
# Installs the MSI as a user would, in a fresh Wine prefix of the given
# width (a 32-bit package in a 64-bit prefix is the usual case: 32-bit
# host, 64-bit Windows): over an older version built here, then checks the
# files, the one Programs and Features entry, the class's registry rows in
# the package's view of the registry only, that they are exactly what
# regsvr32 writes, a query by class identifier, a downgrade refused, and an
# uninstall that leaves nothing behind; then once more with regsvr32 /u
# before the uninstall.
# Usage: msi-test.sh CPACK_CONFIG WINE_RUN PREFIX_WIDTH(win32|win64) HOST_EXE
set -euo pipefail
config=$1 wine_run=$2 width=$3 build_host=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(cd "$(dirname "$config")" && pwd)/msi-test-$width
rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fail() { echo "FAIL: $*" >&2; exit 1; }
# No step fails in silence: name the one that did.
set -E
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND (exit $?)" >&2' ERR
run() { "$wine_run" "$@"; }
clean() { tr -d '\r'; }
# A Unix path as Wine's programs name it: drive Z: is the root.
win() { local path=$1; echo "Z:${path//\//\\}"; }

cpack --config "$config" -B "$work/out" >/dev/null
msi=$(echo "$work"/out/Filedata-*.msi)
[ -f "$msi" ] || fail "cpack wrote no MSI"
version=$(basename "$msi" .msi | cut -d- -f2)
arch=$(basename "$msi" .msi | cut -d- -f3)
stage=$(dirname "$(find "$work/out/_CPack_Packages" -name QeltGen_Filedata.dll | head -1)")
echo "package: $(basename "$msi") in a $width prefix"

# An older version of the same package, which knows a file of its own.
cp -r "$stage" "$work/old-stage"
echo "an older version's note" >"$work/old-stage/old-only.txt"
sed -i '1s/^/(older) /' "$work/old-stage/INSTALL.txt"
rows_tool=$(sed -n 's/^set(CPACK_FILEDATA_ROWS_TOOL "\(.*\)")$/\1/p' "$config")
cmake -DMSI_VERSION=0.9.0 -DMSI_ARCH="$arch" -DMSI_STAGE="$work/old-stage" -DMSI_OUTPUT="$work/old.msi" \
  -DMSI_WORK="$work/old-msi" -DMSI_ROWS_TOOL="$rows_tool" -P "$here/../../packaging/MakeMsi.cmake" >/dev/null

# A fresh prefix of the width asked for.
if [ "$width" = win64 ]; then loader=/usr/lib/wine/wine64; else loader=/usr/lib/wine/wine; fi
# wineboot may report a failure of its own under load and still have made the prefix.
WINEARCH=$width "$loader" wineboot -i >/dev/null 2>&1 || true
[ -d "$WINEPREFIX/drive_c/windows/system32" ] || fail "wineboot made no prefix"
system32="$WINEPREFIX/drive_c/windows/system32"
msiexec="$system32/msiexec.exe"
# Where the package's files go, and the registry as a host of its width
# sees it (through that width's reg.exe); the other width must not see the
# class.
view_reg="$system32/reg.exe" other_reg=
if [ "$arch" = win32 ] && [ "$width" = win64 ]; then
  folder="$WINEPREFIX/drive_c/Program Files (x86)/Filedata" dll='C:\Program Files (x86)\Filedata\QeltGen_Filedata.dll'
  view_reg="$WINEPREFIX/drive_c/windows/syswow64/reg.exe" other_reg="$system32/reg.exe"
  uninstall='HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
  regsvr32="$WINEPREFIX/drive_c/windows/syswow64/regsvr32.exe"
else
  folder="$WINEPREFIX/drive_c/Program Files/Filedata" dll='C:\Program Files\Filedata\QeltGen_Filedata.dll'
  [ "$width" = win64 ] && other_reg="$WINEPREFIX/drive_c/windows/syswow64/reg.exe"
  uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
  regsvr32="$system32/regsvr32.exe"
fi
class='HKCR\CLSID\{74AE9A69-3FE7-496B-A375-893E076AD04D}'
progid='HKCR\QeltGen_Filedata.FileData'
query='FILENAME=C:\Filedata-sample.txt|LINE=0|START=7|LENGTH=4'
cp "$stage/sample/temp.txt" "$WINEPREFIX/drive_c/Filedata-sample.txt"

exists() { run "${2:-$view_reg}" query "$1" >/dev/null 2>&1; }
entries() { run "$system32/reg.exe" query "$uninstall" /s 2>/dev/null | clean | grep -c 'DisplayName    REG_SZ    Filedata$' || true; }
shown_version() { run "$system32/reg.exe" query "$uninstall" /s 2>/dev/null | clean | sed -n 's/.*DisplayVersion    REG_SZ    //p'; }
menu() { find "$WINEPREFIX/drive_c" -name 'Filedata Tester.lnk' 2>/dev/null | head -1; }
export_rows() { rm -f "$2"; run "$view_reg" export "$1" "$(win "$2")" >/dev/null 2>&1 || true; }
answer() { run "$1" --json --clsid "$query" 2>/dev/null | clean | grep -o '"answer":{[^}]*}' || true; }

check_installed() {
  for file in QeltGen_Filedata.dll filedata.exe filedata-host.exe filedata-tester.exe INSTALL.txt LICENSE.txt sample/temp.txt; do
    cmp -s "$stage/$file" "$folder/$file" || fail "$file is not the package's"
  done
  [ "$(entries)" = 1 ] || fail "$(entries) Programs and Features entries"
  [ "$(shown_version)" = "$version" ] || fail "Programs and Features shows version '$(shown_version)'"
  [ -n "$(menu)" ] || fail "no Start menu shortcut to the tester"
  exists "$class\\InprocServer32" || fail "no class in the $arch view of the registry"
  exists "$progid\\Clsid" || fail "no ProgID in the $arch view of the registry"
  if [ -n "$other_reg" ] && exists "$class" "$other_reg"; then fail "the class is in the other view of the registry too"; fi
  server=$(run "$view_reg" query "$class\\InprocServer32" /ve | clean | sed -n 's/.*REG_SZ[[:space:]]*//p')
  [ "$(run "$system32/winepath.exe" -u "$server" | clean)" -ef "$folder/QeltGen_Filedata.dll" ] ||
    fail "InprocServer32 '$server' is not the installed DLL"
  [ "$(answer "$folder/filedata-host.exe")" = '"answer":{"hr":"S_OK","kind":0,"number":42.5}' ] ||
    fail "by class identifier the host stand-in answered '$(answer "$folder/filedata-host.exe")'"
}

check_gone() {
  [ ! -e "$folder" ] || fail "$folder is still there: $(ls -A "$folder")"
  [ "$(entries)" = 0 ] || fail "a Programs and Features entry is left"
  [ -z "$(menu)" ] || fail "the Start menu shortcut is left"
  for key in "$class" "$progid"; do
    if exists "$key"; then fail "$key is left"; fi
    if [ -n "$other_reg" ] && exists "$key" "$other_reg"; then fail "$key is left in the other view"; fi
  done
  if run "$build_host" --clsid "$query" >/dev/null 2>&1; then fail "the class can still be created"; fi
}

# Older, then this version over it: one entry, the new files, no old file.
run "$msiexec" /i "$(win "$work/old.msi")" /qn || fail "the older MSI did not install"
[ "$(shown_version)" = 0.9.0 ] && [ -f "$folder/old-only.txt" ] || fail "the older version is not installed"
run "$msiexec" /i "$(win "$msi")" /qn || fail "the MSI did not install over the older one"
[ ! -e "$folder/old-only.txt" ] || fail "the older version's file is left after the upgrade"
check_installed
echo "upgraded from 0.9.0 to $version: one entry, the new files, the class in the $arch view only, 42.5 by class identifier"

# The rows are what registration writes: regsvr32 changes nothing.
export_rows "$class" "$work/class-msi.reg"; export_rows "$progid" "$work/progid-msi.reg"
run "$regsvr32" /s "$dll" || fail "regsvr32 failed"
export_rows "$class" "$work/class-regsvr32.reg"; export_rows "$progid" "$work/progid-regsvr32.reg"
[ -s "$work/class-msi.reg" ] && [ -s "$work/progid-msi.reg" ] || fail "the rows could not be exported"
diff "$work/class-msi.reg" "$work/class-regsvr32.reg" || fail "regsvr32 changed the class key"
diff "$work/progid-msi.reg" "$work/progid-regsvr32.reg" || fail "regsvr32 changed the ProgID key"
echo "regsvr32 over the installed rows changes nothing"

# An older package over this one is refused, with its reason.
if run "$msiexec" /i "$(win "$work/old.msi")" /qn; then
  fail "the older MSI installed over the newer one"
fi
[ "$(shown_version)" = "$version" ] || fail "after the refused downgrade the version is '$(shown_version)'"
# Windows shows the reason in a box; Wine, quiet, logs only the failed
# launch condition, so the reason is read from the package itself.
msiinfo export "$work/old.msi" LaunchCondition | grep -q $'^NOT WIX_DOWNGRADE_DETECTED\tA newer version of Filedata is already installed' ||
  fail "the package does not say why it refuses"
echo "the older version is refused: A newer version of Filedata is already installed"

run "$msiexec" /x "$(win "$msi")" /qn || fail "the uninstall failed"
check_gone
echo "uninstalled: no file, folder, entry, shortcut, class or ProgID left; the class cannot be created"

# Once more: regsvr32 /u first leaves nothing, and the uninstall still goes through.
run "$msiexec" /i "$(win "$msi")" /qn || fail "the MSI did not install again"
check_installed
run "$regsvr32" /s /u "$dll" || fail "regsvr32 /u failed"
for key in "$class" "$progid"; do
  if exists "$key"; then fail "regsvr32 /u left $key"; fi
done
run "$msiexec" /x "$(win "$msi")" /qn || fail "the uninstall after regsvr32 /u failed"
check_gone
echo "regsvr32 /u leaves none of the rows, and the uninstall after it leaves nothing"
