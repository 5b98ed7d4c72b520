#!/usr/bin/env bash
# The protocol core against a real Samba browse master and receiver on a network of its own (argument: the
# lan_probe program): the list read over the network is exactly the master's browse list for the workgroup, and
# a message found by broadcast name query arrives. Everything is removed at the end, also after a failure.
set -uo pipefail
probe=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lan.sh"
for tool in nmbd smbd nmblookup; do
  command -v $tool >/dev/null || { echo "lan: $tool not found: scripts/setup installs samba" >&2; exit 1; }
done
trap lan_down EXIT
dir=$(pwd)/lan-core
lan_up "varnel-core$$" "$dir" || exit $? # 77: no namespaces here, reported as skipped
dir=$LAN_DIR # where Samba writes, as the guest reaches it
lan_start_samba OFIS OFIS1 \
  "/bin/sh -c 'cp %s $dir/msgs/tmp-\$\$ && mv $dir/msgs/tmp-\$\$ $dir/msgs/msg-%f-\$\$; rm -f %s' &" OFIS2 OFIS3
start=$(date +%s)
lan_wait_master OFIS 120 || exit 1
echo "lan: OFIS1 is the browse master of OFIS after $(( $(date +%s) - start )) s"
failed=0
expected=$(lan_browse_list OFIS)
listed=$(lan_pc "$probe" list 10.233.14.255 OFIS ALICE) || { echo "FAIL: the list could not be read"; failed=1; }
if [ "$listed" = "$expected" ]; then echo "ok: the list is the master's: $(echo $listed)"
else echo "FAIL: listed [$(echo $listed)], the master's browse list holds [$(echo $expected)]"; failed=1; fi

lan_pc "$probe" send 10.233.14.255 ALICE OFIS2 "Toplantı 15:00" || { echo "FAIL: the send failed"; failed=1; }
for _ in $(seq 50); do compgen -G "$dir/msgs/msg-ALICE-*" >/dev/null && break; sleep 0.1; done
if compgen -G "$dir/msgs/msg-ALICE-*" >/dev/null && grep -q "Toplant" "$dir"/msgs/msg-ALICE-*; then
  echo "ok: the message reached OFIS2 (found by broadcast)"
else echo "FAIL: no message arrived for OFIS2"; failed=1; fi

lan_pc "$probe" send 10.233.14.255 ALICE NOBODY "x" 2>/dev/null
[ $? = 2 ] && echo "ok: nobody answers for NOBODY" || { echo "FAIL: a name nobody has was found"; failed=1; }
exit $failed
