# Sourced by the Samba delivery tests and the delivery benchmark: a private smbd receiving messages on
# 127.0.0.1:139 (port 139 needs root). Every file it writes stays under the folder given to smbd_prepare.

source "$(dirname "${BASH_SOURCE[0]}")/../samba-folder.sh"

smbd_prepare() {
  SMBD_DIR=$1
  samba_folder_prepare "$SMBD_DIR"
  SMBD_DIR=$(cd "$SMBD_DIR" && pwd -P)
  if ! command -v smbd >/dev/null; then
    echo "smbd not found: scripts/setup installs samba" >&2; return 1
  fi
  if [ "$(id -u)" != 0 ]; then
    echo "smbd must run as root to listen on port 139" >&2; return 1
  fi
}

smbd_port_open() { (exec 3<>/dev/tcp/127.0.0.1/139) 2>/dev/null; }

# smbd_start receiving|no-message-command
smbd_start() {
  local mode=$1 dir=$SMBD_DIR command=""
  if smbd_port_open; then
    echo "port 139 on 127.0.0.1 is taken by another program" >&2; return 1
  fi
  if [ "$mode" = receiving ]; then
    # Copied under a temporary name first, so that a reader never sees half a message.
    command="message command = /bin/sh -c 'cp %s $dir/msgs/tmp-\$\$ && mv $dir/msgs/tmp-\$\$ $dir/msgs/msg-\$\$; rm -f %s' &"
  fi
  cat >"$dir/smb.conf" <<CONF
[global]
  smb ports = 139
  interfaces = 127.0.0.1/8
  bind interfaces only = yes
  disable netbios = no
  server min protocol = NT1
  dos charset = CP857
  unix charset = CP857
$(samba_folder_settings "$dir")
  log file = $dir/log.smbd
  log level = 3
  $command
CONF
  smbd -F -s "$dir/smb.conf" </dev/null >>"$dir/smbd.out" 2>&1 &
  SMBD_PID=$!
  local i
  for i in $(seq 100); do
    smbd_port_open && return 0
    kill -0 "$SMBD_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "smbd did not start listening on 127.0.0.1:139; its output:" >&2
  tail -n 20 "$dir/smbd.out" >&2
  return 1
}

smbd_stop() {
  [ -n "${SMBD_PID:-}" ] || return 0
  kill -CONT "$SMBD_PID" 2>/dev/null || true
  kill -TERM "$SMBD_PID" 2>/dev/null || true
  wait "$SMBD_PID" 2>/dev/null || true
  SMBD_PID=
  local i
  for i in $(seq 50); do smbd_port_open || return 0; sleep 0.1; done
  echo "port 139 still answers after smbd stopped" >&2; return 1
}
