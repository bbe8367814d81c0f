#!/usr/bin/python3
"""The real sound path, end to end: the program speaks into a PulseAudio
server of the test's own (a null sink, in a private XDG_RUNTIME_DIR), whose
monitor the test records with parec while it answers exercise 5 with real key
presses. Then the same without a server, and without the Hungarian voice.

ctest runs it inside xvfb-run and dbus-run-session; AT-SPI (as in
tests/a11y/screenreader.py) tells which gap has the focus and what Hear says.

    soundpath.py PATH/TO/lumora PATH/TO/speech_pcm
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

from nullsink import Recorder, Server, key, synthesised_seconds

TIMEOUT = 20.0
NO_SOUND = "No sound output was found."
NO_VOICE = "The Hungarian voice is not installed."

failures = []


def fail(message):
    failures.append(message)
    print("FAIL:", message, flush=True)


def ok(message):
    print("ok:", message, flush=True)


def pump():
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        pump()
        try:
            result = probe()
        except GLib.Error:  # objects vanish while windows open and close
            result = None
        if result:
            return result
        time.sleep(0.02)
    raise TimeoutError("timed out waiting for " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def window(pattern_end):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "lumora":
            for w in app:
                if w is not None and w.name.endswith(pattern_end) and showing(w):
                    return w
    return None


def alerts():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "lumora":
            return [w for w in app if w is not None and w.getRole() == pyatspi.ROLE_ALERT and showing(w)]
    return []


def focused_gap(w):
    for node in walk(w):
        if node.getState().contains(pyatspi.STATE_FOCUSED) and node.name.startswith("gap "):
            return int(node.name.split()[1].rstrip(","))
    return None


def hear_button(w):
    return next((n for n in walk(w) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Hear"), None)


def libraries(pid):
    with open(f"/proc/{pid}/maps") as maps:
        text = maps.read()
    return {name for name in ("libespeak-ng", "libpulse-simple") if name in text}


class Program:
    def __init__(self, lumora, env):
        self.process = subprocess.Popen([lumora], env=env)
        wait_for("the menu", lambda: window("Lumora exercise menu"))

    def exercise5(self):
        key("alt+5")
        w = wait_for("exercise 5", lambda: window(": 5."))
        key("alt+s")
        wait_for("gap 0 to take the focus", lambda: focused_gap(w) == 0)
        return w

    def end_within_1s(self, what, close=True):
        if close:
            key("alt+e")  # Close
        wait_for("the menu", lambda: window("Lumora exercise menu"))
        pressed = key("alt+e")  # End
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        took = time.monotonic() - pressed
        if took > 1.0:
            fail(f"{what}: End took {took:.2f} s to end the program")
        else:
            ok(f"{what}: End ends the program in {took * 1000:.0f} ms")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def check_speech(recorder, keys, text, expected):
    pressed = key(*keys)
    found = recorder.speech_after(pressed)
    if not found:
        fail(f"nothing heard after {' '.join(keys)} ({text!r})")
        return
    delay, seconds = found
    line = (f"{' '.join(keys)}: {text!r} heard {delay * 1000:.0f} ms after the key, for {seconds:.2f} s "
            f"(synthesised {expected:.2f} s)")
    if delay > 0.3 or abs(seconds - expected) > 0.2 * expected:
        fail(line)
    else:
        ok(line)


def check_cut(recorder, keys, then, longest):
    """The second key, 150 ms into what the first says, cuts it short."""
    pressed = key(*keys)
    time.sleep(0.15)
    key(*then)
    found = recorder.speech_after(pressed)
    line = f"{' '.join(then)} 150 ms into {' '.join(keys)}: heard for {found[1] if found else 0:.2f} s"
    if not found or found[1] > longest:
        fail(f"{line}, more than {longest:.2f} s")
    else:
        ok(line)


def with_server(lumora, tool, env, runtime):
    server = Server(runtime, env)
    recorder = Recorder(env)
    program = Program(lumora, env)
    try:
        loaded = libraries(program.process.pid)
        if loaded:
            fail(f"the menu alone has loaded {sorted(loaded)}")
        else:
            ok("the menu alone has loaded neither libespeak-ng nor libpulse-simple")
        w = program.exercise5()
        hear = wait_for("Hear", lambda: hear_button(w))
        if not hear.getState().contains(pyatspi.STATE_SENSITIVE):
            fail(f"Hear is disabled with a server: {hear.description!r}")
        check_speech(recorder, ["Return"], "lakik", synthesised_seconds(tool, "lakik"))
        wait_for("gap 1", lambda: focused_gap(w) == 1)
        subprocess.run(["xdotool", "type", "0n"], check=True)  # "0" is ö
        kelenfold = synthesised_seconds(tool, "Kelenföldön")
        check_speech(recorder, ["Return"], "Kelenföldön", kelenfold)
        check_speech(recorder, ["F5"], "Kelenföldön", kelenfold)
        # A new utterance stops the one playing; closing the window stops it.
        check_cut(recorder, ["F5"], ["F5"], 0.15 + kelenfold + 0.2)
        check_cut(recorder, ["F5"], ["alt+e"], 0.45)
        program.end_within_1s("with a server", close=False)
    finally:
        program.kill()
        recorder.stop()
        server.stop()


def without_server(lumora, tool, env, runtime):
    program = Program(lumora, env)
    server = recorder = None
    try:
        w = program.exercise5()
        hear = wait_for("Hear to be disabled", lambda: (h := hear_button(w)) and
                        not h.getState().contains(pyatspi.STATE_SENSITIVE) and h)
        if hear.description != NO_SOUND:
            fail(f"without a server Hear says {hear.description!r}")
        else:
            ok(f"without a server Hear is disabled: {hear.description!r}")
        key("Return")
        wait_for("gap 1 after a right answer without a server", lambda: focused_gap(w) == 1, 1.0)
        subprocess.run(["xdotool", "type", "0n"], check=True)
        key("Return")
        wait_for("gap 2", lambda: focused_gap(w) == 2, 1.0)
        if alerts():
            fail("a message box opened without a server")
        ok("without a server the exercise goes on, with no box")

        # A server started now is found at the next F5.
        server = Server(runtime, env)
        recorder = Recorder(env)
        check_speech(recorder, ["F5"], "Kelenföldön", synthesised_seconds(tool, "Kelenföldön"))
        wait_for("Hear to be enabled", lambda: hear_button(w).getState().contains(pyatspi.STATE_SENSITIVE), 2.0)
        ok("a server started later is found at the next F5, and Hear is enabled again")
        program.end_within_1s("without a server")
    finally:
        program.kill()
        if recorder:
            recorder.stop()
        if server:
            server.stop()


def without_voice(lumora, env, runtime, empty):
    server = Server(runtime, env)
    program = Program(lumora, dict(env, ESPEAK_DATA_PATH=empty))
    try:
        w = program.exercise5()
        hear = wait_for("Hear to be disabled", lambda: (h := hear_button(w)) and
                        not h.getState().contains(pyatspi.STATE_SENSITIVE) and h)
        if hear.description != NO_VOICE:
            fail(f"without the voice Hear says {hear.description!r}")
        else:
            ok(f"without the voice Hear is disabled: {hear.description!r}")
        key("Return")
        wait_for("gap 1 after a right answer without the voice", lambda: focused_gap(w) == 1, 1.0)
        program.end_within_1s("without the voice")
    finally:
        program.kill()
        server.stop()


def main():
    lumora, tool = sys.argv[1], sys.argv[2]
    # A short path: a socket's name has room for about a hundred characters.
    home = tempfile.mkdtemp(prefix="lumora-sound-", dir="/tmp")
    runtime = os.path.join(home, "run")
    empty = os.path.join(home, "empty")
    os.mkdir(runtime, 0o700)
    os.mkdir(empty)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, PULSE_SERVER="unix:" + os.path.join(runtime, "native"),
               XDG_CONFIG_HOME=os.path.join(home, "config"), XDG_DATA_HOME=os.path.join(home, "data"),
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.pop("ESPEAK_DATA_PATH", None)
    helpers = [subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]),
               subprocess.Popen(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)]
    try:
        wait_for("the AT-SPI registry", lambda: pyatspi.Registry.getDesktop(0) is not None)
        for part in (lambda: with_server(lumora, tool, env, runtime),
                     lambda: without_server(lumora, tool, env, runtime),
                     lambda: without_voice(lumora, env, runtime, empty)):
            try:
                part()
            except (TimeoutError, RuntimeError) as error:
                fail(str(error))
    finally:
        for helper in helpers:
            helper.terminate()
            helper.wait()
        shutil.rmtree(home, ignore_errors=True)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
