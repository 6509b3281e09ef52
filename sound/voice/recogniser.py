"""Listening test: pocketsphinx picks which of the 36 characters a clip says."""

import array
import math
import os
import random
import subprocess
import sys
import tempfile
import wave

from characters import CHARACTERS, PRONUNCIATIONS

MODEL = "/usr/share/pocketsphinx/model/en-us/en-us"
PACKAGES = ["pocketsphinx", "pocketsphinx-en-us"]
MODEL_RATE = 16000


def _word(character):
    return "char_" + character


def _pcm_to_model_rate(pcm, rate):
    """The clip at the model's rate, with half a second of silence each side:
    isolated words need it for the recogniser's voice detection."""
    command = ["sox", "-t", "raw", "-e", "signed-integer", "-b", "16", "-L", "-c", "1",
               "-r", str(rate), "-", "-t", "raw", "-e", "signed-integer", "-b", "16",
               "-L", "-r", str(MODEL_RATE), "-", "pad", "0.5", "0.5"]
    samples = array.array("h")
    samples.frombytes(subprocess.run(command, input=pcm, capture_output=True,
                                     check=True).stdout)
    if sys.byteorder == "big":
        samples.byteswap()
    return samples


def _rms(pcm):
    samples = array.array("h")
    samples.frombytes(pcm)
    if sys.byteorder == "big":
        samples.byteswap()
    return math.sqrt(sum(x * x for x in samples) / max(1, len(samples)))


class Recogniser:
    """Forced choice among the 36 character names, as a listener makes it."""

    def __init__(self):
        self._dir = tempfile.TemporaryDirectory()
        self._grammar = os.path.join(self._dir.name, "characters.gram")
        self._dictionary = os.path.join(self._dir.name, "characters.dict")
        with open(self._grammar, "w") as f:
            f.write("#JSGF V1.0;\ngrammar characters;\npublic <character> = %s;\n"
                    % " | ".join(_word(c) for c in CHARACTERS))
        with open(self._dictionary, "w") as f:
            for c in CHARACTERS:
                for i, phones in enumerate(PRONUNCIATIONS[c]):
                    suffix = "(%d)" % (i + 1) if i else ""
                    f.write("%s%s %s\n" % (_word(c), suffix, phones))

        self._prepared = {}
        self._noise = {}

    def close(self):
        self._dir.cleanup()

    def _noise_for(self, seed, length):
        """Standard normal white noise, the same for a given seed."""
        noise = self._noise.get(seed)
        if noise is None or len(noise) < length:
            rng = random.Random(seed)
            noise = array.array("f", (rng.gauss(0, 1) for _ in range(max(length, 30 * MODEL_RATE))))
            self._noise[seed] = noise
        return noise

    def _with_noise(self, samples, reference_rms, snr_db, seed):
        """White noise snr_db below reference_rms over the whole signal. The
        wideband model mishears band-limited audio and digital silence far
        more than a listener would; a faint noise floor fills the empty bands."""
        sigma = reference_rms / (10 ** (snr_db / 20))
        noise = self._noise_for(seed, len(samples))
        return array.array("h", (max(-32768, min(32767, round(x + sigma * n)))
                                 for x, n in zip(samples, noise)))

    def recognise_pcm(self, pcm, rate, snr_db=None, seed=0):
        """The character heard in raw 16-bit mono PCM, or None. With snr_db,
        white noise that far below the clip's RMS is added first."""
        key = (pcm, rate)
        if key not in self._prepared:
            self._prepared = {key: (_pcm_to_model_rate(pcm, rate), _rms(pcm))}
        samples, level = self._prepared[key]
        if snr_db is not None:
            samples = self._with_noise(samples, level, snr_db, seed)
        else:
            samples = array.array("h", samples)
        if sys.byteorder == "big":
            samples.byteswap()
        path = os.path.join(self._dir.name, "clip.wav")
        with wave.open(path, "wb") as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(MODEL_RATE)
            w.writeframes(samples.tobytes())
        result = subprocess.run(
            ["pocketsphinx_continuous", "-infile", path, "-hmm", MODEL,
             "-jsgf", self._grammar, "-dict", self._dictionary, "-logfn", os.devnull],
            capture_output=True, text=True, check=False)
        words = result.stdout.split()
        if len(words) != 1 or not words[0].startswith("char_"):
            return None
        return words[0][len("char_"):]
