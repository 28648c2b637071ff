#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz with clang, AddressSanitizer
# and UndefinedBehaviorSanitizer into build-fuzz, and runs each for SECONDS
# (default 20) from its seed corpus in tests/fuzz/corpus. New inputs go to a
# temporary folder, so the committed corpus stays small; an input that fails
# is kept under build-fuzz/failures and fails the run.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
EACH=${1:-20}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(wildcard phrase-scanner name-codec mount-table target-paths command-line)
bash scripts/deps.sh fuzz
BUILD=${BUILD:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMAREL_BUILD_FUZZ=ON \
  -DTAMAREL_BUILD_TESTS=OFF -DTAMAREL_BUILD_BENCH=OFF -DTAMAREL_WITH_WEBENGINE=OFF >/dev/null
cmake --build "$BUILD" -j2 --target "${harnesses[@]/#/fuzz-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$BUILD/failures"
status=0
for h in "${harnesses[@]}"; do
  mkdir -p "$work/$h"
  echo "== fuzz-$h for ${EACH}s"
  if ! "$BUILD/tests/fuzz/fuzz-$h" -max_total_time="$EACH" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$BUILD/failures/$h-" \
       "$work/$h" "tests/fuzz/corpus/$h" 2>"$work/$h.log"; then
    tail -40 "$work/$h.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::new_units_added" "$work/$h.log" || true
  fi
done
exit $status
