#!/usr/bin/env bash
# Builds Tamarel with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize and runs the test suite under them; any report fails it.
#   scripts/sanitize.sh           the whole suite, window tests included
#   scripts/sanitize.sh --engine  the non-visual libraries only (as CI runs it)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD=${BUILD:-build-sanitize}
SUPPRESSIONS=$PWD/scripts/sanitizer
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMAREL_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
if [ "${1:-}" = "--engine" ]; then
  cmake --build "$BUILD" -j2 --target tamarel_engine_tests tamarel_listing_tests tamarel-list
  selection=(-L nonvisual)
else
  cmake --build "$BUILD" -j2
  selection=()
fi
# Leaks are looked for too. Only frames of other projects' libraries are
# suppressed (see the files); a report from Tamarel's own code fails the run.
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:check_initialization_order=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$SUPPRESSIONS/ubsan.supp"
export LSAN_OPTIONS="suppressions=$SUPPRESSIONS/lsan.supp:print_suppressions=0"
cd "$BUILD" && ctest --output-on-failure -j2 "${selection[@]}"
