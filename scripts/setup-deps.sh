#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
set -euo pipefail
packages=(build-essential cmake ninja-build ccache qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev qt6-multimedia-dev
          libx11-dev libxtst-dev libgtest-dev libbenchmark-dev xvfb xauth poppler-utils liblnk-utils
          fonts-dejavu-core fonts-liberation2 qt6-translations-l10n desktop-file-utils appstream
          clang libclang-rt-14-dev xz-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
