#!/usr/bin/env bash
# Runs the Samba delivery tests (argument: winpopup_tests.exe) phase by phase around a private smbd:
# receiving, frozen (SIGSTOP), without a message command, stopped.
set -uo pipefail
exe=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/smbd.sh"
smbd_prepare "$(pwd)/winpopup-smbd" || exit 1
trap smbd_stop EXIT

failed=0
run_phase() {
  echo "== phase $1"
  VARNEL_SMB_PHASE=$1 VARNEL_SMB_DIR=$SMBD_DIR "$root/cmake/wine-run.sh" "$exe" --gtest_filter="$2" || failed=$((failed + 1))
}

smbd_start receiving || exit 1
run_phase receiving 'SambaReceiving.*'
kill -STOP "$SMBD_PID"
run_phase frozen 'SambaFrozen.*'
kill -CONT "$SMBD_PID"
smbd_stop || exit 1
smbd_start no-message-command || exit 1
run_phase no-message-command 'SambaWithoutMessageCommand.*'
smbd_stop || exit 1
run_phase stopped 'SambaStopped.*'

echo "Samba delivery phases: $((4 - failed)) passed, $failed failed"
[ "$failed" = 0 ]
