#!/usr/bin/env bash
# Installs the package built by scripts/package-deb.sh in a clean Debian
# system (a fresh copy of a minimal chroot made with debootstrap), with
# `apt-get install ./dist/<package>.deb` and the dependencies apt chooses;
# starts /usr/bin/tabulon as a pupil on an empty data folder, on an Xvfb
# display of this machine, and waits for its first window; then purges the
# package and checks that none of its files is left. Run as root:
#   bash scripts/test-deb.sh [dist/tabulon_<version>_<arch>.deb]
# The minimal system is kept in build-test-deb/base (TABULON_BASE_NEUVE=1
# makes it anew); every run works on a new copy of it.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

if [ "$(id -u)" -ne 0 ]; then
  echo "test-deb.sh: run it as root (debootstrap, chroot)" >&2
  exit 1
fi
# Every mount of the test lives in a mount namespace of its own and goes
# away with it, whatever way the script ends.
if [ -z "${TABULON_TEST_DEB_NS:-}" ]; then
  exec env TABULON_TEST_DEB_NS=1 unshare --mount --propagation private bash "$0" "$@"
fi

version=$(sed -n 's/^project(Tabulon VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
paquet="${1:-dist/tabulon_${version}_${arch}.deb}"
[ -f "$paquet" ] || { echo "test-deb.sh: no $paquet: build it with scripts/package-deb.sh" >&2; exit 1; }
nom_paquet=$(basename "$paquet")

outils=()
command -v debootstrap >/dev/null || outils+=(debootstrap)
command -v Xvfb >/dev/null || outils+=(xvfb)
command -v xwininfo >/dev/null || outils+=(x11-utils)
if [ ${#outils[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${outils[@]}"
fi

travail="$repo/build-test-deb"
base="$travail/base"
racine="$travail/systeme"
mkdir -p "$travail"

echec() {
  echo "test-deb.sh: ÉCHEC: $*" >&2
  exit 1
}
dans() { chroot "$racine" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

# The minimal system takes the suite and the archive this machine uses.
if [ "${TABULON_BASE_NEUVE:-0}" = "1" ] || [ ! -f "$base/.complet" ]; then
  rm -rf "$base"
  . /etc/os-release
  miroir="${TABULON_MIROIR:-}"
  if [ -z "$miroir" ]; then
    miroir=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
  fi
  if [ -z "$miroir" ] && [ -f /etc/apt/sources.list ]; then
    miroir=$(sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\).*/\2/p' /etc/apt/sources.list | head -n 1)
  fi
  [ -n "$miroir" ] || echec "no Debian archive found in /etc/apt (set TABULON_MIROIR)"
  debootstrap --variant=minbase "$VERSION_CODENAME" "$base" "$miroir"
  # The same sources and access settings as this machine, without its packages.
  rm -f "$base"/etc/apt/sources.list "$base"/etc/apt/sources.list.d/*
  cp -a /etc/apt/sources.list.d/*.sources "$base"/etc/apt/sources.list.d/ 2>/dev/null || true
  [ ! -f /etc/apt/sources.list ] || cp -a /etc/apt/sources.list "$base"/etc/apt/
  cp -a /etc/apt/apt.conf.d/. "$base"/etc/apt/apt.conf.d/
  # No service starts inside the chroot.
  printf '#!/bin/sh\nexit 101\n' > "$base"/usr/sbin/policy-rc.d
  chmod 755 "$base"/usr/sbin/policy-rc.d
  chroot "$base" useradd --create-home --shell /bin/bash eleve
  touch "$base/.complet"
fi

rm -rf "$racine"
cp -a "$base" "$racine"
mount -t proc proc "$racine/proc"
mount --rbind /dev "$racine/dev"
mkdir -p /tmp/.X11-unix "$racine/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$racine/tmp/.X11-unix"
cp /etc/resolv.conf "$racine/etc/resolv.conf"

echo "== apt-get install ./dist/$nom_paquet"
mkdir -p "$racine/root/dist"
cp "$paquet" "$racine/root/dist/"
dans apt-get update -q
avant=$(dans dpkg-query -W -f '${binary:Package}\n' | sort)
dans sh -c "cd /root && apt-get install -y -q ./dist/$nom_paquet" | tee "$travail/install.log"
apres=$(dans dpkg-query -W -f '${binary:Package}\n' | sort)
ajoutes=$(comm -13 <(echo "$avant") <(echo "$apres") | wc -l)
echo "== $ajoutes packages installed, tabulon and what it depends on or recommends"
dans dpkg-query -W -f '${Status}\n' tabulon | grep -q "install ok installed" || echec "tabulon is not installed"
dans dpkg-query -L tabulon > "$travail/fichiers-du-paquet.txt"

# A pupil starts the program from a terminal of his session, on an empty data folder.
echo "== /usr/bin/tabulon under Xvfb"
ecran=50
while [ -e "/tmp/.X11-unix/X$ecran" ] || [ -e "/tmp/.X$ecran-lock" ]; do ecran=$((ecran + 1)); done
Xvfb ":$ecran" -screen 0 1280x1024x24 -nolisten tcp -ac >"$travail/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$ecran" ] && break; sleep 0.2; done
chroot --userspec=eleve:eleve "$racine" mkdir -p /home/eleve/Tabulon
[ -z "$(ls -A "$racine/home/eleve/Tabulon")" ] || echec "the data folder is not empty"
chroot --userspec=eleve:eleve "$racine" env -i HOME=/home/eleve USER=eleve LOGNAME=eleve SHELL=/bin/bash \
  PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY=":$ecran" /usr/bin/tabulon >"$travail/tabulon.log" 2>&1 &
programme=$!
# On a new data folder the first window a pupil sees is the identification.
vue=""
for _ in $(seq 120); do
  if DISPLAY=":$ecran" xwininfo -name Identification 2>/dev/null | grep -q "Map State: IsViewable"; then
    vue=1
    break
  fi
  kill -0 "$programme" 2>/dev/null || break
  sleep 0.5
done
if [ -z "$vue" ]; then
  cat "$travail/tabulon.log" >&2
  kill "$xvfb" 2>/dev/null || true
  echec "no identification window of Tabulon on the screen within 60 s"
fi
sleep 2
DISPLAY=":$ecran" xwininfo -root -tree | grep -E '"(Identification|Tabulon version[^"]*)"' | sed 's/^ */   /'
if command -v import >/dev/null; then
  import -display ":$ecran" -window root "$travail/premiere-fenetre.png" && echo "   screenshot: $travail/premiere-fenetre.png"
fi
kill -0 "$programme" 2>/dev/null || echec "the program ended on its own: $(cat "$travail/tabulon.log")"
[ -f "$racine/home/eleve/Tabulon/Tabulon.ini" ] || echec "no Tabulon.ini in the data folder"
kill -TERM "$programme"
wait "$programme" || true
kill "$xvfb"
wait "$xvfb" || true
echo "   the data folder now holds: $(cd "$racine/home/eleve/Tabulon" && ls -A | tr '\n' ' ')"
echo "   elsewhere in the pupil's home: $(cd "$racine/home/eleve" && find . -type f -not -path './Tabulon/*' | tr '\n' ' ')"

echo "== apt-get purge tabulon"
inventaire() {
  (cd "$racine" && find etc usr var opt srv -xdev \
     \( -path var/log -o -path var/cache -o -path var/lib/apt/lists -o -path var/tmp \) -prune -o -print | sort)
}
inventaire > "$travail/avant-purge.txt"
dans apt-get purge -y -q tabulon
inventaire > "$travail/apres-purge.txt"

dans dpkg-query -W -f '${Status}\n' tabulon 2>/dev/null | grep -qv "not-installed" && echec "dpkg still knows tabulon"
restes=()
while IFS= read -r f; do
  if [ -e "$racine$f" ] && [ ! -d "$racine$f" ]; then restes+=("$f"); fi
done < "$travail/fichiers-du-paquet.txt"
[ ${#restes[@]} -eq 0 ] || echec "files of the package left after the purge: ${restes[*]}"
nommes=$(grep -i tabulon "$travail/apres-purge.txt" || true)
[ -z "$nommes" ] || echec "paths named after tabulon left after the purge: $nommes"
nouveaux=$(comm -13 "$travail/avant-purge.txt" "$travail/apres-purge.txt")
[ -z "$nouveaux" ] || echec "the purge left new files: $nouveaux"
retires=$(comm -23 "$travail/avant-purge.txt" "$travail/apres-purge.txt" | wc -l)
echo "== purge: $retires paths removed, none of the package's files left"
echo "test-deb.sh: 1 passed, 0 failed"
