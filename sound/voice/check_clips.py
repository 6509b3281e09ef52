#!/usr/bin/env python3
"""Listens to the written clip bank: for every record of the clip index,
sox measures the clip and the recogniser says which character it hears, nine
times over faint noise floors. Reads only the files in sound/resources/."""

import collections
import os
import struct
import subprocess
import sys

import packages
from characters import CHARACTERS
from compare_voices import NOISE_FLOORS_DB, SEEDS
from recogniser import PACKAGES as RECOGNISER_PACKAGES, Recogniser

RESOURCE_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "resources")
SAMPLE_RATE = 8000


def read(name):
    with open(os.path.join(RESOURCE_DIR, name), "rb") as f:
        return f.read()


def sox_stats(pcm):
    """RMS and peak level in dBFS, as sox's stats effect measures them."""
    result = subprocess.run(
        ["sox", "-t", "raw", "-e", "signed-integer", "-b", "16", "-L", "-c", "1",
         "-r", str(SAMPLE_RATE), "-", "-n", "stats"],
        input=pcm, capture_output=True, check=True)
    values = {}
    for line in result.stderr.decode().splitlines():
        parts = line.rsplit(None, 1)
        if len(parts) == 2:
            values[parts[0].strip()] = parts[1]
    return float(values["RMS lev dB"]), float(values["Pk lev dB"])


def main():
    packages.ensure(RECOGNISER_PACKAGES + ["sox"])
    index, bank = read("clip_index.bin"), read("clip_bank.bin")
    recogniser = Recogniser()
    trials = len(NOISE_FLOORS_DB) * len(SEEDS)
    total = 0
    print("char  seconds  RMS dB  peak dB  heard right (of %d)  other answers" % trials)
    for number in range(len(index) // 12):
        character = chr(index[number * 12])
        offset, length = struct.unpack_from("<II", index, number * 12 + 4)
        clip = bank[offset:offset + length]
        rms_db, peak_db = sox_stats(clip)
        heard = collections.Counter(
            recogniser.recognise_pcm(clip, SAMPLE_RATE, snr, seed)
            for snr in NOISE_FLOORS_DB for seed in SEEDS)
        right = heard.pop(character, 0)
        total += right
        others = " ".join("%s:%d" % (h or "-", n) for h, n in heard.most_common())
        print("%s     %.3f   %6.1f  %6.1f   %2d                   %s" % (
            character, length / 2 / SAMPLE_RATE, rms_db, peak_db, right, others))
    print("right answers: %d of %d" % (total, trials * len(CHARACTERS)))
    recogniser.close()


if __name__ == "__main__":
    sys.exit(main())
