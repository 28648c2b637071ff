#!/usr/bin/env bash
# A recursive listing of the 200,000-entry tree through the window
# (offscreen) against tamarel-list making the same listing, interleaved;
# then how soon STOP is honoured.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-2000x100
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 2000 100
"$BUILD/bench/tamarel-walk-bench" "$TREE" >/dev/null
: >"$WORK/window.t"; : >"$WORK/list.t"; : >"$WORK/stop.t"
for _ in $(seq "$RUNS"); do
  out=$("$BUILD/bench/tamarel-window-bench" "$TREE" 2>/dev/null)
  echo "$out" | grep window-listing | sed 's/.*seconds=//' >>"$WORK/window.t"
  echo "$out" | grep stop-latency | sed 's/.*milliseconds=//' >>"$WORK/stop.t"
  seconds "$BUILD/cli/tamarel-list" -q -r -f csv -o "$WORK/out.csv" "$TREE" >>"$WORK/list.t"
done
w=$(median <"$WORK/window.t"); l=$(median <"$WORK/list.t"); s=$(sort -n "$WORK/stop.t" | tail -1)
echo "median seconds: window=$w tamarel-list=$l ratio=$(ratio "$w" "$l") (target <= 1.5)"
echo "stop latency, worst of $RUNS: ${s} ms (target <= 100)"
