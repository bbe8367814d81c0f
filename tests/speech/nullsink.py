"""A PulseAudio server of one's own with a null sink, and a recording of what
it plays as it arrives: for the test of the sound path and the speech bench."""

import array
import os
import subprocess
import threading
import time

RATE = 22050
FRAME = RATE // 100  # 10 ms
LOUD = 500  # RMS of a 10 ms frame of speech
PAUSE = 40  # frames of quiet that end an utterance


def loud(samples, at):
    frame = samples[at:at + FRAME]
    return len(frame) == FRAME and sum(s * s for s in frame) / FRAME > LOUD * LOUD


def utterance(samples):
    """First and last sample of the first utterance, or None."""
    first = next((at for at in range(0, len(samples), FRAME) if loud(samples, at)), None)
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


def synthesised_seconds(tool, text, slowly=False):
    """How long the program's voice speaks the text (tests/speech/pcm.cpp)."""
    out = subprocess.run([tool, *(["--slowly"] if slowly else []), text], check=True, capture_output=True).stdout
    header, pcm = out.split(b"\n", 1)
    if int(header) != RATE:
        raise RuntimeError(f"the voice speaks at {int(header)} Hz")
    samples = array.array("h")
    samples.frombytes(pcm[:len(pcm) // 2 * 2])
    first, last = utterance(samples)
    return (last - first) / RATE


def key(*keys):
    """Presses the keys with xdotool; returns the time just before."""
    pressed = time.monotonic()
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)
    return pressed


class Server:
    """pulseaudio with a null sink, on the socket runtime/native."""

    def __init__(self, runtime, env):
        socket = os.path.join(runtime, "native")
        self.process = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--disable-shm=yes",
             "--load=module-null-sink sink_name=nullsink", f"--load=module-native-protocol-unix socket={socket}"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        end = time.monotonic() + 10
        while subprocess.run(["pactl", "info"], env=env, capture_output=True).returncode != 0:
            if time.monotonic() > end or self.process.poll() is not None:
                self.stop()
                raise RuntimeError("the sound server did not start")
            time.sleep(0.05)

    def stop(self):
        self.process.terminate()
        self.process.wait()


class Recorder:
    """The null sink's monitor, read as it comes, with the time each block came."""

    def __init__(self, env):
        self.process = subprocess.Popen(
            ["parec", "-d", "nullsink.monitor", "--latency-msec=10", f"--rate={RATE}", "--channels=1",
             "--format=s16le", "--raw"], env=env, stdout=subprocess.PIPE, bufsize=0)
        self.blocks = []  # (arrival, samples)
        self.lock = threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()
        self.warm_up(env)

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

    def warm_up(self, env):
        """Plays a tone until it is heard at once: a new recording of the
        monitor delivers late for its first second or so."""
        tone = array.array("h", (8000 if (i // 25) % 2 else -8000 for i in range(RATE // 5)))
        for _ in range(20):
            played = time.monotonic()
            subprocess.run(["pacat", "--raw", f"--rate={RATE}", "--channels=1", "--format=s16le"],
                           input=tone.tobytes(), env=env, check=True)
            found = self.speech_after(played)
            if found and found[0] < 0.1:
                return
        raise RuntimeError("the recording of the null sink never keeps up")

    def speech_after(self, pressed, timeout=5.0):
        """(delay after `pressed`, seconds) of the first utterance that began
        after it. The delay is until the block holding its first sample came
        from the monitor: the sample was at the sink by then."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            with self.lock:
                blocks = [b for b in self.blocks if b[0] > pressed]
            samples = array.array("h")
            starts = []  # (index of the block's first sample, its arrival)
            for arrived, block in blocks:
                starts.append((len(samples), arrived))
                samples.extend(block)
            found = utterance(samples)
            if found and len(samples) - found[1] >= PAUSE * FRAME:
                first, last = found
                _, arrived = max(s for s in starts if s[0] <= first)
                return arrived - pressed, (last - first) / RATE
            time.sleep(0.05)
        return None

    def stop(self):
        self.process.kill()
        self.process.wait()
