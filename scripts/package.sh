#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian packages tamarel and
# tamarel-list in build/packages/, then checks them with lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
rm -f build/packages/*.deb
cmake --build build --target package
lintian --fail-on error,warning build/packages/*.deb
echo "Install with: sudo apt-get install ./build/packages/tamarel*.deb"
