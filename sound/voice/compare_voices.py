#!/usr/bin/env python3
"""Compares the candidate voices by a listening test and by measurements.

For every voice, each of the 36 words is synthesised, trimmed and levelled
as make_clips.py does, and a recogniser picks which of the 36 characters it
hears, on 16 kHz versions of the clips and on the 8 kHz bank clips. Its
acoustic model is wideband and far less forgiving of telephone-band audio
than a person, so the counts rank voices; they do not measure what a person
hears. Durations are those of the trimmed speech at 8 kHz."""

import math
import os
import sys
import tempfile

import clip_processing
import packages
import synthesisers
from characters import CHARACTERS
from recogniser import PACKAGES as RECOGNISER_PACKAGES, Recogniser

WIDE_RATE = 16000
# Faint noise floors (dB below the clip's RMS) and seeds: each clip is heard
# nine times per rate, which evens out the recogniser's whims.
NOISE_FLOORS_DB = [50, 45, 40]
SEEDS = [0, 1, 2]


def score(recogniser, clips, rate):
    """Right answers out of len(clips) * 9 and the characters most misheard."""
    right = 0
    wrong = []
    for c, pcm in zip(CHARACTERS, clips):
        heard = [recogniser.recognise_pcm(pcm, rate, snr, seed)
                 for snr in NOISE_FLOORS_DB for seed in SEEDS]
        hits = sum(h == c for h in heard)
        right += hits
        if hits * 2 < len(heard):
            wrong.append(c)
    return right, wrong


def evaluate(voice, recogniser, workdir):
    wavs = []
    for c in CHARACTERS:
        wav = os.path.join(workdir, "%s_%s.wav" % (voice.name, c))
        voice.speak(voice.spelling[c], wav)
        wavs.append(wav)
    wide = [clip_processing.trimmed_samples(w, WIDE_RATE) for w in wavs]
    narrow = [clip_processing.trimmed_samples(w) for w in wavs]
    wide_count = score(recogniser, clip_processing.level(wide, WIDE_RATE), WIDE_RATE)[0]
    narrow_count, wrong = score(recogniser, clip_processing.level(narrow),
                                clip_processing.SAMPLE_RATE)
    seconds = [len(t) / clip_processing.SAMPLE_RATE for t in narrow]
    return [wide_count, narrow_count], seconds, clip_processing.common_rms(narrow), wrong


def main(names):
    voices = [synthesisers.find(n) for n in names] if names else synthesisers.VOICES
    packages.ensure(sorted({v.package for v in voices} | {"festival"})
                    + RECOGNISER_PACKAGES + ["sox"])
    recogniser = Recogniser()
    trials = len(CHARACTERS) * len(NOISE_FLOORS_DB) * len(SEEDS)
    print("right answers out of %d per rate" % trials)
    print("voice              16 kHz  8 kHz | speech s min/mean/max | RMS dBFS"
          " | mostly misheard at 8 kHz")
    with tempfile.TemporaryDirectory() as workdir:
        for voice in voices:
            try:
                counts, seconds, level, wrong = evaluate(voice, recogniser, workdir)
            except RuntimeError as error:
                print("%-18s unusable: %s" % (voice.name, error), flush=True)
                continue
            print("%-18s %6d %6d | %.2f/%.2f/%.2f        | %8.1f | %s" % (
                voice.name, *counts, min(seconds), sum(seconds) / len(seconds),
                max(seconds), 20 * math.log10(level), " ".join(wrong)), flush=True)
    recogniser.close()


if __name__ == "__main__":
    main(sys.argv[1:])
