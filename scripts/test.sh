#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite, then the unit tests under ThreadSanitizer, and
# the unit tests and a short run of every fuzz target under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVANE_TSAN=ON -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_BUILD_FUZZ=OFF
cmake --build build-tsan --parallel "$(nproc)" --target quorvane_tests quorvane-cli quorvane_completion
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    ctest --test-dir build-tsan --output-on-failure --parallel "$(nproc)"

CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_GUI=OFF -DQUORVANE_BUILD_BENCH=OFF
cmake --build build-sanitize --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
# A short run of each target keeps the whole suite within its time; fuzz/run.sh runs them long.
scripts/fuzz-smoke.sh build-sanitize "${QUORVANE_FUZZ_SECONDS:-6}"
