#!/usr/bin/env bash
# Sets up (Debian packages), builds and runs every test.
#   KORVANE_BUILD_DIR    build folder (default: build)
#   KORVANE_CMAKE_ARGS   extra CMake arguments (sanitizer builds)
#   KORVANE_TEST_FILTER  only the tests whose names match this regular expression
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh

build="${KORVANE_BUILD_DIR:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja ${KORVANE_CMAKE_ARGS:-}
cmake --build "$build"

args=(--test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300)
[ -n "${KORVANE_TEST_FILTER:-}" ] && args+=(-R "$KORVANE_TEST_FILTER")
# Tests that open a real window need an X server: give them a virtual one.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest "${args[@]}"
else
  ctest "${args[@]}"
fi
