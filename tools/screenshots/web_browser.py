"""The kavendor program with its web view on, and Debian's chromium driven by selenium: shared by the
browser test and `make screenshots`. Run with /usr/bin/python3, which sees Debian's selenium."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


def wait_for(condition, seconds, message):
    """The condition's first true value within the time, else an AssertionError with the message."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    raise AssertionError(message)


def require_browser():
    """Stops with a clear message when the browser or selenium is missing."""
    missing = [path for path in (CHROMIUM, CHROMEDRIVER) if not os.path.exists(path)]
    try:
        import selenium  # noqa: F401
    except ImportError:
        missing.append("python3-selenium (run with /usr/bin/python3)")
    if missing:
        sys.exit("missing: " + ", ".join(missing) + "; scripts/setup.sh installs chromium, chromium-driver "
                 "and python3-selenium")


class Program:
    """kavendor offscreen, replaying a recorded feed with the web view on the loopback address."""

    def __init__(self, program, feed, layout, port=0, rate=None, settings=None):
        self.config = tempfile.mkdtemp(prefix="kavendor-web-")
        if settings:
            with open(os.path.join(self.config, "Kavendor.ini"), "w", encoding="utf-8") as ini:
                ini.write(settings)
        if layout:
            # The program writes its layout back when it ends: it works on a copy, never on the original.
            copy = os.path.join(self.config, os.path.basename(layout))
            shutil.copyfile(layout, copy)
            layout = copy
        arguments = [program, "--config-dir", self.config] + (["--layout", layout] if layout else []) + \
            ["--replay", feed, "--web", str(port), "--web-bind", "127.0.0.1"]
        if rate:
            arguments += ["--rate", str(rate)]
        environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        self.process = subprocess.Popen(arguments, stderr=subprocess.PIPE, env=environment, text=True)
        self.port = None
        for line in self.process.stderr:
            found = re.search(r"web view on http://[^ ]+:(\d+)/", line)
            if found:
                self.port = int(found.group(1))
                break
        if self.port is None:
            self.stop()
            raise RuntimeError("kavendor did not start its web view")
        # The rest of standard error is read as it comes, so that the program never blocks on it, and
        # kept for the tests that look for a sanitizer's report in it.
        self.errors = []
        self.reader = threading.Thread(target=lambda: self.errors.extend(self.process.stderr), daemon=True)
        self.reader.start()

    def url(self, path):
        return "http://127.0.0.1:%d%s" % (self.port, path)

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=30)
        if getattr(self, "reader", None):
            self.reader.join(timeout=10)
        self.process.stderr.close()
        shutil.rmtree(self.config, ignore_errors=True)


def tell_on_failure(test, program=None, browser=None):
    """In a test's tearDown: when the test failed, what the program and the browser said, on standard
    error, so that no failure goes without its log."""
    if getattr(test, "_outcome", None) is None or test._outcome.success:
        return
    if program is not None:
        sys.stderr.write("--- the program's standard error:\n" + "".join(program.errors[-200:]))
    if browser is not None:
        try:
            for entry in browser.driver.get_log("browser"):
                sys.stderr.write("--- browser: %s\n" % entry)
        except Exception as failure:  # the browser itself may be what failed
            sys.stderr.write("--- browser log unavailable: %s\n" % failure)


class Browser:
    """Headless chromium with a profile of its own, which goes when the browser does."""

    def __init__(self, width=1280, height=800):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service

        self.profile = tempfile.mkdtemp(prefix="kavendor-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for argument in ("--headless=new", "--no-sandbox", "--user-data-dir=" + self.profile,
                         "--disable-background-networking", "--disable-component-update", "--disable-sync",
                         "--disable-default-apps", "--disable-extensions", "--no-first-run", "--disable-gpu",
                         "--disable-dev-shm-usage", "--password-store=basic", "--hide-scrollbars",
                         "--window-size=%d,%d" % (width, height)):
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
