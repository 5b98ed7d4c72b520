# Sourced by tests/lan/lan.sh and tests/winpopup/smbd.sh: a Samba that keeps every file it writes under one folder.

# samba_folder_prepare DIR: an empty DIR with the folders Samba writes to and msgs/ for arrived messages.
samba_folder_prepare() {
  rm -rf "$1"
  mkdir -p "$1"/{run,lock,state,cache,priv,msgs}
  chmod 1777 "$1/msgs" # the message command runs as the guest user
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
