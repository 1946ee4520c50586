#!/usr/bin/env bash
# Start-up time and memory: kurvask's own start-up path on the sample turn, to its first
# painted frame, against a minimal Qt Widgets program showing an empty window of the same
# size. Both run offscreen on this machine, RUNS times each (default 9), interleaved; prints
# the medians and their ratio, and each program's peak resident memory.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
runs=${2:-9}
probe=$PWD/$build/bench/kvk_startup_probe
minimal=$PWD/$build/bench/kvk_minimal_window
export QT_QPA_PLATFORM=offscreen

run() { # prints milliseconds, then the peak memory line
    local start end out
    start=$(date +%s%N)
    out=$("$@" 2>/dev/null)
    end=$(date +%s%N)
    echo "$(((end - start) / 1000000)) ${out#VmHWM:}"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

cd data
kvk=() min=()
for ((i = 0; i < runs; i++)); do
    kvk+=("$(run "$probe" sample/opening.kvk)")
    min+=("$(run "$minimal")")
done
kvk_ms=$(printf '%s\n' "${kvk[@]}" | awk '{print $1}' | median)
min_ms=$(printf '%s\n' "${min[@]}" | awk '{print $1}' | median)
kvk_kb=$(printf '%s\n' "${kvk[@]}" | awk '{print $2}' | median)
min_kb=$(printf '%s\n' "${min[@]}" | awk '{print $2}' | median)
echo "kurvask to its first frame:        median ${kvk_ms} ms over ${runs} runs, peak RSS ${kvk_kb} kB"
echo "minimal Qt window to its first frame: median ${min_ms} ms over ${runs} runs, peak RSS ${min_kb} kB"
awk -v a="$kvk_ms" -v b="$min_ms" 'BEGIN {printf "ratio: %.2f\n", a / b}'
