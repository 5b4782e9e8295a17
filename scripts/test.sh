#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: under the address and
# undefined-behaviour sanitizers, and as a normal build with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPIXMORA_SANITIZE=ON \
    -DPIXMORA_WERROR=ON -DPIXMORA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

cmake -S . -B build-ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMORA_WERROR=ON >/dev/null
cmake --build build-ci -j "$jobs"
ctest --test-dir build-ci --output-on-failure -j "$jobs"
