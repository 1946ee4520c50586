#!/usr/bin/env bash
# Start-up time and memory: kurvask's own start-up path on the sample turn against a minimal
# Qt Widgets program that shows an empty maximized window, and against a plain Qt program that
# shows a maximized frame with kurvask's parts (menu bar, tool bar, status bar, review dock, a
# map-sized picture) and does none of its work (bench/startup/BareFrame.cpp). Each is timed
# from its start to the moment its maximized main window is first painted and on the screen
# (all report that moment the same way, see bench/startup/FirstFrameProbe.h).
#
# Measured twice: offscreen, and on a real X display with the xcb platform and a window
# manager, where mapping, exposing and maximizing the windows count too. On the display given
# by DISPLAY when there is one; otherwise on an Xvfb screen of 1280x900 with openbox, both
# started here and stopped at the end (the X measurement is skipped, with a note, when Xvfb
# or openbox is missing: apt-get install xvfb openbox x11-utils).
#
# RUNS runs of each program per platform (default 9), the programs alternating and taking
# turns to go first; prints the medians, kurvask's ratio to each yardstick and each program's
# peak resident memory.
#   bench/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
runs=${2:-9}
[[ $build == /* ]] || build=$PWD/$build
probe=$build/bench/kvk_startup_probe
minimal=$build/bench/kvk_minimal_window
bare=$build/bench/kvk_bare_frame
for program in "$probe" "$minimal" "$bare"; do
    [[ -x $program ]] || { echo "startup.sh: $program is not built" >&2; exit 1; }
done

now_us() { local t=$EPOCHREALTIME; echo "${t/[.,]/}"; }

run() { # prints the milliseconds to the first frame, then the peak memory in kB
    local start out frame
    start=$(now_us)
    if ! out=$(timeout 60 "$@" 2>/dev/null); then
        echo "startup.sh: $* did not reach its first frame" >&2
        return 1
    fi
    frame=$(awk '$1 == "frame" {print $2}' <<<"$out")
    awk -v f="$frame" -v s="$start" -v m="$(awk '$1 == "VmHWM:" {print $2}' <<<"$out")" \
        'BEGIN {printf "%.1f %s\n", (f - s) / 1000, m}'
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

# The median of the first (ms) or second (kB) figure of each run given.
median_of() { local field=$1; shift; printf '%s\n' "$@" | awk -v f="$field" '{print $f}' | median; }
# One program's line: its name, median time and memory, and every run's time.
report() {
    local name=$1; shift
    printf '  %-31s median %s ms, peak RSS %s kB (%s)\n' "$name:" "$(median_of 1 "$@")" \
        "$(median_of 2 "$@")" "$(printf '%s\n' "$@" | awk '{print $1}' | sort -n | xargs)"
}

measure() { # platform where: runs the programs interleaved and prints their figures
    local platform=$1 where=$2 kvk=() min=() bar=() i
    export QT_QPA_PLATFORM=$platform
    for ((i = 0; i < runs; i++)); do
        case $((i % 3)) in
        0)
            kvk+=("$(run "$probe" sample/opening.kvk)")
            min+=("$(run "$minimal")")
            bar+=("$(run "$bare")")
            ;;
        1)
            min+=("$(run "$minimal")")
            bar+=("$(run "$bare")")
            kvk+=("$(run "$probe" sample/opening.kvk)")
            ;;
        2)
            bar+=("$(run "$bare")")
            kvk+=("$(run "$probe" sample/opening.kvk)")
            min+=("$(run "$minimal")")
            ;;
        esac
    done
    echo "$platform ($where):"
    report "kurvask on the sample turn" "${kvk[@]}"
    report "minimal maximized window" "${min[@]}"
    report "bare frame of kurvask's parts" "${bar[@]}"
    awk -v a="$(median_of 1 "${kvk[@]}")" -v b="$(median_of 1 "${min[@]}")" \
        -v c="$(median_of 1 "${bar[@]}")" -v p="$platform" \
        'BEGIN {printf "  ratio %s: %.2f (to the bare frame: %.2f)\n", p, a / b, a / c}'
}

xvfb_pid='' wm_pid='' scratch=''
stop_display() {
    [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    [[ -n $scratch ]] && rm -rf "$scratch"
    return 0
}
trap stop_display EXIT

# Starts Xvfb on a free display and openbox on it; sets DISPLAY. Fails when they cannot start.
start_display() {
    command -v Xvfb >/dev/null && command -v openbox >/dev/null || return 1
    scratch=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$scratch/display" \
        >"$scratch/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s $scratch/display ]] && break
        sleep 0.1
    done
    [[ -s $scratch/display ]] || return 1
    export DISPLAY=:$(head -n 1 "$scratch/display")
    openbox >"$scratch/openbox.log" 2>&1 &
    wm_pid=$!
    # The manager is ready once it has announced itself on the root window.
    for ((i = 0; i < 100; i++)); do
        if command -v xprop >/dev/null; then
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        elif ((i >= 10)); then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

cd data
measure offscreen "no display"
if [[ -n ${DISPLAY:-} ]]; then
    measure xcb "on $DISPLAY"
elif start_display; then
    measure xcb "on Xvfb $DISPLAY, 1280x900, with openbox"
else
    echo "xcb: not measured (no DISPLAY, and Xvfb with openbox could not be started)" >&2
fi
