#!/usr/bin/env bash
# Sets up, builds, and then either starts Kurvask on the bundled map or runs the test suite.
#   ./dev.sh run    install what is missing, build, start the program in data/ on the sample turn
#   ./dev.sh test   install what is missing, build plain and sanitized, run every test in both
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          clang-format fonts-dejavu-core appstream desktop-file-utils)

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
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
