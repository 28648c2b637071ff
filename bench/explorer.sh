#!/usr/bin/env bash
# A folder of 100,000 files scanned and shown sorted in the real table,
# against the engine's bare walk of the same folder; then a million rows
# sorted by name.
set -eu
. "$(dirname "$0")/common.sh"
FLAT=$WORK/flat-100000
if [ ! -d "$FLAT" ]; then
  mkdir -p "$FLAT"
  python3 -c "
import os, sys
for i in range(100000):
    open(os.path.join(sys.argv[1], 'file%06d.txt' % i), 'wb').write(b'x' * (i % 97))
" "$FLAT"
fi
"$BUILD/bench/tamarel-walk-bench" "$FLAT" >/dev/null
: >"$WORK/walk.t"; : >"$WORK/show.t"
for _ in $(seq "$RUNS"); do
  "$BUILD/bench/tamarel-walk-bench" "$FLAT" | sed 's/.*seconds=//' >>"$WORK/walk.t"
  "$BUILD/bench/tamarel-explorer-bench" "$FLAT" 2>/dev/null | grep scan-and-show | sed 's/.*seconds=//' >>"$WORK/show.t"
done
walk=$(median <"$WORK/walk.t"); show=$(median <"$WORK/show.t")
echo "median seconds: bare walk=$walk scan-and-show=$show ratio=$(ratio "$show" "$walk") (target <= 3)"
"$BUILD/bench/tamarel-explorer-bench" "$FLAT" 2>/dev/null | grep -v scan-and-show
