#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#   test.sh        everything, in build/
#   test.sh cli    tamarel-list and its libraries alone, without any
#                  graphical library (-DTAMAREL_GUI=OFF), in build-cli/
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = cli ]; then
  bash scripts/deps.sh cli
  cmake -S . -B build-cli -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMAREL_GUI=OFF >/dev/null
  cmake --build build-cli -j2
  cd build-cli && ctest --output-on-failure -j2
  exit
fi
bash scripts/deps.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2
cd build && ctest --output-on-failure -j2
