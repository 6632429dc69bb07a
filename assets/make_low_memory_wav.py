#!/usr/bin/env python3
"""Writes low-memory.wav: a falling two-tone warning of our own, three short
beeps stepping down, 8-bit mono at 11,025 Hz (about 9 KB), which every
Windows since 95 plays.

    python3 assets/make_low_memory_wav.py assets/low-memory.wav
"""
import math
import sys
import wave

RATE = 11025
BEEP = 0.16
GAP = 0.08
PITCHES = (880, 740, 587)


def beep(frequency):
    count = int(RATE * BEEP)
    for n in range(count):
        t = n / RATE
        # Soft edges, so the beep does not click.
        envelope = min(1.0, t / 0.01, (BEEP - t) / 0.02)
        tone = 0.8 * math.sin(2 * math.pi * frequency * t) + 0.2 * math.sin(2 * math.pi * 2 * frequency * t)
        yield int(128 + 100 * envelope * tone)


def samples():
    for frequency in PITCHES:
        yield from beep(frequency)
        yield from [128] * int(RATE * GAP)


with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1)
    out.setsampwidth(1)
    out.setframerate(RATE)
    out.writeframes(bytes(samples()))
