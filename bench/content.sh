#!/usr/bin/env bash
# A phrase search through the engine against grep -rlFi on about 260 MB of
# text in 10,000 files, warm cache, interleaved runs: a phrase that occurs
# nowhere, and one that starts with a very frequent letter.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-content
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 200 50 content
for phrase in ${PHRASES:-zzqqxxnowhere example}; do
  "$BUILD/bench/tamarel-content-bench" "$TREE" "$phrase"
  echo "grep matched=$(grep -rlFi "$phrase" "$TREE" | wc -l || true)"
  : >"$WORK/eng.t"; : >"$WORK/grep.t"
  for _ in $(seq "$RUNS"); do
    seconds "$BUILD/bench/tamarel-content-bench" "$TREE" "$phrase" >>"$WORK/eng.t"
    seconds grep -rlFi "$phrase" "$TREE" >>"$WORK/grep.t"
  done
  e=$(median <"$WORK/eng.t"); g=$(median <"$WORK/grep.t")
  echo "phrase=$phrase median seconds: engine=$e grep=$g engine/grep=$(ratio "$e" "$g")"
done
