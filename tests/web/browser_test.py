"""The web view in a real browser: the program replays a recorded race, chromium shows each result
window and reads the same cells as the --dump files of that race; an update reaches an open page
without reloading it; every second row is shaded as on the desktop; the page says within five seconds
that the connection is lost when the program stops, and recovers by itself when the program is back.

Usage: /usr/bin/python3 browser_test.py PROGRAM TEST_DATA_DIR"""

import csv
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "screenshots"))
import web_browser  # noqa: E402

PROGRAM, FEED_TOOL, DATA = sys.argv[1], sys.argv[2], sys.argv[3]
FEED = os.path.join(DATA, "feeds", "race6.feed")
LAYOUT = os.path.join(DATA, "web", "every_kind.kvl")
FEED_LINES = sum(1 for _ in open(FEED, "rb"))

# What the table of a results page shows: header texts, and each cell's text or its picture as the
# dump writes it, "[green ball]".
READ_TABLE = """
const table = document.querySelector("table.results");
if (!table || !table.tHead.rows.length) return null;
const text = (c) => [...c.childNodes].filter((n) => !n.classList || !n.classList.contains("mark"))
    .map((n) => n.textContent).join("");
const cell = (c) => { const img = c.querySelector("img"); return img ? "[" + img.alt + "]" : text(c); };
return [[...table.tHead.rows[0].cells].map(cell), [...table.tBodies[0].rows].map((r) => [...r.cells].map(cell))];
"""


def dump_rows(number):
    """The dump's header and rows, without the empty rows below the field (their place and marker only)."""
    with open(os.path.join(DATA, "dump", "race6", "ResultWin%d.csv" % number), newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    while len(rows) > 1 and all(cell.strip() == "" for cell in rows[-1][2:]):
        rows.pop()
    return rows


def same_cells(shown, dumped):
    """An empty cell and a blank one look the same; headers are compared without their blanks."""
    if shown is None:
        return False
    head, rows = shown
    blank = lambda row: [cell.strip() if cell.strip() == "" else cell for cell in row]
    return [h.strip() for h in head] == [h.strip() for h in dumped[0]] and \
        [blank(r) for r in rows] == [blank(r) for r in dumped[1:]]


wait_for = web_browser.wait_for


def lap_seconds(text):
    """A lap time cell in seconds; infinity for none, as the page sorts them."""
    text = text.strip()
    if not text or text.strip("0123456789:.") or text == "-----":
        return float("inf")
    total = 0.0
    for part in text.split(":"):
        total = total * 60 + float(part)
    return total


class WebViewInABrowser(unittest.TestCase):
    def setUp(self):
        self.program = web_browser.Program(PROGRAM, FEED, LAYOUT, rate=60, settings="[Colors]\nAlternateRows=1\n")
        self.browser = web_browser.Browser()
        self.driver = self.browser.driver

    def tearDown(self):
        web_browser.tell_on_failure(self, self.program, self.browser)
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

    def test_events_page_takes_each_event_as_it_comes(self):
        """The events page, opened before the race, shows each event without a reload; at the end, newest
        first, the events the dump writes (time, sign and kind, text)."""
        self.driver.get(self.program.url("/events"))
        read = ("return [...document.querySelectorAll('ol.events li.event')].map((li) => "
                "[...li.children].map((s) => s.textContent));")
        seen = wait_for(lambda: self.driver.execute_script(read), 20, "no event reached the page")
        self.driver.execute_script("window.sameLoad = true;")
        with open(os.path.join(DATA, "dump", "race6", "events.csv"), newline="", encoding="utf-8") as f:
            dumped = [[row["Race time"], row["Kind"], row["Text"]] for row in csv.DictReader(f)][::-1]
        self.assertLess(len(seen), len(dumped), "the page opened after the race")
        shown = lambda: [[time, kind.split(" ", 1)[1], text] for time, kind, text in self.driver.execute_script(read)]
        wait_for(lambda: shown() == dumped, 30, "the page shows %r" % shown())
        self.assertTrue(self.driver.execute_script("return window.sameLoad === true;"))
        self.assertTrue(all(kind.split(" ", 1)[0] for _, kind, _ in self.driver.execute_script(read)),
                        "an event without its sign")


def computed(driver, selector, prop):
    return driver.execute_script(
        "const e = document.querySelector(arguments[0]); return e && getComputedStyle(e)[arguments[1]];",
        selector, prop)


def set_screen(driver, width, height, dark=None):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
    if dark is not None:
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
            {"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})


class PagesOnAPublicScreenAndOnAir(unittest.TestCase):
    def setUp(self):
        self.program = web_browser.Program(PROGRAM, FEED, LAYOUT, rate=400)
        self.browser = web_browser.Browser()
        self.driver = self.browser.driver

    def tearDown(self):
        web_browser.tell_on_failure(self, self.program, self.browser)
        self.browser.quit()
        if self.program.process.poll() is None:
            self.program.stop()

    def open(self, path, width=1280, height=800, dark=None):
        set_screen(self.driver, width, height, dark)
        self.driver.get(self.program.url(path))
        return wait_for(lambda: self.driver.execute_script(READ_TABLE), 20, "no table on " + path)

    def test_rows_text_size_and_theme(self):
        field = len(dump_rows(4)) - 1
        self.driver.get(self.program.url("/"))
        wait_for(lambda: self.driver.execute_script(
            "return fetch('/api/state').then((r) => r.json()).then((s) => s.run.lines);") >= FEED_LINES,
            30, "the replay did not end")
        self.assertEqual(len(self.open("/window/4")[1]), field)
        self.check_class_pages()
        sizes = {}
        for width in (390, 1920, 3840):
            self.open("/kind/4", width, 1000)
            sizes[width] = float(computed(self.driver, "table.results td", "fontSize")[:-2])
        self.assertGreaterEqual(sizes[1920], 1.4 * sizes[390], sizes)
        self.assertGreater(sizes[3840], sizes[1920], sizes)
        for path, prefers_dark, dark in (("/kind/4?theme=dark", False, True), ("/kind/4", True, True),
                                         ("/kind/4?theme=light", True, False), ("/kind/4", False, False)):
            with self.subTest(path=path, prefers_dark=prefers_dark):
                self.open(path, dark=prefers_dark)
                self.assertEqual(computed(self.driver, "body", "backgroundColor"),
                                 "rgb(0, 0, 0)" if dark else "rgb(244, 244, 244)")
                self.assertEqual(computed(self.driver, "table.results td", "color"),
                                 "rgb(255, 255, 255)" if dark else "rgb(0, 0, 0)")

    def check_class_pages(self):
        """?class= by name (any case) or number: that class's cars only, in order, placed 1..n within it."""
        dumped = [row for row in dump_rows(1)[1:] if row[2].strip()]  # the current race: the dump's window 1
        classes = self.driver.execute_script("return fetch('/api/state').then((r) => r.json()).then((s) => s.classes);")
        for entry in classes:
            cars = [row[2] for row in dumped if row[15] == entry["name"]]
            if not cars:
                continue
            places = [str(n) for n in range(1, len(cars) + 1)]
            for asked in (entry["name"].upper(), str(entry["number"])):
                with self.subTest(asked=asked):
                    path = "/kind/4?columns=0,2,15&class=" + urllib.parse.quote(asked)
                    self.assertEqual(self.open(path)[1], [[p, c, entry["name"]] for p, c in zip(places, cars)])
                    self.driver.get(self.program.url("/overlay?class=" + urllib.parse.quote(asked)))
                    tower = ("return [...document.querySelectorAll('table.tower tr')]"
                             ".map((r) => [r.cells[0].textContent, r.cells[1].textContent]);")
                    wait_for(lambda: self.driver.execute_script(tower) == [list(p) for p in zip(places, cars)], 10,
                             "the overlay of the class shows %r" % self.driver.execute_script(tower))
        self.assertGreater(len({row[15] for row in dumped}), 1, "the feed should have cars of two classes")
        # Window 5 is set to Cup Series in the layout: its page shows that class, or the one asked for.
        for path, name in (("/window/5", "Cup Series"), ("/window/5?class=1", "GT Masters")):
            cars = [row[2] for row in dumped if row[15] == name]
            self.assertEqual(self.open(path)[1], [[str(n), c, name] for n, c in enumerate(cars, 1)], path)
        # By best lap, cars without one last, the fastest with a star in text; a click on Cls Pos puts
        # each class together in its order.
        by_best = sorted(dumped, key=lambda row: lap_seconds(row[11]))
        self.assertEqual([row[0] for row in self.open("/kind/4?columns=2,11&sort=best")[1]], [r[2] for r in by_best])
        marks = "return [...document.querySelectorAll('table.results tbody .mark')].map((m) => m.textContent);"
        self.assertEqual(self.driver.execute_script(marks), [" \u2605"])
        self.open("/kind/4?columns=2,15,17")
        self.driver.execute_script("document.querySelectorAll('table.results th')[2].click();")
        firsts = list(dict.fromkeys(row[15] for row in dumped))
        by_class = [[row[2], row[15]] for cls in firsts for row in dumped if row[15] == cls]
        self.assertEqual([row[:2] for row in self.driver.execute_script(READ_TABLE)[1]], by_class)
        self.assertIn("sort=class", self.driver.current_url)
        # ?follow= marks a car for this viewer: the triangle and the follow colours, on its row only.
        car = dumped[2][2]
        self.open("/kind/4?columns=2&follow=" + car)
        followed = ("return [...document.querySelectorAll('table.results tbody tr')].filter((r) => "
                    "r.classList.contains('followed')).map((r) => [r.textContent, getComputedStyle(r).backgroundColor]);")
        follow_background = self.driver.execute_script(
            "return fetch('/api/state').then((r) => r.json()).then((s) => s.colors.followBackground);")
        rgb = "rgb(%d, %d, %d)" % tuple(int(follow_background[i:i + 2], 16) for i in (1, 3, 5))
        self.assertEqual(self.driver.execute_script(followed), [["\u25B6 " + car, rgb]])
        self.driver.get(self.program.url("/"))
        links = "return [...document.querySelectorAll('nav a')].map((a) => a.getAttribute('href'));"
        wait_for(lambda: all("/kind/4?class=%d" % c["number"] in self.driver.execute_script(links) for c in classes),
                 10, "the index lists no class pages")

    def test_overlay_and_flag_board_when_the_program_is_gone(self):
        set_screen(self.driver, 800, 600, dark=True)
        self.driver.get(self.program.url("/overlay?indicator=1"))
        rows = lambda: self.driver.execute_script("return document.querySelectorAll('table.tower tr').length;")
        wait_for(rows, 20, "the overlay shows no cars")
        for element in ("html", "body"):
            self.assertEqual(computed(self.driver, element, "backgroundColor"), "rgba(0, 0, 0, 0)", element)
        self.assertLess(float(computed(self.driver, ".indicator", "width")[:-2]), 30)
        self.driver.execute_script("window.open(arguments[0], 'flag');", self.program.url("/flag"))
        self.driver.switch_to.window("flag")
        board = lambda: self.driver.execute_script("return document.querySelector('main').textContent;")
        wait_for(lambda: board() in ("GREEN", "YELLOW", "RED", "FINISH"), 20, "no flag on the board")
        # The replay ends and the feed falls silent: after ten seconds the flag is no longer known.
        wait_for(lambda: board() == "FLAG UNKNOWN", 40, "the board kept showing %s" % board())
        self.program.stop()
        self.driver.switch_to.window(self.driver.window_handles[0])
        lost = lambda: self.driver.execute_script("return document.body.classList.contains('lost');")
        wait_for(lost, 10, "the overlay did not notice")
        self.assertIsNone(self.driver.execute_script("return document.getElementById('connection');"))
        self.assertGreater(rows(), 0)
        self.assertEqual(computed(self.driver, "main", "opacity"), "1")  # the grace
        wait_for(lambda: computed(self.driver, "main", "opacity") == "0", 20, "the rows never faded")


class TelevisionPaging(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="kavendor-paging-")
        feed = os.path.join(self.folder, "race.feed")
        subprocess.run([FEED_TOOL, "simulate", "--cars", "100", "--laps", "1", "--out", feed], check=True)
        self.program = web_browser.Program(PROGRAM, feed, None)
        self.browser = web_browser.Browser()

    def tearDown(self):
        web_browser.tell_on_failure(self, self.program, self.browser)
        self.browser.quit()
        self.program.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_a_1080p_tv_shows_all_100_cars_in_turn(self):
        driver = self.browser.driver
        set_screen(driver, 1920, 1080)
        driver.get(self.program.url("/kind/4?page=1&columns=0,2,5"))
        seen = set()
        visible = ("return [...document.querySelectorAll('table.results tbody tr')]"
                   ".filter((r) => !r.hidden && r.getBoundingClientRect().bottom <= innerHeight)"
                   ".map((r) => r.cells[1].textContent.trim());")
        wait_for(lambda: seen.update(driver.execute_script(visible)) or len(seen - {""}) >= 100, 40,
                 "not every car was shown in turn")
        self.assertLessEqual(driver.execute_script("return document.scrollingElement.scrollHeight;"), 1080)
        self.assertIn("Page ", driver.execute_script("return document.getElementById('page').textContent;"))


if __name__ == "__main__":
    web_browser.require_browser()
    unittest.main(argv=sys.argv[:1], verbosity=2)
