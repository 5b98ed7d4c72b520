# Sourced by tests/lan/lan.sh and tests/winpopup/smbd.sh: a Samba that keeps every file it writes under one folder.

# Samba runs the message command and serves the list as the guest user, who must be able to reach the folder.
samba_guest_reaches() {
  local d=$1
  while [ "$d" != / ] && [ "$d" != . ]; do
    d=$(dirname "$d")
    [ $(( $(stat -c %a "$d") % 2 )) = 1 ] || return 1 # others may not pass through this folder
  done
}

# samba_folder_prepare DIR: an empty DIR with the folders Samba writes to and msgs/ for arrived messages. Where the
# guest cannot reach DIR (a clone in root's home, which is closed to others), the folder is made under /tmp and DIR
# links to it: give Samba the folder's physical path, `cd DIR && pwd -P`.
samba_folder_prepare() {
  local dir=$1 real
  [ -L "$dir" ] && rm -rf "$(readlink "$dir")"
  rm -rf "$dir"
  if samba_guest_reaches "$dir"; then
    mkdir -p "$dir"
  else
    real=$(mktemp -d /tmp/varnel-samba.XXXXXX) && chmod 755 "$real" && ln -s "$real" "$dir"
  fi
  mkdir -p "$dir"/{run,lock,state,cache,priv,msgs}
  chmod 1777 "$dir/msgs" # the message command runs as the guest user
}

# samba_folder_settings DIR: the smb.conf lines of the [global] section that keep Samba's files under DIR.
samba_folder_settings() {
  cat <<CONF
  pid directory = $1/run
  lock directory = $1/lock
  state directory = $1/state
  cache directory = $1/cache
  private dir = $1/priv
  ncalrpc dir = $1/run/ncalrpc
  max log size = 0
  load printers = no
  printcap name = /dev/null
  disable spoolss = yes
CONF
}
