#!/usr/bin/env bash
# Installs from Debian's packages what one of the project's commands needs:
#   deps.sh cli      build and test tamarel-list alone (-DTAMAREL_GUI=OFF)
#   deps.sh run      build and start the window
#   deps.sh test     build everything and run the whole test suite (default)
#   deps.sh package  build the .deb packages and check them with lintian
#   deps.sh fuzz     build the libFuzzer harnesses (clang and its runtime)
set -euo pipefail
set_name=${1:-test}
cli=(build-essential cmake qt6-base-dev libgtest-dev)
window=(pkg-config qt6-webengine-dev qt6-svg-dev libqt6svg6 libgl-dev libudev-dev)
case $set_name in
  cli) packages=("${cli[@]}") ;;
  run) packages=("${cli[@]}" "${window[@]}") ;;
  # The window tests draw text and read PDF prints; the packaging tests run
  # the tools that check manual pages, desktop metadata, shells and packages.
  test) packages=("${cli[@]}" "${window[@]}" libgmock-dev fonts-liberation fonts-dejavu-core
                  poppler-utils mandoc desktop-file-utils appstream zsh fish dpkg-dev lintian) ;;
  package) packages=("${cli[@]}" "${window[@]}" dpkg-dev lintian) ;;
  fuzz) packages=("${cli[@]}" clang libclang-rt-14-dev) ;;
  *) echo "usage: $0 [cli|run|test|package|fuzz]" >&2; exit 2 ;;
esac
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
