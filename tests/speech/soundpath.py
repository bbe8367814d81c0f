#!/usr/bin/python3
"""The real sound path, end to end: the program speaks into a PulseAudio
server of the test's own (a null sink, in a private XDG_RUNTIME_DIR), whose
monitor the test records with parec while it answers exercise 5 with real key
presses. Then the same without a server, and without the Hungarian voice.

ctest runs it inside xvfb-run and dbus-run-session; AT-SPI (as in
tests/a11y/screenreader.py) tells which gap has the focus and what Hear says.

    soundpath.py PATH/TO/lumora PATH/TO/speech_pcm
"""

import array
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

import pyatspi
from gi.repository import GLib

RATE = 22050
FRAME = RATE // 100  # 10 ms
LOUD = 500  # RMS of a 10 ms frame of speech
PAUSE = 40  # frames of quiet that end an utterance
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


def loud(samples, at):
    frame = samples[at:at + FRAME]
    return len(frame) == FRAME and sum(s * s for s in frame) / FRAME > LOUD * LOUD


def utterance(samples, start=0):
    """First and last sample of the first utterance from start on, or None."""
    first = next((at for at in range(start, len(samples), FRAME) if loud(samples, at)), None)
    if first is None:
        return None
    last, quiet, at = first, 0, first
    while at < len(samples) and quiet < PAUSE:
        if loud(samples, at):
            last, quiet = at + FRAME, 0
        else:
            quiet += 1
        at += FRAME
    return first, last


def synthesised_seconds(tool, text):
    out = subprocess.run([tool, text], check=True, capture_output=True).stdout
    header, pcm = out.split(b"\n", 1)
    if int(header) != RATE:
        fail(f"the voice speaks at {int(header)} Hz")
    samples = array.array("h")
    samples.frombytes(pcm[:len(pcm) // 2 * 2])
    first, last = utterance(samples)
    return (last - first) / RATE


class Server:
    """pulseaudio with a null sink, on a socket in the private runtime folder."""

    def __init__(self, runtime, env):
        self.socket = os.path.join(runtime, "native")
        self.env = env
        self.process = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
             "--load=module-null-sink sink_name=nullsink",
             f"--load=module-native-protocol-unix socket={self.socket}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the sound server", lambda: subprocess.run(["pactl", "info"], env=env, capture_output=True)
                 .returncode == 0, 10)

    def stop(self):
        self.process.terminate()
        self.process.wait()


class Recorder:
    """What the null sink plays, as it arrives, with the time each block came."""

    def __init__(self, env):
        self.process = subprocess.Popen(
            ["parec", "-d", "nullsink.monitor", "--latency-msec=10", f"--rate={RATE}", "--channels=1",
             "--format=s16le", "--raw"], env=env, stdout=subprocess.PIPE, bufsize=0)
        self.blocks = []  # (arrival, samples)
        self.lock = threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        rest = b""
        while True:
            data = os.read(self.process.stdout.fileno(), 4096)
            arrived = time.monotonic()
            if not data:
                return
            data, rest = rest + data, b""
            if len(data) % 2:
                data, rest = data[:-1], data[-1:]
            block = array.array("h")
            block.frombytes(data)
            with self.lock:
                self.blocks.append((arrived, block))

    def speech_after(self, pressed, timeout=5.0):
        """(delay after the press, seconds) of the first utterance that began after it."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self.lock:
                blocks = [b for b in self.blocks if b[0] > pressed]
            samples = array.array("h")
            starts = []  # (index of the block's first sample, arrival of its last)
            for arrived, block in blocks:
                starts.append((len(samples), arrived))
                samples.extend(block)
            found = utterance(samples)
            if found and len(samples) - found[1] >= PAUSE * FRAME:
                first, last = found
                index, arrived = max(s for s in starts if s[0] <= first)
                block_end = next((s[0] for s in starts if s[0] > first), len(samples))
                heard = arrived - (block_end - first) / RATE
                return heard - pressed, (last - first) / RATE
            time.sleep(0.05)
        return None

    def warm_up(self, env):
        """Plays a tone until it is heard at once: the monitor of a new
        recording delivers late for its first second or so."""
        tone = array.array("h", (8000 if (i // 25) % 2 else -8000 for i in range(RATE // 5)))
        for _ in range(20):
            played = time.monotonic()
            subprocess.run(["pacat", "--raw", f"--rate={RATE}", "--channels=1", "--format=s16le"],
                           input=tone.tobytes(), env=env, check=True)
            found = self.speech_after(played)
            if found and found[0] < 0.1:
                return
        fail("the recording of the null sink never keeps up")

    def stop(self):
        self.process.kill()
        self.process.wait()


def key(*keys):
    pressed = time.monotonic()
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)
    return pressed


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

    def end_within_1s(self, what):
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


def with_server(lumora, tool, env, runtime):
    server = Server(runtime, env)
    recorder = Recorder(env)
    recorder.warm_up(env)
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
        program.end_within_1s("with a server")
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
        recorder.warm_up(env)
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
            except TimeoutError as error:
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
