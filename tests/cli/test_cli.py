"""The glyphward tool end to end: output, exit statuses and files."""
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import wave

TOOL = sys.argv.pop(1) if len(sys.argv) > 1 else "glyphward"
RESOURCES = sys.argv.pop(1) if len(sys.argv) > 1 else "sound/resources"
MODULE = sys.argv.pop(1) if len(sys.argv) > 1 else None

# Every run gets a registry of its own, empty unless a test registers into it.
REGISTRY_DIR = tempfile.TemporaryDirectory()
ENV = dict(os.environ, GLYPHWARD_REGISTRY=os.path.join(REGISTRY_DIR.name, "registry"))


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def run(*args):
    return subprocess.run([TOOL, *args], capture_output=True, env=ENV)


def reference_codes(seed, length, count, alphabet="2345689ABCDEFGHJKMNPQRSTUVWXYZ"):
    x, codes = seed, []
    for _ in range(count):
        code = ""
        for _ in range(length):
            x = 48271 * x % 2147483647
            code += alphabet[int((x - 1) / 2147483646 * len(alphabet))]
        codes.append(code)
    return codes


def jpeg_size(data):
    """Width and height from the first start-of-frame marker."""
    i = 2
    while i < len(data):
        assert data[i] == 0xFF
        marker, length = data[i + 1], struct.unpack(">H", data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            height, width = struct.unpack(">HH", data[i + 5:i + 9])
            return width, height
        i += 2 + length
    raise AssertionError("no frame header")


class Codes(unittest.TestCase):
    def test_known_seed(self):
        out = run("code", "--seed", "12345", "--length", "8", "--count", "3", "--stats")
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout.decode().split(), reference_codes(12345, 8, 3))
        self.assertIn("engine-steps: 24", out.stderr.decode())
        digits = run("code", "--seed", "99", "--type", "2", "--length", "6")
        self.assertEqual(digits.stdout.decode().strip(),
                         reference_codes(99, 6, 1, "0123456789")[0])

    def test_usage_errors_exit_2(self):
        for args in (["code", "--seed", "0"], ["code", "--seed", "2147483647"],
                     ["code", "--length", "abc"], ["code", "--bogus", "1"], ["frobnicate"],
                     ["code", "--count"], ["validate", "only-one"], ["image"], []):
            out = run(*args)
            self.assertEqual(out.returncode, 2, (args, out.stderr))

    def test_help(self):
        out = run("--help")
        self.assertEqual(out.returncode, 0)
        self.assertIn(b"usage: glyphward", out.stdout)

    def test_huge_length_is_a_component_error(self):
        out = run("code", "--length", "2000000000")
        self.assertEqual(out.returncode, 3)
        self.assertIn(b"The code length is too large !", out.stderr)


class Hashes(unittest.TestCase):
    def test_hash_is_upper_case_sha512_of_the_ansi_code_page(self):
        for text in ("AB2CD", "\u00e9t\u00e9"):
            self.assertEqual(run("hash", text).stdout.decode().strip(),
                             hashlib.sha512(text.encode("cp1252")).hexdigest().upper())

    def test_validate(self):
        digest = hashlib.sha512(b"AB2CD").hexdigest().upper()
        good = run("validate", "AB2CD", digest)
        self.assertEqual((good.returncode, good.stdout.strip()), (0, b"valid"))
        for answer, hash_ in (("ab2cd", digest), ("AB2CD", digest.lower()),
                              ("AB2CD ", digest), ("AB2CD", digest + " ")):
            bad = run("validate", answer, hash_)
            self.assertEqual((bad.returncode, bad.stdout.strip()), (1, b"invalid"))


def clip(character):
    """The bytes of one character's clip, read from the index and bank files."""
    index = read_bytes(os.path.join(RESOURCES, "clip_index.bin"))
    bank = read_bytes(os.path.join(RESOURCES, "clip_bank.bin"))
    for record in range(len(index) // 12):
        char, offset, length = struct.unpack("<c3xII", index[record * 12:record * 12 + 12])
        if char == character.encode():
            return bank[offset:offset + length]
    raise AssertionError("no clip for " + character)


class Sounds(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.wav = os.path.join(self.dir.name, "x.wav")

    def tearDown(self):
        self.dir.cleanup()

    def test_ten_plays_one_then_zero(self):
        out = run("sound", "--code", "10", "-o", self.wav)
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout.decode().split()[0], "10")
        with wave.open(self.wav) as w:
            self.assertEqual((w.getnchannels(), w.getframerate(), w.getsampwidth()), (1, 8000, 2))
            frames = w.readframes(w.getnframes())
        self.assertEqual(frames, clip("1") + clip("0"))

    def test_sox_reads_every_sample(self):
        run("sound", "--code", "Ab3", "-o", self.wav)
        info = subprocess.run(["soxi", self.wav], capture_output=True, text=True)
        self.assertEqual(info.returncode, 0, info.stderr)
        samples = (len(clip("a")) + len(clip("b")) + len(clip("3"))) // 2
        for line in ("Channels       : 1", "Sample Rate    : 8000", "Precision      : 16-bit",
                     "= %d samples" % samples):
            self.assertIn(line, info.stdout)

    def test_new_code_with_seed(self):
        out = run("sound", "--seed", "12345", "--length", "4", "-o", self.wav)
        self.assertEqual(out.stdout.decode().split()[0], reference_codes(12345, 4, 1)[0])

    def test_bad_character_exits_3(self):
        out = run("sound", "--code", "A-B", "-o", self.wav)
        self.assertEqual(out.returncode, 3)
        self.assertEqual(out.stderr.decode().strip(), "Letter not found in lookup table !")


class Pictures(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def test_default_picture(self):
        out = run("image", "--seed", "4", "-o", self.path("a.jpg"))
        self.assertEqual(out.returncode, 0, out.stderr)
        code, digest = out.stdout.decode().split()
        self.assertEqual(code, reference_codes(4, 5, 1)[0])
        self.assertEqual(digest, hashlib.sha512(code.encode()).hexdigest().upper())
        data = read_bytes(self.path("a.jpg"))
        self.assertEqual(data[:2], b"\xff\xd8")
        self.assertEqual(jpeg_size(data), (250, 50))

    def test_picture_to_stdout_reports_on_stderr(self):
        out = run("image", "--format", "png", "--code", "HELLO", "-o", "-")
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(out.stderr.decode().split()[0], "HELLO")

    def test_every_format(self):
        signatures = {"jpg": b"\xff\xd8", "JPEG": b"\xff\xd8", "Png": b"\x89PNG",
                      "gif": b"GIF89a", "tiff": b"II*\x00", "bmp": b"BM"}
        for fmt, signature in signatures.items():
            out = run("image", "--format", fmt, "-o", self.path("p"))
            self.assertEqual(out.returncode, 0, (fmt, out.stderr))
            self.assertEqual(read_bytes(self.path("p"))[:len(signature)], signature)

    def test_unsupported_format_exits_3_with_the_message(self):
        out = run("image", "--format", "xyz", "-o", self.path("x"))
        self.assertEqual(out.returncode, 3)
        self.assertEqual(out.stderr.decode().strip(), "This picture format is not supported !")

    def test_styles_listing(self):
        out = run("styles")
        lines = out.stdout.decode().splitlines()
        self.assertEqual(len(lines), 50)
        self.assertTrue(lines[31].startswith("31\tChalkboard"))
        self.assertTrue(all(re.match(r"%d\t[A-Z]\w+" % i, l) for i, l in enumerate(lines)))


@unittest.skipUnless(MODULE, "no module given")
class Serve(unittest.TestCase):
    def test_refused_settings_exit_2_before_listening(self):
        cases = [
            (["--test-mode", "--listen", "0.0.0.0:8080"], b"loopback only"),
            (["--listen", "localhost:8080"], b"not an IP address"),
            (["--listen", "127.0.0.1:70000"], b"the port"),
            (["--style", "3", "--styles", "4"], b"not both"),
            (["--styles", "1,,2"], b"each style"),
            (["--styles", "50"], b"each style"),
            (["--format", "gif"], b"png or jpeg"),
            (["--length", "65"], b"--length"),
            (["--ttl", "0"], b"--ttl"),
            (["--replay", "http://127.0.0.1:6379"], b"--replay"),
        ]
        for args, message in cases:
            out = run("serve", "--key-file", os.path.join(REGISTRY_DIR.name, "key"), *args)
            self.assertEqual(out.returncode, 2, args)
            self.assertIn(message, out.stderr, args)

    def test_open_key_file_is_refused(self):
        key = os.path.join(REGISTRY_DIR.name, "open-key")
        with open(key, "wb") as f:
            f.write(bytes(32))
        os.chmod(key, 0o644)
        out = run("serve", "--key-file", key, "--listen", "127.0.0.1:0")
        self.assertEqual(out.returncode, 3)
        self.assertIn(b"chmod 600", out.stderr)


class RegisteredModule(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.env = dict(os.environ, GLYPHWARD_REGISTRY=os.path.join(self.dir.name, "registry"))

    def tearDown(self):
        self.dir.cleanup()

    def tool(self, *args):
        return subprocess.run([TOOL, *args], capture_output=True, env=self.env)

    def test_seed_and_stats_reach_the_modules_engine(self):
        self.assertEqual(self.tool("register", MODULE).returncode, 0)
        png = os.path.join(self.dir.name, "g.png")
        out = self.tool("image", "--seed", "777", "--style", "39", "--stats", "-o", png)
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertEqual(out.stdout.decode().split()[0], reference_codes(777, 5, 1)[0])
        self.assertIn("engine-steps: %d" % (5 + 5 + 2 * 6250), out.stderr.decode())
        self.assertEqual(self.tool("unregister", MODULE).returncode, 0)


if __name__ == "__main__":
    unittest.main(verbosity=2)
