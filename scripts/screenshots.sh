#!/usr/bin/env bash
# Builds Pixmora, runs it on a virtual display and saves a screenshot of each of its four
# pages as shot-page1.png .. shot-page4.png (or in the folder given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-.}

bash scripts/install-deps.sh
for p in xvfb imagemagick xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$p"
done
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target pixmora

display=:97
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $app 2>/dev/null' EXIT
sleep 1
DISPLAY=$display build/app/pixmora -qwindowgeometry 1280x800+0+0 >/dev/null 2>&1 &
app=$!
sleep 3
# Click the first tab, then step through the pages with the arrow key.
DISPLAY=$display xdotool mousemove 30 62 click 1
for page in 1 2 3 4; do
    sleep 1
    DISPLAY=$display import -window root "$out/shot-page$page.png"
    DISPLAY=$display xdotool key Right
done
echo "Saved $out/shot-page1.png .. $out/shot-page4.png"
