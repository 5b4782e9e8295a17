#!/usr/bin/env bash
# Installs the Debian 12 packages Pixmora needs to build, test and run. Installs only what is
# missing, so it is quick and quiet when everything is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev
    libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
    libsimpleini-dev
    libgif-dev
    libjpeg62-turbo-dev
    libgtest-dev libbenchmark-dev
    fonts-ipafont-gothic fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
