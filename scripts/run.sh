#!/usr/bin/env bash
# Installs what is missing, builds Pixmora and starts it with the given files (the samples in
# data/samples when none are given).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target pixmora
if [ $# -eq 0 ]; then
    set -- data/samples/sample-picture.jpg data/samples/sample-clip.avi
fi
exec build/app/pixmora "$@"
