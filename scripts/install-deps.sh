#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the two programs need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-multimedia-dev qt6-webengine-dev qt6-webengine-dev-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  qt6-image-formats-plugins qt6-qpa-plugins
  libgl-dev libxkbcommon-dev libxcb1-dev
  libzip-dev zip unzip
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth
  imagemagick espeak-ng sox
  xdg-utils
  dante-server tinyproxy
  fonts-dejavu-core
  python3
)

SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
# dante and tinyproxy are started by the tests themselves on loopback ports.
for svc in danted tinyproxy; do
  $SUDO systemctl disable --now "$svc" >/dev/null 2>&1 || true
  $SUDO service "$svc" stop >/dev/null 2>&1 || true
done
