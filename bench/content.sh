#!/usr/bin/env bash
# A phrase search on about 260 MB of text in 10,000 files, warm cache,
# interleaved runs: the engine alone (tamarel-content-bench), tamarel-list
# -r -c with its default threads, grep -rlFi and, when installed, ripgrep on
# two threads (rg -j2 -lFi). A phrase that occurs nowhere, and one that
# starts with a very frequent letter.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-content
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 200 50 content
LIST=$BUILD/cli/tamarel-list
RG=$(command -v rg || true)
for phrase in ${PHRASES:-zzqqxxnowhere example}; do
  "$BUILD/bench/tamarel-content-bench" "$TREE" "$phrase"
  echo "grep matched=$(grep -rlFi "$phrase" "$TREE" | wc -l || true)" \
    "tamarel-list matched=$("$LIST" -q -r --no-dirs -f paths -c "$phrase" "$TREE" | wc -l || true)"
  : >"$WORK/eng.t"; : >"$WORK/list.t"; : >"$WORK/grep.t"; : >"$WORK/rg.t"
  for _ in $(seq "$RUNS"); do
    seconds "$BUILD/bench/tamarel-content-bench" "$TREE" "$phrase" >>"$WORK/eng.t"
    seconds "$LIST" -q -r -f paths -c "$phrase" "$TREE" >>"$WORK/list.t"
    seconds grep -rlFi "$phrase" "$TREE" >>"$WORK/grep.t"
    [ -z "$RG" ] || seconds "$RG" -j2 -lFi --no-ignore --hidden "$phrase" "$TREE" >>"$WORK/rg.t"
  done
  e=$(median <"$WORK/eng.t"); l=$(median <"$WORK/list.t"); g=$(median <"$WORK/grep.t")
  echo "phrase=$phrase median seconds: engine=$e tamarel-list=$l grep=$g" \
    "engine/grep=$(ratio "$e" "$g") tamarel-list/grep=$(ratio "$l" "$g")"
  if [ -n "$RG" ]; then
    r=$(median <"$WORK/rg.t")
    echo "phrase=$phrase rg -j2=$r tamarel-list/rg=$(ratio "$l" "$r") (target <= 1.2)"
  fi
done
