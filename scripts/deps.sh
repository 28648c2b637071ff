#!/usr/bin/env bash
# Installs what building, running and testing Tamarel needs, from Debian's
# packages. "deps.sh fuzz" adds clang and its libFuzzer runtime, which only
# scripts/fuzz.sh needs.
set -euo pipefail
packages=(build-essential cmake pkg-config
          qt6-base-dev qt6-webengine-dev qt6-svg-dev libqt6svg6
          libgl-dev libudev-dev libgtest-dev libgmock-dev
          fonts-liberation fonts-dejavu-core poppler-utils)
if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
