"""A host built with pkg-config alone against a staged install: the
installed tool registers the installed module, and the example writes a
picture and a sound through it."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import wave

from PIL import Image

from stage import clean_env, run, stage

cmake, build, example = sys.argv[1:4]

with tempfile.TemporaryDirectory() as tmp:
    prefix = os.path.join(tmp, "prefix")
    libdir = stage(cmake, build, prefix)
    env = clean_env(PKG_CONFIG_PATH=os.path.join(libdir, "pkgconfig"),
                    GLYPHWARD_REGISTRY=os.path.join(tmp, "registry"))

    # Built from a copy: the source folder stays clean.
    host = os.path.join(tmp, "host")
    os.mkdir(host)
    for name in ("main.c", "Makefile"):
        shutil.copy(os.path.join(example, name), host)
    run(["make", "-C", host, "CFLAGS=-O2 -Wall -Wextra -Werror"], env=env)
    program = os.path.join(host, "c-host")
    picture, sound = os.path.join(tmp, "captcha.jpg"), os.path.join(tmp, "captcha.wav")

    # Unregistered, the host says what to do and fails.
    before = subprocess.run([program, picture, sound], capture_output=True, text=True, env=env)
    assert before.returncode == 1, before
    assert "glyphward register" in before.stderr, before.stderr
    assert not os.path.exists(picture)

    tool = os.path.join(prefix, "bin", "glyphward")
    module = os.path.join(libdir, "glyphward", "MirelGlyphward.so")
    run([tool, "register", module], env=env)
    with open(os.path.join(tmp, "registry"), encoding="utf-8") as f:
        assert f'@="{module}"' in f.read(), "the registry names another module"

    out = run([program, picture, sound], env=env).stdout
    match = re.fullmatch(r"code: ([0-9A-Z]{5})\nhash: ([0-9A-F]{128})\n", out)
    assert match, f"unexpected output: {out!r}"
    code, hashed = match.groups()
    assert run([tool, "hash", code], env=env).stdout.strip() == hashed

    with Image.open(picture) as image:
        assert image.format == "JPEG" and image.size == (250, 50), (image.format, image.size)
        image.load()
    with wave.open(sound) as audio:
        assert audio.getnchannels() == 1 and audio.getsampwidth() == 2, audio.getparams()
        frames = audio.getnframes()
        assert frames > audio.getframerate() // 2, f"{frames} frames is too short for a code"
        assert len(audio.readframes(frames)) == frames * 2, "the WAV is shorter than it says"
    print(f"c-host: code {code}, picture and sound check out")
