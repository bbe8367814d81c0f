#!/bin/sh
# The real program on a real X server: the splash appears, then the menu with
# the backdrop, and "&End" ends the program cleanly. Run by ctest under xvfb-run.
set -u
lumora="$1"
export QT_QPA_PLATFORM=xcb
# The record of this run goes into a folder of its own, not the tester's home.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
export XDG_DATA_HOME="$data"

wait_for() { # command, what
    i=0
    until eval "$1" >/dev/null 2>&1; do
        i=$((i + 1))
        [ $i -gt 100 ] && { echo "timed out waiting for $2"; kill "$pid" 2>/dev/null; exit 1; }
        sleep 0.05
    done
}

"$lumora" &
pid=$!
wait_for 'xdotool search --onlyvisible --name "^  About Lumora!$"' "the splash"
echo "splash shown"
wait_for 'xdotool search --onlyvisible --name "^   L U M O R A  !$"' "the backdrop"
wait_for '! xdotool search --onlyvisible --name "^  About Lumora!$"' "the splash to close"
echo "menu shown, splash gone"
sleep 0.3
xdotool key alt+e
i=0
while kill -0 "$pid" 2>/dev/null; do
    i=$((i + 1))
    [ $i -gt 100 ] && { echo "the program did not end"; kill "$pid"; exit 1; }
    sleep 0.05
done
wait "$pid"
status=$?
echo "ended with status $status"
exit $status
