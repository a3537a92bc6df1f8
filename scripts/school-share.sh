#!/usr/bin/env bash
# A school's file server on this machine, for tests: smbd serves one share
# from a folder of its own on 127.0.0.1 only, and the share is mounted twice
# through smbnetfs (FUSE), each mount with its own SMB connection, as two
# workstations reach it.
#
#   bash scripts/school-share.sh [start]   prints the two mount points, one a line
#   bash scripts/school-share.sh stop      unmounts both and stops the server
#   bash scripts/school-share.sh status    exits 0 when both mounts answer
#
# TABULON_SHARE_ROOT (default /tmp/tabulon-share) holds the server's folders,
# the served folder ("export") and the mount points ("poste-a", "poste-b").
# Runs as root (samba and FUSE); never contacts any address but 127.0.0.1.
set -euo pipefail

root=${TABULON_SHARE_ROOT:-/tmp/tabulon-share}
port=${TABULON_SHARE_PORT:-445}
share=tabulon
server="$root/server"
export_dir="$root/export"
mounts=("$root/poste-a" "$root/poste-b")

need_packages() {
  local missing=()
  for p in samba smbnetfs smbclient fuse3; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
}

write_server_conf() {
  mkdir -p "$server"/{pid,lock,state,cache,private,ncalrpc,log} "$export_dir"
  cat >"$server/smb.conf" <<EOF
[global]
  interfaces = lo
  bind interfaces only = yes
  smb ports = $port
  map to guest = Bad User
  guest account = root
  disable netbios = yes
  server min protocol = SMB2
  server role = standalone server
  pid directory = $server/pid
  lock directory = $server/lock
  state directory = $server/state
  cache directory = $server/cache
  private dir = $server/private
  ncalrpc dir = $server/ncalrpc
  log file = $server/log/smbd.log
  max log size = 1000
  load printers = no
  printing = bsd
  printcap name = /dev/null
  disable spoolss = yes

[$share]
  path = $export_dir
  guest ok = yes
  read only = no
  force user = root
EOF
}

server_running() {
  [ -f "$server/pid/smbd.pid" ] && kill -0 "$(cat "$server/pid/smbd.pid")" 2>/dev/null
}

start_server() {
  server_running && return 0
  smbd --daemon --configfile="$server/smb.conf"
  for _ in $(seq 1 100); do
    smbclient -s "$server/smb.conf" -N -p "$port" "//127.0.0.1/$share" -c 'ls' >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "school-share: smbd does not answer on 127.0.0.1:$port (see $server/log/smbd.log)" >&2
  exit 1
}

# The share as a workstation sees it, through the FUSE client's own tree:
# <mount>/127.0.0.1/<share>.
share_path() {
  echo "$1/127.0.0.1/$share"
}

mount_one() {
  local mnt=$1 home="$1.home"
  if mountpoint -q "$mnt"; then return 0; fi
  mkdir -p "$mnt" "$home/.smb"
  # One failed request must not make the whole server look gone for more
  # than a moment (the client's negative cache, 3 s by default).
  printf 'auth "guest" ""\nneg_cache_timeout 100\n' >"$home/.smb/smbnetfs.conf"
  chmod 600 "$home/.smb/smbnetfs.conf"
  : >"$home/.smb/smb.conf"
  [ "$port" = 445 ] || printf '[global]\n  smb ports = %s\n' "$port" >"$home/.smb/smb.conf"
  HOME="$home" smbnetfs "$mnt" -o allow_other 2>/dev/null || HOME="$home" smbnetfs "$mnt"
  for _ in $(seq 1 100); do
    ls "$(share_path "$mnt")" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "school-share: $mnt does not show the share" >&2
  exit 1
}

stop_all() {
  for m in "${mounts[@]}"; do
    if mountpoint -q "$m" 2>/dev/null || ! stat "$m" >/dev/null 2>&1; then
      fusermount3 -u "$m" 2>/dev/null || fusermount -u "$m" 2>/dev/null || umount -l "$m" || true
    fi
    # A client left without its mount would stand in the way of the next one.
    pkill -f "smbnetfs $m( |\$)" 2>/dev/null || true
  done
  if server_running; then
    kill "$(cat "$server/pid/smbd.pid")" || true
    for _ in $(seq 1 50); do server_running || break; sleep 0.1; done
  fi
}

case "${1:-start}" in
  start)
    need_packages
    # Mounts left by an earlier run whose client is gone answer nothing.
    stop_all
    write_server_conf
    start_server
    for m in "${mounts[@]}"; do mount_one "$m"; done
    for m in "${mounts[@]}"; do share_path "$m"; done
    ;;
  stop)
    stop_all
    ;;
  status)
    for m in "${mounts[@]}"; do ls "$(share_path "$m")" >/dev/null 2>&1 || exit 1; done
    ;;
  *)
    echo "usage: $0 [start|stop|status]" >&2
    exit 2
    ;;
esac
