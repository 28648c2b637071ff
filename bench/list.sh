#!/usr/bin/env bash
# tamarel-list writing a CSV report of the 200,000-entry tree against the
# bare readdir + statx walk and find writing the same fields; then the peak
# memory of tamarel-list per listed entry, above its start-up size, and the
# peak of the JSON Lines and path reports against the CSV's.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-2000x100
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 2000 100
cc -O2 -o "$WORK/walkfloor" "$SHARED/walkfloor.c"
LIST=$BUILD/cli/tamarel-list
"$LIST" -q -r -f csv -o "$WORK/out.csv" "$TREE"
entries=$(($(wc -l <"$WORK/out.csv") - 1))
: >"$WORK/floor.t"; : >"$WORK/list.t"; : >"$WORK/find.t"
for _ in $(seq "$RUNS"); do
  seconds "$WORK/walkfloor" "$TREE" >>"$WORK/floor.t"
  seconds "$LIST" -q -r -f csv -o "$WORK/out.csv" "$TREE" >>"$WORK/list.t"
  seconds sh -c "find '$TREE' -printf '%p;%s;%TY-%Tm-%Td %TH:%TM:%TS;%m\n' > '$WORK/find.out'" >>"$WORK/find.t"
done
floor=$(median <"$WORK/floor.t"); list=$(median <"$WORK/list.t"); fnd=$(median <"$WORK/find.t")
echo "entries=$entries median seconds: floor=$floor tamarel-list=$list find=$fnd"
echo "tamarel-list/floor=$(ratio "$list" "$floor") (target <= 2)"
echo "tamarel-list/find=$(ratio "$list" "$fnd") (target <= 0.5)"
base=$(/usr/bin/time -f %M "$LIST" -q -f csv -o "$WORK/empty.csv" "$(mktemp -d)" 2>&1 >/dev/null | tail -1)
peak=$(/usr/bin/time -f %M "$LIST" -q -r -f csv -o "$WORK/out.csv" "$TREE" 2>&1 >/dev/null | tail -1)
echo "peak KiB: start-up=$base listing=$peak bytes/entry=$(( (peak - base) * 1024 / entries )) (target < 300)"
for format in json paths; do
  other=$(/usr/bin/time -f %M "$LIST" -q -r -f $format -o "$WORK/out.$format" "$TREE" 2>&1 >/dev/null | tail -1)
  echo "peak KiB: -f $format=$other -f csv=$peak (streamed like CSV: target within 5 %)"
done
