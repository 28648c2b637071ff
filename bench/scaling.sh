#!/usr/bin/env bash
# tamarel-list's CSV report of the 200,000-entry tree with -j 1, 2 and one
# thread per processor, against the bare readdir + statx walk and find
# writing the same fields; then one folder of 300,000 files against the
# engine's own walk of it (tamarel-walk-bench), and each listing's peak
# memory per entry above start-up. Runs are interleaved; medians.
# BASE= another build folder: its tamarel-list runs beside this one's (at
# its own default threads) and the ratios between the two are printed.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-2000x100
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 2000 100
FLAT=$WORK/flat-300000
[ -d "$FLAT" ] || python3 "$SHARED/mktree.py" "$FLAT" 0 300000
cc -O2 -o "$WORK/walkfloor" "$SHARED/walkfloor.c"
LIST=$BUILD/cli/tamarel-list
ALL=$(nproc)
BASE_LIST=${BASE:+$BASE/cli/tamarel-list}

entries() { "$LIST" -q -r -f paths "$1" | wc -l; }
tree_entries=$(entries "$TREE")
flat_entries=$(entries "$FLAT")
echo "processors=$ALL tree entries=$tree_entries flat entries=$flat_entries runs=$RUNS"

t() { echo "$WORK/scaling.$1.t"; }
for name in floor find j1 j2 jall base flatwalk flatj1 flatjall flatbase; do : >"$(t $name)"; done
for _ in $(seq "$RUNS"); do
  seconds "$WORK/walkfloor" "$TREE" >>"$(t floor)"
  seconds "$LIST" -q -j 1 -r -f csv -o "$WORK/out.csv" "$TREE" >>"$(t j1)"
  seconds "$LIST" -q -j 2 -r -f csv -o "$WORK/out.csv" "$TREE" >>"$(t j2)"
  seconds "$LIST" -q -j "$ALL" -r -f csv -o "$WORK/out.csv" "$TREE" >>"$(t jall)"
  seconds sh -c "find '$TREE' -printf '%p;%s;%TY-%Tm-%Td %TH:%TM:%TS;%m\n' > '$WORK/find.out'" >>"$(t find)"
  [ -z "$BASE_LIST" ] || seconds "$BASE_LIST" -q -r -f csv -o "$WORK/out.csv" "$TREE" >>"$(t base)"
  seconds "$BUILD/bench/tamarel-walk-bench" "$FLAT" >>"$(t flatwalk)"
  seconds "$LIST" -q -j 1 -f csv -o "$WORK/flat.csv" "$FLAT" >>"$(t flatj1)"
  seconds "$LIST" -q -j "$ALL" -f csv -o "$WORK/flat.csv" "$FLAT" >>"$(t flatjall)"
  [ -z "$BASE_LIST" ] || seconds "$BASE_LIST" -q -f csv -o "$WORK/flat.csv" "$FLAT" >>"$(t flatbase)"
done
m() { median <"$(t "$1")"; }
floor=$(m floor); fnd=$(m find); j1=$(m j1); j2=$(m j2); jall=$(m jall)
echo "tree, median seconds: floor=$floor find=$fnd -j1=$j1 -j2=$j2 -j$ALL=$jall"
echo "tree: -j$ALL/floor=$(ratio "$jall" "$floor") (target <= 1.0)  -j$ALL/find=$(ratio "$jall" "$fnd") (target <= 0.25)"
echo "tree: -j1/floor=$(ratio "$j1" "$floor")  -j2/-j1=$(ratio "$j2" "$j1")  -j$ALL/-j1=$(ratio "$jall" "$j1")"
walk=$(m flatwalk); f1=$(m flatj1); fall=$(m flatjall)
echo "flat, median seconds: walk-bench=$walk -j1=$f1 -j$ALL=$fall"
echo "flat: -j$ALL/walk-bench=$(ratio "$fall" "$walk") (target <= 1.3)  -j1/walk-bench=$(ratio "$f1" "$walk")"
if [ -n "$BASE_LIST" ]; then
  base=$(m base); fbase=$(m flatbase)
  echo "against BASE: tree base=$base -j1/base=$(ratio "$j1" "$base") -j$ALL/base=$(ratio "$jall" "$base");" \
    "flat base=$fbase -j1/base=$(ratio "$f1" "$fbase") -j$ALL/base=$(ratio "$fall" "$fbase")"
fi

peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
start=$(peak "$LIST" -q -f csv -o "$WORK/empty.csv" "$(mktemp -d)")
for threads in 1 "$ALL"; do
  tree_peak=$(peak "$LIST" -q -j "$threads" -r -f csv -o "$WORK/out.csv" "$TREE")
  flat_peak=$(peak "$LIST" -q -j "$threads" -f csv -o "$WORK/flat.csv" "$FLAT")
  echo "peak KiB -j$threads: start-up=$start tree=$tree_peak" \
    "($(( (tree_peak - start) * 1024 / tree_entries )) B/entry) flat=$flat_peak" \
    "($(( (flat_peak - start) * 1024 / flat_entries )) B/entry, target <= 250)"
done
if [ -n "$BASE_LIST" ]; then
  flat_peak=$(peak "$BASE_LIST" -q -f csv -o "$WORK/flat.csv" "$FLAT")
  echo "peak KiB BASE: flat=$flat_peak ($(( (flat_peak - start) * 1024 / flat_entries )) B/entry)"
fi
