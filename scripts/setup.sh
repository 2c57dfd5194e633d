#!/usr/bin/env bash
# Installs what Quorvane needs on Debian 12 (only what is missing) and builds it into build/
# (unless --no-build is given).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libpcap-dev zlib1g-dev
    poppler-utils
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# --no-build: the packages alone, for the scripts that build a tree of their own.
[ "${1:-}" = "--no-build" ] && exit 0

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_BUILD_GUI=ON \
    -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=ON
cmake --build build --parallel "$(nproc)"
