#!/usr/bin/env bash
# Makes the README's pictures of the demo again: a fresh demo project played
# headless by the game itself, with scripted keys, its frames dumped as PNG.
#   tools/readme_pictures.sh [BUILD_DIR]     (default: build; needs korvane and korvane-mkdemo)
# Writes docs/pictures/title.png, world-map.png and stage.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

mkdir "$work/demo"
"$build/bin/korvane-mkdemo" "$work/demo" > /dev/null

# Title (frame 15), a new story on the world map (60), the first stage entered
# from its cell, then running right and jumping in it (the stage frame).
cat > "$work/keys.txt" << 'EOF'
20 Z=1
21 Z=0
70 Z=1
71 Z=0
80 UP=1
81 UP=0
90 Z=1
91 Z=0
220 RIGHT=1
290 Z=1
300 Z=0
296 X=1
298 X=0
EOF
title=15
map=60
stage=305

(cd "$work/demo" &&
  KORVANE_HEADLESS=1 KORVANE_CLOCK=virtual KORVANE_LOCK="$work/game.lock" KORVANE_FRAMES=$((stage + 1)) \
    KORVANE_INPUT="$work/keys.txt" KORVANE_DUMP="$work/frames" KORVANE_DUMP_FRAMES="$title,$map,$stage" \
    "$build/bin/korvane")

mkdir -p "$root/docs/pictures"
frame() { printf '%s/frames/frame-%06d.png' "$work" "$1"; }
cp "$(frame $title)" "$root/docs/pictures/title.png"
cp "$(frame $map)" "$root/docs/pictures/world-map.png"
cp "$(frame $stage)" "$root/docs/pictures/stage.png"
echo "docs/pictures: title.png world-map.png stage.png"
