# Sourced by the LAN tests and scripts/run: a small network of its own made of two network namespaces joined by a
# veth pair, addresses from 10.233.14.0/24 that only those namespaces hold, and a Samba "office" computer in one of
# them (nmbd as the workgroup's local master browser, smbd taking messages). Nothing is added to the machine's
# own namespace; lan_down removes everything.
#
#   lan_up NAME DIR        namespaces NAME-srv and NAME-pc, the folder DIR for Samba's files
#   lan_start_samba WORKGROUP HOST MESSAGE_COMMAND [ALIAS...]
#   lan_wait_master SECONDS
#   lan_pc COMMAND...      runs a command in the client namespace
#   lan_down

source "$(dirname "${BASH_SOURCE[0]}")/../samba-folder.sh"

LAN_SERVER_ADDRESS=10.233.14.1
LAN_CLIENT_ADDRESS=10.233.14.2

lan_up() {
  LAN_NAME=$1 LAN_DIR=$2
  LAN_SRV=$LAN_NAME-srv LAN_PC=$LAN_NAME-pc
  if ! command -v ip >/dev/null; then echo "lan: the ip command is missing (iproute2)" >&2; return 77; fi
  if [ "$(id -u)" != 0 ]; then echo "lan: network namespaces need root" >&2; return 77; fi
  lan_down_namespaces
  ip netns add "$LAN_SRV" || { echo "lan: cannot create network namespaces" >&2; return 77; }
  ip netns add "$LAN_PC" || { lan_down; return 1; }
  # Both ends are born inside the namespaces: the machine's own namespace never holds either.
  ip -n "$LAN_SRV" link add lan0 type veth peer name lan0 netns "$LAN_PC" || { lan_down; return 1; }
  ip -n "$LAN_SRV" addr add "$LAN_SERVER_ADDRESS/24" broadcast 10.233.14.255 dev lan0
  ip -n "$LAN_PC" addr add "$LAN_CLIENT_ADDRESS/24" broadcast 10.233.14.255 dev lan0
  local ns
  for ns in "$LAN_SRV" "$LAN_PC"; do
    ip -n "$ns" link set lo up
    ip -n "$ns" link set lan0 up
  done
  samba_folder_prepare "$LAN_DIR"
  LAN_DIR=$(cd "$LAN_DIR" && pwd -P)
}

lan_pc() { ip netns exec "$LAN_PC" "$@"; }
lan_srv() { ip netns exec "$LAN_SRV" "$@"; }

# lan_start_samba WORKGROUP HOST MESSAGE_COMMAND [ALIAS...]
lan_start_samba() {
  local workgroup=$1 host=$2 command=$3; shift 3
  local dir=$LAN_DIR
  cat >"$dir/smb.conf" <<CONF
[global]
  workgroup = $workgroup
  netbios name = $host
  netbios aliases = $*
  interfaces = lan0
  bind interfaces only = yes
  smb ports = 139
  disable netbios = no
  server min protocol = NT1
  map to guest = bad user
  local master = yes
  preferred master = yes
  os level = 255
  domain master = no
  dos charset = CP857
  unix charset = UTF-8
$(samba_folder_settings "$dir")
  log file = $dir/log.%m
  log level = 2
  message command = $command
CONF
  lan_srv nmbd -F -s "$dir/smb.conf" </dev/null >>"$dir/nmbd.out" 2>&1 &
  LAN_NMBD_PID=$!
  lan_srv smbd -F -s "$dir/smb.conf" </dev/null >>"$dir/smbd.out" 2>&1 &
  LAN_SMBD_PID=$!
}

# Waits until the office computer answers a broadcast query for WORKGROUP<1D> from the client side and lists
# itself in its browse list: then the fallback enumeration has something to find.
lan_wait_master() {
  local workgroup=$1 seconds=$2 i
  for i in $(seq "$seconds"); do
    if [ -n "$(lan_browse_list "$workgroup")" ] &&
       lan_pc nmblookup -B 10.233.14.255 "$workgroup#1d" 2>/dev/null | grep -q "^$LAN_SERVER_ADDRESS "; then
      return 0
    fi
    kill -0 "$LAN_NMBD_PID" 2>/dev/null || { echo "lan: nmbd ended; see $LAN_DIR/nmbd.out" >&2; return 1; }
    sleep 1
  done
  echo "lan: no local master browser for $workgroup after $seconds s" >&2
  return 1
}

# The servers that nmbd's browse list holds for the workgroup, one a line; domain entries left out.
lan_browse_list() {
  local workgroup=$1
  [ -f "$LAN_DIR/cache/browse.dat" ] || return 0
  # Lines: "NAME" type-in-hex "comment" "WORKGROUP"
  local name type
  awk -F'"' -v wg="$workgroup" '$6 == wg { gsub(/ /, "", $3); print $2, $3 }' "$LAN_DIR/cache/browse.dat" |
    while read -r name type; do
      [[ $type =~ ^[0-9a-fA-F]{1,8}$ ]] && (( (0x$type & 0x80000000) == 0 )) && echo "$name"
    done
}

lan_stop_pid() {
  [ -n "${1:-}" ] || return 0
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

lan_down_namespaces() {
  local ns pid
  for ns in "${LAN_PC:-}" "${LAN_SRV:-}"; do
    [ -n "$ns" ] || continue
    ip netns list 2>/dev/null | grep -qw "^$ns" || continue
    # Whatever still runs inside (a receiver's children, Wine) goes with the namespace.
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -TERM "$pid" 2>/dev/null || true; done
    ip netns del "$ns" 2>/dev/null || true
  done
}

lan_down() {
  lan_stop_pid "${LAN_SMBD_PID:-}"; LAN_SMBD_PID=
  lan_stop_pid "${LAN_NMBD_PID:-}"; LAN_NMBD_PID=
  lan_down_namespaces
}
