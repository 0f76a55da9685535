#!/usr/bin/env python3
"""Makes the two sounds of the program: assets/Exhaust.wav, a short chuff of
filtered noise, and assets/Error.wav, a short two-tone alert. 16-bit mono PCM
at 22050 Hz. Deterministic, so running it again gives the same files."""

import math
import os
import random
import struct
import wave

RATE = 22050


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767))))
                              for s in samples))


def exhaust():
    # White noise through two one-pole low-pass stages (a soft, breathy band
    # below about 1.5 kHz), with a quick attack and an exponential decay.
    rng = random.Random(1948)
    n = int(RATE * 0.22)
    a = math.exp(-2 * math.pi * 1500 / RATE)
    lp1 = lp2 = 0.0
    out = []
    for i in range(n):
        t = i / RATE
        lp1 = (1 - a) * rng.uniform(-1, 1) + a * lp1
        lp2 = (1 - a) * lp1 + a * lp2
        envelope = min(1.0, t / 0.008) * math.exp(-t / 0.06)
        out.append(lp2 * envelope)
    peak = max(abs(s) for s in out)
    return [0.8 * s / peak for s in out]


def error():
    # Two tones, high then low, each with short fades so they do not click.
    out = []
    for freq in (988.0, 659.0):
        n = int(RATE * 0.12)
        for i in range(n):
            fade = min(1.0, i / 200, (n - i) / 200)
            out.append(0.6 * fade * math.sin(2 * math.pi * freq * i / RATE))
        out.extend([0.0] * int(RATE * 0.02))
    return out


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")
    os.makedirs(root, exist_ok=True)
    write(os.path.join(root, "Exhaust.wav"), exhaust())
    write(os.path.join(root, "Error.wav"), error())


if __name__ == "__main__":
    main()
