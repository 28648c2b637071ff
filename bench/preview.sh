#!/usr/bin/env bash
# The Preview page with the listing of the 202,100-entry tree, through the
# window (offscreen): the CSV report shown in the text viewer, the HTML page
# switch, the browser view's load after it and the longest the window went
# unanswered meanwhile; then the reports' steps apart. Medians of RUNS runs
# with their spread, against the targets. BASE=another build folder runs
# that build's tamarel-preview-bench interleaved and prints ratios to it.
set -eu
. "$(dirname "$0")/common.sh"
TREE=$WORK/tree-2000x100
[ -d "$TREE" ] || python3 "$SHARED/mktree.py" "$TREE" 2000 100
"$BUILD/bench/tamarel-walk-bench" "$TREE" >/dev/null
BASE=${BASE:-}
export QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-$([ "$(id -u)" = 0 ] && echo 1 || echo 0)}

# The value of NAME= on the line starting with WHAT.
field() { grep "^$1 " | tr ' ' '\n' | sed -n "s/^$2=//p"; }
keys="csv csv-mb html-switch html-loaded html-ok stall csv-build html-build page page-write"
run() {
  local out
  out=$("$1/bench/tamarel-preview-bench" "$TREE" 2>/dev/null) || true
  echo "$out" | field csv-preview shown >>"$WORK/preview-$2-csv.t"
  echo "$out" | field csv-preview resident-growth-mb >>"$WORK/preview-$2-csv-mb.t"
  echo "$out" | field html-preview switch >>"$WORK/preview-$2-html-switch.t"
  echo "$out" | field html-preview loaded >>"$WORK/preview-$2-html-loaded.t"
  echo "$out" | field html-preview ok >>"$WORK/preview-$2-html-ok.t"
  echo "$out" | field html-preview longest-stall-ms >>"$WORK/preview-$2-stall.t"
  echo "$out" | field csv-steps build >>"$WORK/preview-$2-csv-build.t"
  echo "$out" | field html-steps build >>"$WORK/preview-$2-html-build.t"
  echo "$out" | field html-steps page >>"$WORK/preview-$2-page.t"
  echo "$out" | field html-steps page-write >>"$WORK/preview-$2-page-write.t"
}
# "median (min..max)" of a file of numbers; "-" when it is empty.
spread() {
  [ -s "$1" ] || { echo "-"; return; }
  echo "$(median <"$1") ($(sort -g "$1" | head -1)..$(sort -g "$1" | tail -1))"
}
# How many runs saw the page load (a 1 on their line).
shown() { grep -cx 1 "$1" || true; }

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for k in $keys; do : >"$WORK/preview-new-$k.t"; : >"$WORK/preview-base-$k.t"; done
for _ in $(seq "$RUNS"); do
  run "$BUILD" new
  [ -z "$BASE" ] || run "$BASE" base
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

csv=$(median <"$WORK/preview-new-csv.t"); switch=$(median <"$WORK/preview-new-html-switch.t")
loaded=$(median <"$WORK/preview-new-html-loaded.t")
echo "median (min..max) of $RUNS runs, seconds:"
echo "  CSV preview shown:        $(spread "$WORK/preview-new-csv.t")  ratio to the target 0.3: $(ratio "$csv" 0.3)"
echo "  CSV preview memory, MB:   $(spread "$WORK/preview-new-csv-mb.t")"
echo "  HTML page switch:         $(spread "$WORK/preview-new-html-switch.t")  ratio to the target 1.0: $(ratio "$switch" 1.0)"
echo "  HTML page loaded:         $(spread "$WORK/preview-new-html-loaded.t")  ratio to the target 2.0: $(ratio "$loaded" 2.0)"
echo "  pages shown / loads:      $(shown "$WORK/preview-new-html-ok.t") / $RUNS"
echo "  longest stall, ms:        $(spread "$WORK/preview-new-stall.t")"
echo "  CSV report build:         $(spread "$WORK/preview-new-csv-build.t")"
echo "  HTML report build:        $(spread "$WORK/preview-new-html-build.t")"
echo "  HTML page cut, written:   $(spread "$WORK/preview-new-page.t"), $(spread "$WORK/preview-new-page-write.t")"
if [ -n "$BASE" ]; then
  echo "base build $BASE:"
  echo "  CSV preview shown:        $(spread "$WORK/preview-base-csv.t")  ratio new/base: $(ratio "$csv" "$(median <"$WORK/preview-base-csv.t")")"
  echo "  CSV preview memory, MB:   $(spread "$WORK/preview-base-csv-mb.t")"
  echo "  HTML page switch:         $(spread "$WORK/preview-base-html-switch.t")  ratio new/base: $(ratio "$switch" "$(median <"$WORK/preview-base-html-switch.t")")"
  echo "  HTML page loaded:         $(spread "$WORK/preview-base-html-loaded.t")"
  echo "  pages shown / loads:      $(shown "$WORK/preview-base-html-ok.t") / $RUNS"
  echo "  longest stall, ms:        $(spread "$WORK/preview-base-stall.t")"
fi
