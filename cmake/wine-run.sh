#!/bin/sh
# Runs a cross-built program under Wine with the project's private prefix and settings.
here=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$here/build/wineprefix}"
export WINEPREFIX WINEDEBUG=-all LC_ALL=tr_TR.UTF-8 WINEDLLOVERRIDES="netapi32=n,b;mscoree,mshtml="
exec wine "$@"
