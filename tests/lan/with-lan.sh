#!/usr/bin/env bash
# Runs the network scenarios of the end-to-end suite (argument: e2e_tests.exe) and the single send of the delivery
# suite (optional second argument: winpopup_tests.exe) on a network of their own: the
# Samba computer OFIS1 (aliases OFIS2, OFIS3) is the browse master of WORKGROUP and takes messages in one
# namespace, the program under Wine runs in the other. Everything is removed at the end, also after a failure.
set -uo pipefail
exe=$1 delivery_exe=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/lan.sh"
for tool in nmbd smbd nmblookup; do
  command -v $tool >/dev/null || { echo "lan: $tool not found: scripts/setup installs samba" >&2; exit 1; }
done
source "$root/cmake/wine-select.sh"
wine_select "$exe"
# Wine's own services, which report the network interfaces, must start inside the namespace as well; they run
# again in the machine's namespace for whatever comes later.
restart_wine() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; true; }
trap 'restart_wine; lan_down' EXIT

dir=$(pwd)/lan
lan_up "varnel-lan$$" "$dir" || exit $? # 77: no namespaces here, reported as skipped
dir=$LAN_DIR # where Samba writes, as the guest reaches it
workgroup=WORKGROUP
lan_start_samba $workgroup OFIS1 \
  "/bin/sh -c 'cp %s $dir/msgs/tmp-\$\$ && mv $dir/msgs/tmp-\$\$ $dir/msgs/msg-%f-\$\$; rm -f %s' &" OFIS2 OFIS3
start=$(date +%s)
lan_wait_master $workgroup 120 || exit 1
echo "lan: OFIS1 is the browse master of $workgroup after $(( $(date +%s) - start )) s"

# The computers of the master's browse list for the workgroup, domains left out, in the list's order.
computers=$(lan_browse_list $workgroup | paste -sd, -)
echo "lan: the master lists $computers"
restart_wine
# The first start of Wine in the namespace brings up its services, which can take longer than a scenario waits
# for a window: let that happen before the scenarios.
lan_pc "$root/cmake/wine-run.sh" wineboot >/dev/null 2>&1
VARNEL_LAN_DIR=$dir VARNEL_LAN_COMPUTERS=$computers lan_pc "$root/cmake/wine-run.sh" "$exe" --gtest_filter='LanTest.*:LanConsoleTest.*'
status=$?
if [ -n "$delivery_exe" ]; then
  VARNEL_SMB_PHASE=lan VARNEL_SMB_DIR=$dir lan_pc "$root/cmake/wine-run.sh" "$delivery_exe" \
    --gtest_filter='SambaOnTheLan.*' || status=1
fi
exit $status
