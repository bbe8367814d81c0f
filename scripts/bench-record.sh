#!/bin/sh
# The learner's record at 0, 100 000 and 1 000 000 answers: start to the
# menu, My progress and the export, on a virtual X server. The large records
# are made once with tools/record/fill.py and kept in the build folder.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
build="${LUMORA_BUILD_DIR:-build}"
homes=""
for n in 100000 1000000; do
    home="$build/bench-records/$n"
    if [ ! -e "$home/lumora/record.sqlite" ]; then
        mkdir -p "$home"
        QT_QPA_PLATFORM=offscreen tools/record/fill.py --lumora "$build/lumora" --answers "$n" "$home"
    fi
    homes="$homes $(realpath "$home")"
done
# shellcheck disable=SC2086
exec xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- "$build/bench_run" "$build" record $homes
