#!/usr/bin/python3
"""The demo page of `glyphward serve`, driven by headless Chromium.

Usage: test_browser.py PATH/TO/glyphward [unittest options]
"""

import os
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

WAIT = 10  # seconds for any one thing to happen in the page
SCREENSHOT = "/tmp/glyphward-demo.png"
# Not the defaults, so the picture's size shows the server's settings reach it.
WIDTH, HEIGHT = 300, 70


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class DemoPageTest(unittest.TestCase):
    binary = None

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory(prefix="glyphward-browser-")
        cls.addClassCleanup(cls.tmp.cleanup)
        port = free_port()
        cls.base = f"http://127.0.0.1:{port}"
        cls.log = open(os.path.join(cls.tmp.name, "serve.log"), "w+b")
        cls.addClassCleanup(cls.log.close)
        cls.server = subprocess.Popen(
            [cls.binary, "serve", "--test-mode", "--threads", "2",
             "--listen", f"127.0.0.1:{port}",
             "--key-file", os.path.join(cls.tmp.name, "key"),
             "--width", str(WIDTH), "--height", str(HEIGHT)],
            stdin=subprocess.DEVNULL, stdout=cls.log, stderr=subprocess.STDOUT)
        cls.addClassCleanup(cls.stop_server)
        cls.wait_for_server()

        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                         "--disable-dev-shm-usage", "--window-size=800,600",
                         "--autoplay-policy=no-user-gesture-required"):
            options.add_argument(argument)
        cls.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                      options=options)
        cls.addClassCleanup(cls.driver.quit)
        cls.driver.set_page_load_timeout(WAIT)
        cls.driver.set_script_timeout(WAIT)

    @classmethod
    def stop_server(cls):
        if cls.server.poll() is None:
            cls.server.send_signal(signal.SIGTERM)
            try:
                cls.server.wait(timeout=WAIT)
            except subprocess.TimeoutExpired:
                cls.server.kill()
                cls.server.wait()
                raise AssertionError("glyphward serve ignored SIGTERM")

    @classmethod
    def wait_for_server(cls):
        deadline = time.monotonic() + WAIT
        while time.monotonic() < deadline:
            if cls.server.poll() is not None:
                cls.log.seek(0)
                raise RuntimeError("glyphward serve exited: " + cls.log.read().decode(errors="replace"))
            try:
                with urllib.request.urlopen(cls.base + "/healthz", timeout=1) as response:
                    if response.status == 200:
                        return
            except (urllib.error.URLError, ConnectionError, socket.timeout):
                pass
            time.sleep(0.05)
        raise RuntimeError(f"glyphward serve did not answer within {WAIT} s")

    def setUp(self):
        self.driver.get(self.base + "/")
        self.current = self.wait_for_challenge()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def until(self, condition, message):
        return WebDriverWait(self.driver, WAIT).until(lambda _: condition(), message)

    def element(self, element_id):
        return self.driver.find_element(By.ID, element_id)

    def status(self):
        return self.element("status").text

    def attribute(self, element_id, name):
        return self.element(element_id).get_attribute(name)

    def wait_for_challenge(self, previous=None):
        """Waits for a loaded picture of a challenge other than `previous`."""
        def loaded():
            token = self.attribute("token", "value")
            answer = self.js("return document.body.dataset.testAnswer || ''")
            ready = self.js("const p = document.getElementById('picture');"
                            "return p.complete && p.naturalWidth > 0")
            if token and answer and ready and token != previous:
                return {"token": token, "answer": answer}
            return None
        return self.until(loaded, "no challenge shown")

    def submit_with_enter(self, text):
        field = self.element("answer")
        field.clear()
        field.send_keys(text + Keys.ENTER)

    def wait_for_status(self, expected):
        self.until(lambda: expected in self.status(),
                   f"status never said {expected!r}")

    def test_picture_is_the_challenge_picture(self):
        picture = self.element("picture")
        self.assertTrue(picture.is_displayed())
        self.assertEqual(self.js("return arguments[0].naturalWidth", picture), WIDTH)
        self.assertEqual(self.js("return arguments[0].naturalHeight", picture), HEIGHT)
        self.assertEqual(self.attribute("picture", "src"),
                         f"{self.base}/api/challenge/{self.current['token']}/image")

    def test_correct_answer_once_then_used(self):
        token = self.current["token"]
        self.submit_with_enter(self.current["answer"].lower())
        self.wait_for_status("Correct: you are human.")
        self.assertIn("ok", self.attribute("status", "class"))
        self.driver.save_screenshot(SCREENSHOT)

        # The page keeps the spent token; checking it again must fail.
        self.assertEqual(self.attribute("token", "value"), token)
        self.element("answer").send_keys(Keys.ENTER)
        self.wait_for_status("already used")
        self.assertIn("fail", self.attribute("status", "class"))

    def test_failures_are_explained(self):
        cases = [
            ("wrong answer", lambda c: c["answer"] + "Z", None, "Wrong:"),
            ("forged token", lambda c: c["answer"], lambda c: c["token"][:-4] + "AAAA",
             "not valid"),
        ]
        for name, answer, token, expected in cases:
            with self.subTest(name):
                if token:
                    self.js("document.getElementById('token').value = arguments[0]",
                            token(self.current))
                self.element("answer").clear()
                self.element("answer").send_keys(answer(self.current))
                self.element("check").click()
                self.wait_for_status(expected)
                self.assertNotIn("Correct", self.status())
                self.element("new-picture").click()
                self.current = self.wait_for_challenge(self.current["token"])

    def test_new_picture_replaces_the_challenge(self):
        self.submit_with_enter("nope")
        self.wait_for_status("Wrong:")

        # A focused button, pressed from the keyboard.
        self.element("new-picture").send_keys(Keys.ENTER)
        fresh = self.wait_for_challenge(self.current["token"])
        self.assertEqual(self.attribute("picture", "src"),
                         f"{self.base}/api/challenge/{fresh['token']}/image")
        self.assertEqual(self.attribute("answer", "value"), "")
        self.assertEqual(self.status(), "")

        # The new token is live.
        self.submit_with_enter(fresh["answer"])
        self.wait_for_status("Correct: you are human.")

    def test_listen_plays_the_challenge_sound(self):
        self.element("listen").click()
        audio = self.element("audio")
        self.until(lambda: self.js(
            "const a = arguments[0];"
            "return a.error === null && (a.readyState >= 2 || a.duration > 0)", audio),
            "the sound never loaded")
        self.assertEqual(self.attribute("audio", "src"),
                         f"{self.base}/api/challenge/{self.current['token']}/audio")
        self.assertGreater(self.js("return arguments[0].duration", audio), 0.5)
        self.until(lambda: self.js("return arguments[0].currentTime > 0", audio),
                   "the sound never played")
        self.assertEqual(self.status(), "")

    def test_accessible_markup(self):
        label = self.driver.find_element(By.CSS_SELECTOR, "label[for='answer']")
        self.assertTrue(label.text.strip())
        self.assertTrue(self.attribute("picture", "alt").strip())
        for element_id, attribute, value in (
                ("answer", "autocomplete", "off"), ("answer", "autocapitalize", "characters"),
                ("answer", "spellcheck", "false"), ("token", "type", "hidden"),
                ("status", "role", "status"), ("status", "aria-live", "polite"),
                ("new-picture", "type", "button"), ("listen", "type", "button"),
                ("check", "type", "submit")):
            self.assertEqual(self.attribute(element_id, attribute), value, (element_id, attribute))

        # Same-origin files only and no inline script, so a strict CSP holds.
        self.assertEqual(self.js(
            "return [...document.scripts].filter(s => !s.src || s.text.trim()).length"), 0)
        for url in self.js("return [...document.querySelectorAll('[src],[href]')]"
                           ".map(e => e.src || e.href)"):
            self.assertTrue(url.startswith(self.base + "/"), url)

        # The test-mode answer is handed to scripts, never shown.
        self.assertNotIn(self.current["answer"], self.driver.find_element(By.TAG_NAME, "body").text)

    def test_keyboard_reaches_every_control_with_a_visible_focus(self):
        self.js("document.activeElement.blur()")
        visited = []
        for _ in range(4):
            ActionChains(self.driver).send_keys(Keys.TAB).perform()
            focused = self.js("const e = document.activeElement, s = getComputedStyle(e);"
                              "return [e.id, s.outlineStyle, parseFloat(s.outlineWidth)]")
            visited.append(focused[0])
            self.assertNotEqual(focused[1], "none", f"{focused[0]} shows no focus")
            self.assertGreater(focused[2], 0, f"{focused[0]} shows no focus")
        self.assertCountEqual(visited, ["answer", "check", "new-picture", "listen"])


def timed_out(*_):
    raise TimeoutError("the browser test ran out of time")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__.strip())
    DemoPageTest.binary = sys.argv.pop(1)
    # A stuck browser must not stall the whole test run; the class clean-ups
    # still stop the server and the browser.
    signal.signal(signal.SIGALRM, timed_out)
    signal.alarm(180)
    unittest.main()
