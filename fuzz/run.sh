#!/usr/bin/env bash
# Long fuzzing session: fuzz/run.sh [SECONDS per target, default 600].
set -euo pipefail
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build build-sanitize --parallel "$(nproc)"
scripts/fuzz-smoke.sh build-sanitize "${1:-600}"
