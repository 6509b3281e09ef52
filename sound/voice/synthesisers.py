"""Command-line speech synthesisers packaged in Debian, as clip candidates."""

import subprocess

from characters import FESTIVAL_SPOKEN, SPOKEN


class Voice:
    """One synthesiser with one voice; speak() writes a WAV file."""

    def __init__(self, name, package, command, spelling=SPOKEN):
        self.name = name
        self.package = package
        self.spelling = spelling
        self._command = command

    def speak(self, text, wav_path):
        command, stdin = self._command(text, wav_path)
        subprocess.run(command, input=stdin, text=True, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def _flite(voice, stretch=1.0):
    # duration_stretch > 1 speaks more slowly.
    return lambda text, out: (["flite", "-voice", voice, "--setf",
                               "duration_stretch=%g" % stretch, "-t", text, "-o", out], None)


def _festival(voice_function):
    # text2wave reads the text from standard input; the full stop makes the
    # word a complete utterance with a natural falling end.
    return lambda text, out: (
        ["text2wave", "-eval", "(%s)" % voice_function, "-o", out], text + ".\n")


def _espeak(voice):
    return lambda text, out: (["espeak-ng", "-v", voice, "-w", out, text], None)


VOICES = [
    Voice("flite-kal", "flite", _flite("kal")),
    Voice("flite-kal16", "flite", _flite("kal16")),
    Voice("flite-awb", "flite", _flite("awb")),
    Voice("flite-rms", "flite", _flite("rms")),
    Voice("flite-rms-slow", "flite", _flite("rms", 1.25)),
    Voice("flite-rms-slower", "flite", _flite("rms", 1.5)),
    Voice("flite-awb-slow", "flite", _flite("awb", 1.25)),
    Voice("flite-slt", "flite", _flite("slt")),
    Voice("festival-kal", "festvox-kallpc16k", _festival("voice_kal_diphone"),
          FESTIVAL_SPOKEN),
    Voice("festival-ked", "festvox-kdlpc16k", _festival("voice_ked_diphone"),
          FESTIVAL_SPOKEN),
    Voice("festival-slt-hts", "festvox-us-slt-hts",
          _festival("voice_cmu_us_slt_arctic_hts"), FESTIVAL_SPOKEN),
    Voice("espeak-en-us", "espeak-ng", _espeak("en-us")),
    Voice("espeak-en-gb", "espeak-ng", _espeak("en-gb")),
    Voice("espeak-en-us-f3", "espeak-ng", _espeak("en-us+f3")),
    Voice("espeak-en-gb-rp", "espeak-ng", _espeak("en-gb-x-rp")),
]


def find(name):
    for voice in VOICES:
        if voice.name == name:
            return voice
    raise KeyError("unknown voice " + name)


def packages():
    # festival itself comes with the voice packages; listed for clarity.
    return sorted({v.package for v in VOICES} | {"festival"})
