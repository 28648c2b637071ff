#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tamarel on the home folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
exec build/app/tamarel "$HOME"
