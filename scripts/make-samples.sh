#!/usr/bin/env bash
# Makes the sample animations of data/web/samples with pixmora-tool: the crops of each frame
# are cut with ImageMagick (clip frames taken out with ffmpeg), then reduced to the panel greys,
# saved as a panel animation and exported as a tinted GIF.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in imagemagick ffmpeg; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$p"
done
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target pixmora-tool
tool=build/tools/pixmora-tool
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p data/web/samples

# Moves a crop of w x h from (l0, t0) to (l1, t1) over n frames of one picture, or of the
# frames of a clip from its first to its last, and writes the animation as NAME.gif.
move() {
    local name=$1 source=$2 n=$3 l0=$4 t0=$5 r0=$6 b0=$7 l1=$8 t1=$9 r1=${10} b1=${11}
    local dither=${12} code=${13} frames=${14:-1}
    local pictures=()
    for ((i = 0; i < n; i++)); do
        local l=$((l0 + (l1 - l0) * i / (n - 1))) t=$((t0 + (t1 - t0) * i / (n - 1)))
        local r=$((r0 + (r1 - r0) * i / (n - 1))) b=$((b0 + (b1 - b0) * i / (n - 1)))
        local picture=$source
        if [ "$frames" -gt 1 ]; then
            picture=$(printf '%s/clip-%03d.png' "$work" $((1 + (frames - 1) * i / (n - 1))))
        fi
        local out
        out=$(printf '%s/%s-%03d.png' "$work" "$name" "$i")
        convert "$picture" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out"
        pictures+=("$out")
    done
    "$tool" import --dither "$dither" --background "$code" "$work/$name.zma" "${pictures[@]}"
    "$tool" export "$work/$name.zma" "data/web/samples/$name.gif"
}

move pan data/samples/sample-picture.jpg 24 0 0 202 54 276 214 478 268 burkes 63
ffmpeg -loglevel error -i data/samples/sample-clip.avi "$work/clip-%03d.png"
move zoom "" 30 0 46 318 132 120 76 200 98 ordered 52 40
echo "Wrote data/web/samples/pan.gif and zoom.gif"
