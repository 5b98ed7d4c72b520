#!/usr/bin/env bash
# Runs a cross-built program under Wine with the project's private prefix and settings.
source "$(dirname "$0")/wine-select.sh"
wine_select "$1"
# A crash ends the program instead of waiting in the automatic debugger, so a test fails instead of hanging.
export WINEDEBUG=-all LC_ALL=tr_TR.UTF-8 WINEDLLOVERRIDES="netapi32=n,b;wtsapi32=n,b;mscoree,mshtml=;winedbg.exe=d"
exec "$WINE_LOADER" "$@"
