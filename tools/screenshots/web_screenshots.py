"""Renders each page of the web view in Debian's chromium, with the program replaying a recorded race,
into BUILD_DIR/screenshots/web_*.png. Usage: /usr/bin/python3 web_screenshots.py BUILD_DIR"""

import json
import os
import sys
import time
import urllib.request

import web_browser

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
FEED = os.path.join(SOURCE, "tests", "data", "feeds", "race6.feed")
LAYOUT = os.path.join(SOURCE, "tests", "data", "web", "every_kind.kvl")
PAGES = [("web_index", "/", (1280, 800)),
         ("web_window_1", "/window/1", (1280, 800)),
         ("web_window_1_phone", "/window/1", (412, 860)),
         ("web_kind_2_columns", "/kind/2?columns=0,1,2,5,11,10", (1280, 800)),
         ("web_info", "/info", (1280, 400)),
         ("web_flag", "/flag", (1280, 720)),
         ("web_overlay", "/overlay?rows=8", (480, 420))]


def main():
    build = sys.argv[1]
    web_browser.require_browser()
    folder = os.path.join(build, "screenshots")
    os.makedirs(folder, exist_ok=True)
    program = web_browser.Program(os.path.join(build, "src", "app", "kavendor"), FEED, LAYOUT)
    try:
        lines = sum(1 for _ in open(FEED, "rb"))
        deadline = time.monotonic() + 60
        while json.load(urllib.request.urlopen(program.url("/api/state")))["run"]["lines"] < lines:
            if time.monotonic() > deadline:
                sys.exit("the replay did not end")
            time.sleep(0.1)
        for name, path, (width, height) in PAGES:
            browser = web_browser.Browser(width, height)
            try:
                browser.driver.get(program.url(path))
                # The state has come and every picture has loaded.
                while browser.driver.execute_script("return document.body.classList.contains('lost') || "
                                                    "![...document.images].every((i) => i.complete);"):
                    time.sleep(0.05)
                file = os.path.join(folder, name + ".png")
                browser.driver.save_screenshot(file)
                print(file)
            finally:
                browser.quit()
    finally:
        program.stop()


if __name__ == "__main__":
    main()
