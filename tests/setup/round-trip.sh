#!/usr/bin/env bash
# Installs, starts and uninstalls dist/varnel-<version>-setup.exe under Wine (after scripts/package); where this
# machine runs no 32-bit program, the same setup script built for 64-bit Windows.
# It runs in a Wine prefix of its own: the installer writes to HKLM, Program Files and the Run key, and nothing of
# that may reach the prefix that the other tests share, even when this test fails halfway.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env
version=$(sed -n -E 's/^#define VARNEL_VERSION_TEXT "([0-9.]+)"$/\1/p' build/win32/generated/core/Version.h)
setup=$PWD/dist/varnel-$version-setup.exe
[ -f "$setup" ] || { echo "round-trip: $setup is missing; run scripts/package first" >&2; exit 1; }
if [ "$VARNEL_ARCH" = win64 ]; then
  # This machine runs no 32-bit program, the shipped setup included: the same script is built for 64-bit
  # Windows around the 64-bit build, with the same texts beside it.
  cmake --build --preset win64 --target varnel varnelc
  stage=build/package/varnel-$version-win64
  rm -rf "$stage" && mkdir -p "$stage"
  cp "build/package/varnel-$version/BENIOKU.txt" "build/package/varnel-$version/LICENSE.txt" "$stage/"
  for program in varnel varnelc; do
    x86_64-w64-mingw32-strip -o "$stage/$program.exe" build/win64/bin/$program.exe
  done
  setup=$PWD/build/package/varnel-$version-setup-win64.exe
  packaging/make-setup.sh "$version" "$stage" "$setup" amd64-unicode
  echo "round-trip: the 64-bit build of the setup program, $setup"
fi
cmake --build --preset "$VARNEL_ARCH" --target setup_tests

# A copy of the project's prefix is ready at once, where a new one would take wineboot's time.
wineserver -w
prefix=$PWD/build/wineprefix-setup
rm -rf "$prefix"
cp -a "$WINEPREFIX" "$prefix"
export WINEPREFIX=$prefix
own_display=
if [ -z "${DISPLAY:-}" ]; then
  start_private_display
  own_display=$XVFB_PID
fi
trap 'wineserver -k 2>/dev/null || true; [ -z "$own_display" ] || kill "$own_display" 2>/dev/null || true' EXIT

cd "build/$VARNEL_ARCH/bin/test"
VARNEL_SETUP="Z:${setup//\//\\}" "$WINE" ./setup_tests.exe
