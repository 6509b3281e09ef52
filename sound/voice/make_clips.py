#!/usr/bin/env python3
"""Makes the module's voice: speaks the 36 characters with VOICE, trims and
levels the recordings into 8 kHz 16-bit mono clips, and writes the WAV
header, clip index and clip bank resources to sound/resources/.

The synthesiser is needed only here; the build uses the committed files.
compare_voices.py shows how the candidate voices fare; check_clips.py
listens to the written bank."""

import os
import sys
import tempfile

import clip_processing
import packages
import resource_files
import synthesisers
from characters import CHARACTERS

VOICE = "flite-rms"
RESOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "resources")


def main():
    voice = synthesisers.find(VOICE)
    packages.ensure([voice.package, "sox"])
    trimmed = []
    with tempfile.TemporaryDirectory() as workdir:
        for c in CHARACTERS:
            wav = os.path.join(workdir, c + ".wav")
            voice.speak(voice.spelling[c], wav)
            trimmed.append(clip_processing.trimmed_samples(wav))
    clips = clip_processing.level(trimmed)
    resource_files.write(os.path.normpath(RESOURCE_DIR), clips, clip_processing.SAMPLE_RATE)
    rate = clip_processing.SAMPLE_RATE
    for c, clip in zip(CHARACTERS, clips):
        print("%s %-11s %.3f s" % (c, voice.spelling[c], len(clip) / 2 / rate))
    print("bank: %d bytes" % sum(len(c) for c in clips))


if __name__ == "__main__":
    sys.exit(main())
