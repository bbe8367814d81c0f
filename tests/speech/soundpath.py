#!/usr/bin/python3
"""The real sound path, end to end: the program speaks into a PulseAudio
server of the test's own (a null sink, in a private XDG_RUNTIME_DIR), whose
monitor the test records while it answers exercise 5 with real key presses
and listens to one sentence of exercise 3. Then the same without a server,
and without the Hungarian voice. AT-SPI says which gap has the focus, what
the solution line shows and why Hear and Listen are disabled. ctest runs it inside
xvfb-run and dbus-run-session:

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

failures = []


def check(good, line):
    print("ok:" if good else "FAIL:", line, flush=True)
    if not good:
        failures.append(line)


def wait_for(what, probe, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        try:
            result = probe()
        except GLib.Error:  # objects vanish while windows open and close
            result = None
        if result:
            return result
        time.sleep(0.02)
    raise TimeoutError("timed out waiting for " + what)


def nodes(node):
    yield node
    for i in range(node.childCount):
        if (child := node.getChildAtIndex(i)) is not None:
            yield from nodes(child)


def windows():
    app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "lumora"), None)
    return [w for w in app or [] if w is not None and w.getRole() != pyatspi.ROLE_INVALID
            and w.getState().contains(pyatspi.STATE_SHOWING)]


def window(name_end):
    return next((w for w in windows() if w.name.endswith(name_end)), None)


def focused_gap(w):
    return next((int(n.name.split()[1].rstrip(",")) for n in nodes(w)
                 if n.name.startswith("gap ") and n.getState().contains(pyatspi.STATE_FOCUSED)), None)


def hear(w, name="Hear"):
    """Whether the button is enabled, and its description (the reason when it is not)."""
    b = next(n for n in nodes(w) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == name)
    return b.getState().contains(pyatspi.STATE_SENSITIVE), b.description


def solution_line(w):
    return next((n.name for n in nodes(w) if n.description == "solution" and n.name
                 and n.getState().contains(pyatspi.STATE_SHOWING)), None)


def active(name_end):
    """The window, once it is the active one: keys go there."""
    return (w := window(name_end)) and w.getState().contains(pyatspi.STATE_ACTIVE) and w


class Program:
    def __init__(self, lumora, env):
        self.process = subprocess.Popen([lumora], env=env)
        wait_for("the menu", lambda: active("Lumora exercise menu"))

    def exercise5(self):
        """Opens exercise 5 and starts it: gap 0 holds Péter's "ik"."""
        key("alt+5")
        w = wait_for("exercise 5", lambda: active(": 5."))
        key("alt+s")
        wait_for("gap 0", lambda: focused_gap(w) == 0)
        return w

    def exercise3(self):
        key("alt+3")
        return wait_for("exercise 3", lambda: active(": 3."))

    def listen_disabled(self, reason):
        """From the menu: exercise 3's Listen is disabled with its reason. Its
        "&5" then opens exercise 5 as the menu's does."""
        w = self.exercise3()
        state = wait_for("Listen to be disabled", lambda: not hear(w, "Listen")[0] and hear(w, "Listen"), 2.0)
        check(state[1] == reason, f"Listen is disabled: {state[1]!r}")

    def answer_two_gaps(self, w, heard=lambda keys, text: key(*keys)):
        """Gap 0 as it stands, gap 1 typed ("0" is ö): the exercise goes on."""
        heard(["Return"], "lakik")
        wait_for("gap 1", lambda: focused_gap(w) == 1, 1.0)
        subprocess.run(["xdotool", "type", "0n"], check=True)
        heard(["Return"], "Kelenföldön")
        wait_for("gap 2", lambda: focused_gap(w) == 2, 1.0)

    def end(self, what, close=True):
        if close:
            key("alt+e")
        wait_for("the menu", lambda: active("Lumora exercise menu"))
        pressed = key("alt+e")  # End
        try:
            self.process.wait(timeout=5)
        finally:
            self.kill()
        took = time.monotonic() - pressed
        check(took <= 1.0, f"{what}: End ends the program in {took * 1000:.0f} ms")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


def speech_check(recorder, tool):
    def heard(keys, text):
        expected = synthesised_seconds(tool, text)
        found = recorder.speech_after(key(*keys))
        delay, seconds = found or (0, 0)
        check(found and delay <= 0.3 and abs(seconds - expected) <= 0.2 * expected,
              f"{' '.join(keys)}: {text!r} heard {delay * 1000:.0f} ms after the key, for {seconds:.2f} s "
              f"(synthesised {expected:.2f} s)")
    return heard


def cut_short(recorder, keys, then, after):
    """The second key, 150 ms into what the first says, cuts it short: what
    is heard ends at most `after` (and 0.2 s) past the second key."""
    pressed = key(*keys)
    time.sleep(0.15)
    longest = key(*then) - pressed + after + 0.2
    seconds = (recorder.speech_after(pressed) or (0, 99))[1]
    check(seconds <= longest, f"{' '.join(then)} 150 ms into {' '.join(keys)}: heard for {seconds:.2f} s, "
          f"at most {longest:.2f} s")


def listen_to_one(program, recorder, tool):
    """Exercise 3's Listen says its first sentence by itself; F5 says it again,
    slowly once Speak slowly is on."""
    w = program.exercise3()
    found = recorder.speech_after(key("alt+t"))
    recorder.speech_after(key("alt+u"))  # Solution shows the sentence, and says it
    sentence = wait_for("the solution line", lambda: solution_line(w), 2.0)
    for keys, slowly in ((["alt+t"], False), (["F5"], True)):
        if slowly:
            key("alt+o")
            key("l")
            found = recorder.speech_after(key("F5"))
        expected = synthesised_seconds(tool, sentence, slowly)
        delay, seconds = found or (0, 0)
        check(found and delay <= 0.3 and abs(seconds - expected) <= 0.2 * expected,
              f"Listen, {' '.join(keys)}: {sentence!r} heard {delay * 1000:.0f} ms after the key, for {seconds:.2f} s "
              f"(synthesised {'slowly ' if slowly else ''}{expected:.2f} s)")
    key("alt+o")
    key("l")
    key("alt+e")
    wait_for("the menu", lambda: active("Lumora exercise menu"))


def with_server(lumora, tool, env, runtime):
    server = Server(runtime, env)
    recorder = Recorder(env)
    program = Program(lumora, env)
    try:
        with open(f"/proc/{program.process.pid}/maps") as maps:
            loaded = [lib for lib in ("libespeak-ng", "libpulse-simple") if lib in maps.read()]
        check(not loaded, f"the menu alone has loaded {loaded or 'neither libespeak-ng nor libpulse-simple'}")
        w = program.exercise5()
        check(hear(w)[0], "with a server Hear is enabled")
        heard = speech_check(recorder, tool)
        program.answer_two_gaps(w, heard)
        heard(["F5"], "Kelenföldön")
        # A new utterance stops the one playing; closing the window stops it.
        cut_short(recorder, ["F5"], ["F5"], synthesised_seconds(tool, "Kelenföldön"))
        cut_short(recorder, ["F5"], ["alt+e"], 0.0)
        listen_to_one(program, recorder, tool)
        # The server goes away: the next Hear finds that out, and nothing else changes.
        recorder.stop()
        server.stop()
        w = program.exercise5()
        key("F5")
        state = wait_for("Hear to be disabled", lambda: not hear(w)[0] and hear(w), 2.0)
        check(state[1] == "No sound output was found.", f"once the server has gone, Hear says {state[1]!r}")
        program.answer_two_gaps(w)
        program.end("once the server has gone")
    finally:
        program.kill()
        recorder.stop()
        server.stop()


def without(lumora, tool, env, runtime, reason):
    """No box, no delay: the exercise goes on, Hear says why it is disabled."""
    server = Server(runtime, env) if reason == "The Hungarian voice is not installed." else None
    program = Program(lumora, env)
    recorder = None
    try:
        program.listen_disabled(reason)
        w = program.exercise5()
        state = wait_for("Hear to be disabled", lambda: not hear(w)[0] and hear(w), 2.0)
        check(state[1] == reason, f"Hear is disabled: {state[1]!r}")
        program.answer_two_gaps(w)
        check(not any(x.getRole() == pyatspi.ROLE_ALERT for x in windows()), "the exercise goes on, with no box")
        if not server:  # a server started now is found at the next F5
            server = Server(runtime, env)
            recorder = Recorder(env)
            speech_check(recorder, tool)(["F5"], "Kelenföldön")
            wait_for("Hear to be enabled again", lambda: hear(w)[0], 2.0)
        program.end(f"with {reason!r}")
    finally:
        program.kill()
        if recorder:
            recorder.stop()
        if server:
            server.stop()


def main():
    lumora, tool = sys.argv[1], sys.argv[2]
    # A short path: a socket's name has room for about a hundred characters.
    home = tempfile.mkdtemp(prefix="lumora-sound-", dir="/tmp")
    runtime, empty = os.path.join(home, "run"), os.path.join(home, "empty")
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
                     lambda: without(lumora, tool, env, runtime, "No sound output was found."),
                     lambda: without(lumora, tool, dict(env, ESPEAK_DATA_PATH=empty), runtime,
                                     "The Hungarian voice is not installed.")):
            try:
                part()
            except (TimeoutError, RuntimeError, subprocess.TimeoutExpired) as error:
                check(False, str(error))
    finally:
        for helper in helpers:
            helper.terminate()
            helper.wait()
        shutil.rmtree(home, ignore_errors=True)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
