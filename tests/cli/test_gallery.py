"""glyphward gallery: every style as a PNG and a JPEG that decode, and a page
that shows them all."""
import os
import re
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

TOOL = sys.argv.pop(1) if len(sys.argv) > 1 else "glyphward"


class Gallery(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.env = dict(os.environ,
                        GLYPHWARD_REGISTRY=os.path.join(self.dir.name, "registry"))

    def tearDown(self):
        self.dir.cleanup()

    def run_tool(self, *args):
        return subprocess.run([TOOL, *args], capture_output=True, env=self.env)

    def gallery(self, name, *args):
        out_dir = os.path.join(self.dir.name, name)
        out = self.run_tool("gallery", "--width", "90", "--height", "30", *args,
                            "-o", out_dir)
        self.assertEqual(out.returncode, 0, out.stderr)
        return out_dir

    def test_every_style_decodes_and_is_on_the_page(self):
        listing = self.run_tool("styles").stdout.decode().splitlines()
        styles = [l.split("\t") for l in listing]
        self.assertEqual(len(styles), 50)
        out_dir = self.gallery("g", "--seed", "5", "--code", "R<&>7")
        page = open(os.path.join(out_dir, "index.html"), encoding="utf-8").read()
        self.assertIn("R&lt;&amp;&gt;7", page)
        self.assertNotIn("<script", page)
        for number, name in styles:
            stem = "%s-%s" % (number, name)
            for ext, fmt in (("png", "PNG"), ("jpg", "JPEG")):
                with Image.open(os.path.join(out_dir, stem + "." + ext)) as picture:
                    self.assertEqual((picture.format, picture.size), (fmt, (90, 30)), stem)
                    picture.load()
                self.assertIn('src="%s.%s"' % (stem, ext), page)
        self.assertEqual(len(re.findall(r"<figure>", page)), 50)

    def test_the_same_seed_gives_the_same_gallery(self):
        first = self.gallery("a", "--seed", "9")
        second = self.gallery("b", "--seed", "9")
        names = sorted(os.listdir(first))
        self.assertEqual(names, sorted(os.listdir(second)))
        for name in names:
            with open(os.path.join(first, name), "rb") as f, \
                    open(os.path.join(second, name), "rb") as g:
                self.assertEqual(f.read(), g.read(), name)


if __name__ == "__main__":
    unittest.main()
