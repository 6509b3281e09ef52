"""Prints what Python's wave module reads from a WAV file:
channels, sample rate, bytes per sample, frame count, bytes of frame data."""

import sys
import wave

with wave.open(sys.argv[1], "rb") as w:
    frames = w.readframes(w.getnframes())
    print(w.getnchannels(), w.getframerate(), w.getsampwidth(), w.getnframes(), len(frames))
