#!/usr/bin/env bash
# Installs, starts and uninstalls dist/varnel-<version>-setup.exe under Wine (after scripts/package).
# It runs in a Wine prefix of its own: the installer writes to HKLM, Program Files and the Run key, and nothing of
# that may reach the prefix that the other tests share, even when this test fails halfway.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env
version=$(sed -n -E 's/^#define VARNEL_VERSION_TEXT "([0-9.]+)"$/\1/p' build/win32/generated/core/Version.h)
setup=$PWD/dist/varnel-$version-setup.exe
[ -f "$setup" ] || { echo "round-trip: $setup is missing; run scripts/package first" >&2; exit 1; }
cmake --build --preset win32 --target setup_tests

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

cd build/win32/bin/test
VARNEL_SETUP="Z:${setup//\//\\}" wine ./setup_tests.exe
