#!/usr/bin/env bash
# Installs every Debian package that building, playing and testing nmnm needs.
# Safe to run again: it installs only what is missing. Extra package names
# given as arguments are installed too (the fuzzing script asks for clang).
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  libgtest-dev
  libsdl2-dev
  libfreetype-dev libfontconfig-dev fonts-ipafont-mincho
  libmspack-dev mscompress
  zlib1g-dev
  libx11-dev libxfixes-dev
  xvfb xdotool x11-utils openbox
  desktop-file-utils appstream groff-base
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "setup: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
