#!/usr/bin/env bash
# Builds the Debian package of Quorvane into build-package/ (release build, without the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --no-build
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF \
    -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_BUILD_FUZZ=OFF >/dev/null
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/*.deb
