# Shared by the benchmark scripts: where the reference tools are, a timer and
# a median.
SHARED=${SHARED:-$(cd "$(dirname "$0")/../.." && pwd)/shared/bench}
BUILD=${BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}
WORK=${WORK:-/tmp/tamarel-bench}
RUNS=${RUNS:-7}
mkdir -p "$WORK"

# Seconds a command takes, its output discarded. What earlier commands left
# to write back is flushed first, so that it does not land on this one.
seconds() {
  local start end
  sync
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}

median() {
  sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

ratio() {
  echo "scale=3; $1 / $2" | bc -l
}
