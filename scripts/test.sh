#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite, then the unit tests and a short run of every
# fuzz target under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build build-sanitize --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
scripts/fuzz-smoke.sh build-sanitize "${QUORVANE_FUZZ_SECONDS:-20}"
