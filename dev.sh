#!/usr/bin/env bash
# Sets up, builds, and then either starts Kurvask on the bundled map or runs the test suite.
#   ./dev.sh run    install what is missing, build, start the program in data/ on the sample turn
#   ./dev.sh test   install what is missing, build plain and sanitized, run every test in both
#   ./dev.sh fuzz [SECONDS]   install what is missing, build the fuzz targets with clang, run
#                   each for SECONDS (default 60) from its corpus; fails if any target crashes
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang-format fonts-dejavu-core appstream desktop-file-utils dpkg-dev file)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q
        apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

fuzz_targets=(unitfile combatfile picture)

# Runs every fuzz target for $1 seconds, one after the other (one core each), starting from a
# copy of its committed corpus in tests/fuzz/corpus/<target>/. New inputs stay in
# build/fuzz/corpus/<target>/ and crashing ones in build/fuzz/crashes/<target>/; nothing under
# tests/ is written.
fuzz() {
    local seconds=$1 failed=()
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    for t in "${fuzz_targets[@]}"; do
        local corpus=build/fuzz/corpus/$t crashes=build/fuzz/crashes/$t/
        rm -rf "$corpus"
        mkdir -p "$corpus" "$crashes"
        cp tests/fuzz/corpus/"$t"/* "$corpus"/
        echo "== fuzzing $t for $seconds s"
        if ! build/fuzz/tests/fuzz/kvk_fuzz_"$t" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$crashes" "$corpus"; then
            failed+=("$t")
        fi
    done
    if ((${#failed[@]})); then
        echo "fuzzing failed: ${failed[*]} (inputs in build/fuzz/crashes/)" >&2
        return 1
    fi
    echo "fuzzing passed: ${fuzz_targets[*]}"
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
run)
    install_missing
    build default
    cd data && exec ../build/default/src/app/kurvask sample/opening.kvk
    ;;
test)
    install_missing
    build default
    ctest --preset default
    build asan
    ctest --preset asan
    ;;
fuzz)
    seconds=${2:-60}
    [[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 fuzz [SECONDS]" >&2; exit 2; }
    packages+=(clang libclang-rt-14-dev)
    install_missing
    build fuzz
    fuzz "$seconds"
    ;;
*)
    echo "usage: $0 run|test|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
