"""The web view in a real browser: the program replays a recorded race, chromium shows each result
window and reads the same cells as the --dump files of that race; an update reaches an open page
without reloading it; every second row is shaded as on the desktop; the page says within five seconds
that the connection is lost when the program stops, and recovers by itself when the program is back.

Usage: /usr/bin/python3 browser_test.py PROGRAM TEST_DATA_DIR"""

import csv
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "screenshots"))
import web_browser  # noqa: E402

PROGRAM, DATA = sys.argv[1], sys.argv[2]
FEED = os.path.join(DATA, "feeds", "race6.feed")
LAYOUT = os.path.join(DATA, "web", "every_kind.kvl")
FEED_LINES = sum(1 for _ in open(FEED, "rb"))

# What the table of a results page shows: header texts, and each cell's text or its picture as the
# dump writes it, "[green ball]".
READ_TABLE = """
const table = document.querySelector("table.results");
if (!table || !table.tHead.rows.length) return null;
const cell = (c) => { const img = c.querySelector("img"); return img ? "[" + img.alt + "]" : c.textContent; };
return [[...table.tHead.rows[0].cells].map(cell), [...table.tBodies[0].rows].map((r) => [...r.cells].map(cell))];
"""


def dump_rows(number):
    with open(os.path.join(DATA, "dump", "race6", "ResultWin%d.csv" % number), newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def same_cells(shown, dumped):
    """An empty cell and a blank one look the same; headers are compared without their blanks."""
    if shown is None:
        return False
    head, rows = shown
    blank = lambda row: [cell.strip() if cell.strip() == "" else cell for cell in row]
    return [h.strip() for h in head] == [h.strip() for h in dumped[0]] and \
        [blank(r) for r in rows] == [blank(r) for r in dumped[1:]]


def wait_for(condition, seconds, message):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError(message)


class WebViewInABrowser(unittest.TestCase):
    def setUp(self):
        self.program = web_browser.Program(PROGRAM, FEED, LAYOUT, rate=60, settings="[Colors]\nAlternateRows=1\n")
        self.browser = web_browser.Browser()
        self.driver = self.browser.driver

    def tearDown(self):
        self.browser.quit()
        if self.program.process.poll() is None:
            self.program.stop()

    def shown(self):
        return self.driver.execute_script(READ_TABLE)

    def check_shading(self):
        """The second row is 14 % of the way from the background to the text colour, as on the desktop."""
        shown = self.driver.execute_script(
            "return [...document.querySelector('table.results').tBodies[0].rows].slice(0, 3)"
            ".map((r) => getComputedStyle(r).backgroundColor);")
        colors = self.driver.execute_script(
            "return fetch('/api/state').then((r) => r.json()).then((s) => s.colors);")
        rgb = lambda hex: tuple(int(hex[i:i + 2], 16) for i in (1, 3, 5))
        back, text = rgb(colors["background"]), rgb(colors["text"])
        shade = tuple(b + int((t - b) * 14 / 100) for b, t in zip(back, text))
        self.assertEqual(rgb(colors["alternateBackground"]), shade)
        css = lambda c: "rgb(%d, %d, %d)" % c
        self.assertEqual(shown, [css(back), css(shade), css(back)])

    def test_results_updates_lost_connection_and_recovery(self):
        self.driver.get(self.program.url("/window/1"))
        first = wait_for(self.shown, 20, "window 1 never showed a table")
        self.driver.execute_script("window.sameLoad = true;")
        # The replay goes on: a later state reaches the open page without a reload.
        wait_for(lambda: self.shown() != first, 20, "no update reached the page")
        self.assertTrue(self.driver.execute_script("return window.sameLoad === true;"))

        wait_for(lambda: self.driver.execute_script(
            "return fetch('/api/state').then((r) => r.json()).then((s) => s.run.lines);") >= FEED_LINES,
            30, "the replay did not end")
        for number in range(1, 5):
            with self.subTest(window=number):
                if number > 1:
                    self.driver.get(self.program.url("/window/%d" % number))
                dumped = dump_rows(number)
                if not same_cells(wait_for(self.shown, 20, "no table"), dumped):
                    wait_for(lambda: same_cells(self.shown(), dumped), 10,
                             "window %d differs from the dump: %r" % (number, self.shown()))
        marker = self.driver.execute_script("const i = document.querySelector('td.marker img');"
                                            "return i && i.complete && i.naturalWidth;")
        self.assertTrue(marker, "the marker picture did not load")
        self.check_shading()

        port = self.program.port
        self.program.stop()
        stopped = time.monotonic()
        banner = lambda: self.driver.execute_script(
            "const b = document.getElementById('connection'); return b && !b.hidden && b.textContent;")
        text = wait_for(lambda: banner() and "lost" in banner() and banner(), 5, "the page did not say so")
        self.assertLess(time.monotonic() - stopped, 5, text)

        self.program = web_browser.Program(PROGRAM, FEED, LAYOUT, port=port)
        wait_for(lambda: not banner(), 20, "the page did not reconnect")
        wait_for(lambda: same_cells(self.shown(), dump_rows(4)), 20, "the page did not show the state again")


if __name__ == "__main__":
    web_browser.require_browser()
    unittest.main(argv=sys.argv[:1], verbosity=2)
