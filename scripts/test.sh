#!/usr/bin/env bash
# Installs what is missing, checks the formatting, then builds and runs every test twice: under
# the address and undefined-behaviour sanitizers, and as a normal build with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Every source file must be formatted as .clang-format says.
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror; then
    echo "Run clang-format -i on the files above." >&2
    exit 1
fi
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPIXMORA_SANITIZE=ON \
    -DPIXMORA_WERROR=ON -DPIXMORA_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

cmake -S . -B build-ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXMORA_WERROR=ON >/dev/null
cmake --build build-ci -j "$jobs"
ctest --test-dir build-ci --output-on-failure -j "$jobs"
