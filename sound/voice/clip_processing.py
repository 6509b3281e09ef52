"""Turns a synthesised WAV file into a bank clip: trimmed, levelled, 16-bit PCM."""

import array
import math
import subprocess
import sys

SAMPLE_RATE = 8000
# Silence kept before the word and, at least, after it: clips are played
# back to back, so the pause between two characters lives in the clips. A
# long word ("double you") gives up part of its pause to stay in length.
LEAD_SECONDS = 0.05
GAP_SECONDS = 0.25
MIN_GAP_SECONDS = 0.1
MIN_SECONDS = 0.6
MAX_SECONDS = 1.3
FADE_SECONDS = 0.005
# Every clip gets the same RMS level; the target drops if needed so that no
# clip's peak goes above PEAK_LIMIT of full scale.
TARGET_RMS = 10 ** (-16 / 20)
PEAK_LIMIT = 10 ** (-1 / 20)


def trimmed_samples(wav_path, rate=SAMPLE_RATE):
    """Speech without leading and trailing silence, as mono floats at rate."""
    command = [
        "sox", "-V1", wav_path,
        "-t", "raw", "-e", "floating-point", "-b", "32", "-L", "-",
        "remix", "-",
        # Normalising first makes the silence threshold relative to the peak.
        # The bursts and aspiration of p, t, k and the hiss of s and f run
        # 50 to 60 dB below the vowel's peak for up to 0.1 s; a threshold
        # above that cuts them and turns "pee" into "bee" or "kay" into
        # "ay". The synthesisers' own silence lies below -75 dB.
        "norm", "-3",
        "silence", "1", "0.005", "-63d", "reverse",
        "silence", "1", "0.005", "-63d", "reverse",
        "rate", "-v", str(rate),
    ]
    raw = subprocess.run(command, capture_output=True, check=True).stdout
    samples = array.array("f")
    samples.frombytes(raw)
    if sys.byteorder == "big":
        samples.byteswap()
    fade = round(FADE_SECONDS * rate)
    if len(samples) < 2 * fade:
        raise RuntimeError("no speech left after trimming " + wav_path)
    # Short fades keep the cut edges from clicking.
    for i in range(fade):
        ramp = i / fade
        samples[i] *= ramp
        samples[-1 - i] *= ramp
    return samples


def rms(samples):
    return math.sqrt(sum(x * x for x in samples) / len(samples))


def peak(samples):
    return max(abs(x) for x in samples)


def common_rms(clips):
    """The RMS level all clips can share without any peak passing the limit."""
    return min([TARGET_RMS] + [PEAK_LIMIT * rms(c) / peak(c) for c in clips])


def to_pcm(samples, gain, rate=SAMPLE_RATE):
    """Scaled speech padded with silence, as 16-bit little-endian PCM bytes."""
    lead = round(LEAD_SECONDS * rate)
    speech = lead + len(samples)
    if speech + round(MIN_GAP_SECONDS * rate) > round(MAX_SECONDS * rate):
        raise RuntimeError("%.2f s of speech is too long" % (len(samples) / rate))
    total = min(max(speech + round(GAP_SECONDS * rate), round(MIN_SECONDS * rate)),
                round(MAX_SECONDS * rate))
    pcm = array.array("h", [0] * total)
    for i, x in enumerate(samples):
        pcm[lead + i] = max(-32768, min(32767, round(x * gain * 32767)))
    if sys.byteorder == "big":
        pcm.byteswap()
    return pcm.tobytes()


def level(trimmed, rate=SAMPLE_RATE):
    """PCM clips of equal speech RMS from a list of trimmed float clips."""
    target = common_rms(trimmed)
    return [to_pcm(c, target / rms(c), rate) for c in trimmed]
