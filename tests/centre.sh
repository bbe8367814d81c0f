#!/bin/sh
# The menu window on a real X server with a window manager that frames it
# (openbox): its frame, decoration included, is centred on the screen within
# 2 px. Run by ctest under xvfb-run.
set -u
lumora="$1"
export QT_QPA_PLATFORM=xcb

wait_for() { # command, what
    i=0
    until eval "$1" >/dev/null 2>&1; do
        i=$((i + 1))
        [ $i -gt 100 ] && { echo "timed out waiting for $2"; exit 1; }
        sleep 0.05
    done
}

openbox --sm-disable &
wm=$!
wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' "openbox"
"$lumora" &
pid=$!
trap 'kill $pid $wm 2>/dev/null' EXIT
wait_for 'xdotool search --onlyvisible --name "^   L U M O R A  !$"' "the backdrop"
wait_for '! xdotool search --onlyvisible --name "^  About Lumora!$"' "the splash to close"
backdrop=$(xdotool search --onlyvisible --name "^   L U M O R A  !$")
menu=$(xdotool search --onlyvisible --class lumora | grep -vx "$backdrop" | head -n 1)
[ -n "$menu" ] || { echo "no menu window"; exit 1; }

screen=$(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
# The frame: the client's place and size widened by _NET_FRAME_EXTENTS
# (left, right, top, bottom).
frame() {
    extents=$(xprop -id "$menu" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ,)
    [ -n "$extents" ] || return 1
    xwininfo -id "$menu" | awk -v e="$extents" '
        /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2}
        END {split(e, f, " "); print x - f[1], y - f[3], w + f[1] + f[2], h + f[3] + f[4], f[3]}'
}
# off: how far the frame's centre lies from the screen's, in px; top: the
# decoration's height, which must be there for the check to mean anything.
measure() {
    set -- $screen $(frame) || return 1
    [ $# -eq 7 ] || return 1
    dx=$(( 2 * $3 + $5 - $1 )); dy=$(( 2 * $4 + $6 - $2 )); top=$7
    [ ${dx#-} -le 4 ] && [ ${dy#-} -le 4 ] && [ "$top" -gt 0 ]
}
i=0
until measure; do
    i=$((i + 1))
    [ $i -gt 40 ] && { echo "frame $(frame) not centred on screen $screen (twice the offset: $dx, $dy)"; exit 1; }
    sleep 0.05
done
echo "frame $(frame) centred on screen $screen"
