#!/usr/bin/env bash
# Sets up (Debian packages), builds, prepares the demo project and starts the game in it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh

build="${KORVANE_BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja
cmake --build "$build"

demo="$build/demo"
"$build/bin/korvane-mkdemo" "$demo"
cd "$demo"
exec "../bin/korvane" "$@"
