#!/bin/sh
# The real program under a real window manager (openbox), driven with xdotool
# as a learner would: message boxes that follow one another each stay above
# their always-on-top exercise window, Alt+F4 on an exercise window brings the
# menu back, Alt+F4 on the menu and on the backdrop end the program; with
# On Top off, the backdrop stays behind the exercise window when clicked.
# Run by ctest under xvfb-run. LUMORA_SHOTS=dir keeps a screenshot of each box.
set -u
lumora="$1"
export QT_QPA_PLATFORM=xcb
base="  Lumora!  ---  5. lecke"

pid=""
wm=""
fail() {
    echo "FAIL: $*"
    if [ -n "$pid" ]; then
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            echo "  open: $w [$(xdotool getwindowname "$w")]"
        done
        kill "$pid" 2>/dev/null
    fi
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    exit 1
}

wait_for() { # command, what [, tries of 50 ms]
    i=0
    until eval "$1" >/dev/null 2>&1; do
        i=$((i + 1))
        [ $i -gt "${3:-100}" ] && fail "timed out waiting for $2"
        sleep 0.05
    done
}

# The visible windows of the program whose title is exactly $1.
windows_named() { xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null; }
# The menu has no title of its own: the window manager shows the program's name.
menu() {
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w")" = lumora ] && echo "$w"
    done
}
# Bottom to top, as the window manager stacks its clients.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g'; }
# Position of window $1 (decimal id) in the stacking order; -1 if absent.
level() {
    n=0
    for w in $(stacking); do
        [ $((w)) -eq "$1" ] && { echo $n; return; }
        n=$((n + 1))
    done
    echo -1
}

start_program() {
    "$lumora" &
    pid=$!
    wait_for 'windows_named "   L U M O R A  !"' "the backdrop"
    wait_for '! windows_named "  About Lumora!"' "the splash to close"
    sleep 0.3
}

ends_within_2s() { # what was done
    i=0
    while kill -0 "$pid" 2>/dev/null; do
        i=$((i + 1))
        [ $i -gt 40 ] && fail "the program still runs 2 s after $1"
        sleep 0.05
    done
    wait "$pid"
    echo "ok: $1 ends the program"
}

openbox --sm-disable &
wm=$!
wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' "openbox"

start_program
xdotool key alt+3
wait_for 'windows_named "$base: 3."' "exercise 3"
exercise=$(windows_named "$base: 3.")
xdotool key alt+s
sleep 0.3
xdotool type --delay 30 "xyz abc"
xdotool key Return

# Each box in turn: above the exercise window, then OK by Enter.
boxes=0
while :; do
    i=0
    box=""
    while [ -z "$box" ] && [ $i -lt 40 ]; do
        box=$(windows_named "$base: 3." | grep -v "^$exercise\$" | head -n 1)
        i=$((i + 1))
        [ -z "$box" ] && sleep 0.05
    done
    [ -z "$box" ] && break
    boxes=$((boxes + 1))
    sleep 0.2
    [ "$(level "$box")" -gt "$(level "$exercise")" ] ||
        fail "box $boxes is stacked below the exercise window: $(stacking)"
    echo "ok: box $boxes is above the exercise window"
    [ -n "${LUMORA_SHOTS:-}" ] && import -window root "$LUMORA_SHOTS/box$boxes.png"
    xdotool key Return
    wait_for "! xdotool getwindowname $box" "box $boxes to close"
done
[ $boxes -ge 2 ] || fail "only $boxes message boxes for \"xyz abc\""

# On Top off: the backdrop, clicked beside the exercise window or brought to
# the front as a task bar does, stays behind it.
backdrop=$(windows_named "   L U M O R A  !")
xdotool windowactivate --sync "$exercise" key alt+o
sleep 0.3
xdotool key o
sleep 0.3
exercise=$(windows_named "$base: 3.") # a window of other flags is another X window
xdotool windowmove "$exercise" 300 0
sleep 0.3
for bring in "mousemove --window $backdrop 20 100 click 1" "windowactivate $backdrop"; do
    xdotool $bring
    sleep 0.5
    [ "$(level "$exercise")" -gt "$(level "$backdrop")" ] ||
        fail "the backdrop came over the exercise window ($bring): $(stacking)"
done
echo "ok: with On Top off the backdrop stays behind the exercise window"

xdotool windowactivate --sync "$exercise" key alt+F4
wait_for '! windows_named "$base: 3."' "exercise 3 to close"
wait_for '[ -n "$(menu)" ]' "the menu to come back"
echo "ok: Alt+F4 on exercise 3 brings the menu back"
kill -0 "$pid" || fail "the program ended"

xdotool windowactivate --sync "$(menu)" key alt+F4
ends_within_2s "Alt+F4 on the menu"

start_program
xdotool windowactivate --sync "$(windows_named "   L U M O R A  !")" key alt+F4
ends_within_2s "Alt+F4 on the backdrop"

kill "$wm"
