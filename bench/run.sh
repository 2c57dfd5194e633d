#!/usr/bin/env bash
# Benchmarks on a release build: bench/run.sh [extra Google Benchmark flags].
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_GUI=OFF \
    -DQUORVANE_BUILD_TESTS=OFF
cmake --build build-release --parallel "$(nproc)" --target quorvane_bench
build-release/bin/quorvane_bench "$@"
