#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing:
# compilers, the MinGW-w64 cross compilers, Wine (32-bit too where the kernel
# runs 32-bit code), Xvfb for the tests that need a display, xdotool for a
# person's mouse and keys on it, ImageMagick for their screenshots, a
# Japanese font, wixl and msitools for the MSI, and the libraries; and the
# German and Japanese locales the tester's tests run Wine in (Wine takes
# the regional settings and the code page from LANG). Also unpacks Debian's
# Google Benchmark source for the Windows benchmarks. With --demo, only what scripts/demo.sh
# needs: the compilers and libraries of the native command, and the one
# MinGW-w64 compiler and Wine of the DLL it shows.
# Usage: scripts/install-deps.sh [--demo]
set -euo pipefail
[ -z "${FILEDATA_PACKAGES_READY:-}" ] || exit 0  # scripts/test.sh has run this already
here=$(cd "$(dirname "$0")" && pwd)
export DEBIAN_FRONTEND=noninteractive
demo=false
[ "${1:-}" = --demo ] && demo=true

installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }

packages=(cmake ninja-build g++ nlohmann-json3-dev libcli11-dev)
runs32=false
"$here/runs-32bit.sh" && runs32=true
if $demo && $runs32; then
  packages+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
elif $demo; then
  packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64)
else
  packages+=(
    clang libclang-rt-14-dev googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine64 xvfb xdotool imagemagick fonts-ipafont-gothic wixl msitools locales
  )
fi
if $runs32; then
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  packages+=(wine32:i386)
elif ! $demo; then
  echo "note: this kernel cannot run 32-bit programs; the win32 build is checked statically only"
fi

need=()
for package in "${packages[@]}"; do installed "$package" || need+=("$package"); done
if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  # A mirror in the middle of a sync fails one index and keeps the others:
  # go on with what came.
  apt-get update -qq || echo "note: apt-get update left some indexes out; installing from the rest"
  if ! apt-get install -y -qq "${need[@]}" >/dev/null; then
    # With one architecture's security index missing, the i386 half of a
    # multi-arch pair cannot match its amd64 half's security version: take
    # both from the release itself.
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    echo "note: retrying with the packages of $release itself"
    apt-get install -y -qq -t "$release" "${need[@]}" >/dev/null
  fi
fi

$demo && exit 0
for locale in de_DE ja_JP; do
  locale -a 2>/dev/null | grep -qx "$locale.utf8" || localedef -i "$locale" -f UTF-8 "$locale.UTF-8"
done
# Google Benchmark ships only a native library; the Windows builds compile
# Debian's source of the same version.
benchmark_src=/usr/src/benchmark
if [ ! -f "$benchmark_src/CMakeLists.txt" ]; then
  sources=/etc/apt/sources.list.d/debian-src.sources
  if [ ! -f "$sources" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$sources"
  fi
  work=$(mktemp -d)
  fetch() { (cd "$work" && apt-get source -qq --download-only "benchmark=$(dpkg-query -W -f='${Version}' libbenchmark-dev)") >/dev/null 2>&1; }
  if fetch || { apt-get update -qq && fetch; }; then
    mkdir -p "$benchmark_src"
    tar -xzf "$work"/benchmark_*.orig.tar.gz -C "$benchmark_src" --strip-components=1
  else
    echo "note: no Google Benchmark source from Debian; the Windows builds go without benchmarks"
  fi
  rm -rf "$work"
fi
