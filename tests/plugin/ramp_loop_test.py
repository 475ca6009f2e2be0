#!/usr/bin/env python3
"""Feeds ramp_loop.py's check recordings of a ramp whose loop is known: one restarting every second
bar (a loop at half speed) or a twelfth of a bar early or late must fail, one restarting every bar
with one start hidden, or 2.5 % early or late, must pass."""
import array, math, os, sys, tempfile, wave

sys.dont_write_bytecode = True  # nothing left in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ramp_loop

RATE, BAR = 8000, 1.2


def recording(path, seconds, gain):
    """A sine of 0.5 full scale shaped by gain(t), as a 16-bit WAV file."""
    n = int(seconds * RATE)
    samples = array.array("h", (int(16000 * gain(i / RATE) * math.sin(2 * math.pi * 440 * i / RATE)) for i in range(n)))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())


def passes(seconds, gain):
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "ramp.wav")
        recording(path, seconds, gain)
        try:
            ramp_loop.check(BAR, path)
            return True
        except AssertionError as e:
            print("refused:", e)
            return False


# The start of the fourth bar hidden: that bar stays loud throughout.
hidden = lambda t: 1.0 if 3 * BAR <= t < 4 * BAR else (t % BAR) / BAR
rows = [("every second bar", 7.2, lambda t: (t % (2 * BAR)) / (2 * BAR), False),
        ("every 1.1 s", 7.2, lambda t: (t % 1.1) / 1.1, False),
        ("every 1.3 s", 7.2, lambda t: (t % 1.3) / 1.3, False),
        ("every 1.17 s", 7.2, lambda t: (t % 1.17) / 1.17, True),
        ("every 1.23 s", 7.2, lambda t: (t % 1.23) / 1.23, True),
        ("every bar, one start hidden", 6.0, hidden, True)]
failed = [name for name, seconds, gain, expected in rows if passes(seconds, gain) != expected]
if failed:
    sys.exit("FAIL: " + ", ".join(failed))
print("ramp_loop.py's check tells a one-bar loop from a slower or mistimed one")
