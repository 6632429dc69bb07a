#!/usr/bin/env python3
"""Writes Ping.wav: a short bell-like ping of our own, 8-bit mono at 11,025 Hz
(about 3 KB), which every Windows since 95 plays.

    python3 assets/make_ping_wav.py assets/Ping.wav
"""
import math
import sys
import wave

RATE = 11025
SECONDS = 0.3


def samples():
    for n in range(int(RATE * SECONDS)):
        t = n / RATE
        attack = min(1.0, t / 0.004)
        decay = math.exp(-t * 14)
        tone = 0.75 * math.sin(2 * math.pi * 1320 * t) + 0.25 * math.sin(2 * math.pi * 2640 * t)
        yield int(128 + 110 * attack * decay * tone)


with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(1)
    out.setframerate(RATE)
    out.writeframes(bytes(samples()))
