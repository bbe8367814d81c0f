#!/bin/sh
# Sets up and builds, then walks the program at random: LUMORA_WALK_EVENTS
# events (default 25000) for each seed given (default 1 2 3 4), two walks at a
# time. Each walk's output goes to <build>/walk-<seed>.log; a failing walk
# names its event and the events before it there.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${LUMORA_BUILD_DIR:-build}"
export LUMORA_WALK_EVENTS="${LUMORA_WALK_EVENTS:-25000}" QT_QPA_PLATFORM=offscreen
[ $# -gt 0 ] || set -- 1 2 3 4
printf '%s\n' "$@" | xargs -P 2 -I{} sh -c \
    'LUMORA_WALK_SEED={} "$0/gui_tests" --gtest_filter="RandomWalk.*" >"$0/walk-{}.log" 2>&1 \
     && grep "^seed" "$0/walk-{}.log" || { echo "seed {}: FAILED, see $0/walk-{}.log"; exit 1; }' "$build"
