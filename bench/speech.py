#!/usr/bin/python3
"""Speech, measured on the real program under the caller's X server
(scripts/bench.sh starts one): from a key press to the first sample at the
null sink of a PulseAudio server of its own; then, through the same server,
the memory speech adds (bench_lumora speech).

    speech.py BUILD_DIR

Figures and goals: README, Benchmarks.
"""

import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "speech"))
from nullsink import Recorder, Server, key  # noqa: E402

ROUNDS = 21


def active(pattern):
    """Waits until the active window's name matches: keys go there."""
    end = time.monotonic() + 30
    while time.monotonic() < end:
        name = subprocess.run(["xdotool", "getactivewindow", "getwindowname"], capture_output=True, text=True)
        if re.search(pattern, name.stdout.strip()):
            time.sleep(0.2)
            return
        time.sleep(0.05)
    raise RuntimeError(f"no active window {pattern}")


def delays(lumora, env, recorder):
    """Exercise 5: Start, gap 0 answered, then F5 again and again: from each
    key press to the first sample heard."""
    program = subprocess.Popen([lumora], env=env)
    try:
        active("^lumora$")  # the menu, after the splash
        key("alt+5")
        active(r": 5\.$")
        key("alt+s")
        time.sleep(0.3)
        heard = []
        for k in range(ROUNDS + 1):
            found = recorder.speech_after(key("Return" if k == 0 else "F5"), 2.0)
            if found:
                heard.append(found[0])
            time.sleep(0.2)
        key("alt+e")
        active("^lumora$")
        key("alt+e")
        program.wait(timeout=10)
        return heard
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    lumora = os.path.join(build, "lumora")
    home = tempfile.mkdtemp(prefix="lumora-bench-", dir="/tmp")
    runtime = os.path.join(home, "run")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, PULSE_SERVER="unix:" + os.path.join(runtime, "native"),
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
               QT_QPA_PLATFORM="xcb", LUMORA_DICTIONARY_DIR="/nonexistent")
    wm = subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
    server = Server(runtime, env)
    recorder = Recorder(env)
    try:
        heard = delays(lumora, env, recorder)
        added = subprocess.run([os.path.join(build, "bench_lumora"), "speech"], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                               capture_output=True, text=True, check=True).stdout
    finally:
        recorder.stop()
        server.stop()
        wm.terminate()
        wm.wait()
        shutil.rmtree(home, ignore_errors=True)
    if len(heard) < ROUNDS:
        print(f"speech heard after {len(heard)} of {ROUNDS + 1} key presses: MISSED")
        return 1
    median = statistics.median(heard) * 1000
    print(f"key press to the first sample at the null sink (median of {len(heard)}): {median:.0f} ms "
          f"(fastest {min(heard) * 1000:.0f}, slowest {max(heard) * 1000:.0f}); goal <= 150 ms: "
          f"{'met' if median <= 150 else 'MISSED'}")
    print(added, end="")
    return 0


if __name__ == "__main__":
    sys.exit(main())
