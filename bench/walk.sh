#!/usr/bin/env bash
# The engine's recursive walk against a bare readdir + statx walk and find,
# on 2,000 folders of 100 small files each, warm cache, interleaved runs.
set -euo pipefail
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-2000x100
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 2000 100
cc -O2 -o "$WORK/walkfloor" "$SHARED/walkfloor.c"
"$BUILD/bench/tamarel-walk-bench" "$TREE"   # warms the cache, shows the counts
: >"$WORK/floor.t"; : >"$WORK/engine.t"; : >"$WORK/find.t"
for _ in $(seq "$RUNS"); do
  seconds "$WORK/walkfloor" "$TREE" >>"$WORK/floor.t"
  seconds "$BUILD/bench/tamarel-walk-bench" "$TREE" >>"$WORK/engine.t"
  seconds find "$TREE" -printf '%p;%s;%T+\n' >>"$WORK/find.t"
done
floor=$(median <"$WORK/floor.t"); eng=$(median <"$WORK/engine.t"); fnd=$(median <"$WORK/find.t")
echo "median seconds: floor=$floor engine=$eng find=$fnd"
echo "engine/floor=$(ratio "$eng" "$floor") (target <= 1.5)"
echo "engine/find=$(ratio "$eng" "$fnd") (target < 0.5)"
