#!/usr/bin/env bash
# The desktop program on a generated large capture, release build, drawn off screen:
#   bench/gui_timings.sh [FRAMES]   (default 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
frames=${1:-1000000}
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=ON >/dev/null
cmake --build build-release --parallel "$(nproc)" --target quorvane-cli quorvane_gui_timings >/dev/null
capture=${TMPDIR:-/tmp}/quorvane-bench-realtime-$frames.lvt
[ -f "$capture" ] ||
    build-release/bin/quorvane-cli generate --scenario mix --frames "$frames" --layout realtime \
        -o "$capture" >/dev/null
QT_QPA_PLATFORM=offscreen build-release/bin/quorvane_gui_timings "$capture"
