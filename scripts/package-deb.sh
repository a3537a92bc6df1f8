#!/usr/bin/env bash
# Builds the Debian package "tabulon" from a clean copy of the last commit and
# leaves it as dist/tabulon_<version>_<arch>.deb; then lintian checks it: an
# error fails the script, warnings are listed. Installs what the build needs
# first (as root, or through sudo).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
apt_install() {
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "$@"
}

outils=(devscripts debhelper lintian dpkg-dev build-essential)
manquants=()
for p in "${outils[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] || apt_install "${manquants[@]}"
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get build-dep -y --no-install-recommends ./
fi

# The project's one version number is the one in CMakeLists.txt; the
# changelog's newest entry and the metainfo's newest release must say the same.
version=$(sed -n 's/^project(Tabulon VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package-deb.sh: no version in CMakeLists.txt" >&2; exit 1; }
version_changelog=$(dpkg-parsechangelog -S Version)
if [ "$version_changelog" != "$version" ]; then
  echo "package-deb.sh: CMakeLists.txt says $version, debian/changelog says $version_changelog:" \
       "add an entry with 'dch -v $version'" >&2
  exit 1
fi
if ! grep -q "<release version=\"$version\"" data/org.tabulon.Tabulon.metainfo.xml; then
  echo "package-deb.sh: data/org.tabulon.Tabulon.metainfo.xml has no release $version" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)

# A clean copy: what is committed, without build folders or local files. The
# path stays the same from one build to the next, so that ccache finds the
# objects of the previous package build.
travail="$repo/build-deb"
source="$travail/tabulon-$version"
rm -rf "$travail"
mkdir -p "$source"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "package-deb.sh: uncommitted changes are left out; the package is built from $(git rev-parse --short HEAD)" >&2
  fi
  git archive --format=tar HEAD | tar -xf - -C "$source"
else
  tar --exclude='./build*' --exclude=./dist -cf - . | tar -xf - -C "$source"
fi

# debhelper gives the build a home of its own; ccache keeps its usual cache.
if command -v ccache >/dev/null; then
  CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"
  export CCACHE_DIR
fi
(cd "$source" && dpkg-buildpackage -us -uc -b -j"${TABULON_JOBS:-$(nproc)}")

paquet="tabulon_${version}_${arch}.deb"
mkdir -p dist
cp "$travail/$paquet" "dist/$paquet"
echo "== dist/$paquet: $(stat -c %s "dist/$paquet") octets," \
     "$(dpkg-deb -f "dist/$paquet" Installed-Size) Kio installés"
dpkg-deb -f "dist/$paquet" Depends Recommends
echo "== lintian"
lintian --fail-on error --display-info --tag-display-limit 0 "dist/$paquet"
echo "== lintian: no error"
