#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the reader needs.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libqt6sql6-sqlite
  qt6-svg-dev libqt6svg6
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libuchardet-dev uchardet
  libopencc-dev
  fonts-wqy-microhei fonts-babelstone-han
  xvfb xauth xdotool imagemagick python3
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
