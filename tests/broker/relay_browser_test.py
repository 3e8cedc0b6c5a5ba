"""A page in chromium through nginx to two headless relays fed by a broker: when the relay that serves it
dies, the page reconnects through the proxy to the other within five seconds, without a reload, and
follows the race on to its end.

Usage: /usr/bin/python3 relay_browser_test.py PROGRAM TEST_DATA_DIR"""

import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "screenshots"))
import web_browser  # noqa: E402

PROGRAM, DATA = sys.argv[1], sys.argv[2]
FEED = os.path.join(DATA, "feeds", "race6.feed")
FEED_LINES = sum(1 for _ in open(FEED, "rb"))
READ_TABLE = ("const t = document.querySelector('table.results');"
              "return t && t.tBodies[0] ? [...t.tBodies[0].rows].map((r) => r.innerText) : null;")
BANNER = "const b = document.getElementById('connection'); return b && !b.hidden ? b.textContent : '';"
wait_for = web_browser.wait_for


def tool(name):
    found = shutil.which(name) or shutil.which(name, path="/usr/sbin:/sbin")
    if not found:
        sys.exit(name + " is missing; scripts/setup.sh installs it")
    return found


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def get_json(port, path):
    """The answer of a program's web view, or None while it does not answer."""
    try:
        with urllib.request.urlopen("http://127.0.0.1:%d%s" % (port, path), timeout=2) as answer:
            return json.load(answer)
    except OSError:
        return None


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


class PageOnADyingRelay(unittest.TestCase):
    def setUp(self):
        web_browser.require_browser()
        self.folder = tempfile.mkdtemp(prefix="kavendor-relays-")
        self.processes, self.logs = {}, {}
        self.broker_port, self.proxy_port = free_port(), free_port()
        self.relay_ports = [free_port(), free_port()]
        write(self.path("mosquitto.conf"), "listener %d 127.0.0.1\nallow_anonymous true\npersistence false\n%s"
              % (self.broker_port, "user root\n" if os.geteuid() == 0 else ""))
        self.start("broker", [tool("mosquitto"), "-c", self.path("mosquitto.conf")])
        for number, port in enumerate(self.relay_ports, 1):
            relay = self.path("relay-%d" % number)
            os.mkdir(relay)
            write(os.path.join(relay, "Communication.ini"),
                  "[Communication]\nCommType=MQTT\n\n[Communication\\MQTT]\nMQTT_Host=127.0.0.1\nMQTT_Port=%d\n"
                  "MQTT_Topic=kavendor/+\nMQTT_ClientId=relay-%d\n" % (self.broker_port, number))
            write(os.path.join(relay, "Kavendor.ini"), "[WebView]\nMaxClients=1000\nMaxClientsPerAddress=0\n")
            self.start("relay-%d" % number, [PROGRAM, "--headless", "--config-dir", relay, "--web", str(port),
                                             "--web-bind", "127.0.0.1"])
        with open(os.path.join(DATA, "..", "..", "demo", "nginx.conf"), encoding="utf-8") as template:
            servers = "".join("server 127.0.0.1:%d max_fails=1 fail_timeout=10s; " % p for p in self.relay_ports)
            write(self.path("nginx.conf"), template.read().replace("@FOLDER@", self.folder)
                  .replace("@SERVERS@", servers).replace("@PORT@", str(self.proxy_port)))
        self.start("nginx", [tool("nginx"), "-p", self.folder, "-c", self.path("nginx.conf"),
                             "-e", self.path("error.log")])
        for port in self.relay_ports + [self.proxy_port]:
            wait_for(lambda: get_json(port, "/health"), 20, "nothing answers on port %d" % port)
        # Both relays follow the broker before the race starts, so each takes every line of it.
        for number in (1, 2):
            wait_for(lambda: "feed connected" in self.said("relay-%d" % number), 20, "relay %d has no feed" % number)
        self.browser = web_browser.Browser()
        self.driver = self.browser.driver

    def path(self, name):
        return os.path.join(self.folder, name)

    def start(self, name, arguments):
        self.logs[name] = open(self.path(name + ".log"), "w+", encoding="utf-8")
        self.processes[name] = subprocess.Popen(arguments, stdout=self.logs[name], stderr=subprocess.STDOUT,
                                                env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))

    def said(self, name):
        with open(self.path(name + ".log"), encoding="utf-8", errors="replace") as log:
            return log.read()

    def tearDown(self):
        failed = self._outcome is not None and not self._outcome.success
        if failed:
            for name in self.logs:
                sys.stderr.write("--- %s:\n%s\n" % (name, self.said(name)[-4000:]))
        web_browser.tell_on_failure(self, None, self.browser)
        self.browser.quit()
        for process in self.processes.values():
            if process.poll() is None:
                process.terminate()
                process.wait(timeout=30)
        for log in self.logs.values():
            log.close()
        shutil.rmtree(self.folder, ignore_errors=True)

    def live_clients(self, port):
        return (get_json(port, "/health") or {}).get("liveClients", 0)

    def test_the_page_moves_to_the_other_relay(self):
        os.mkdir(self.path("publisher"))
        self.start("publisher", [PROGRAM, "--headless", "--config-dir", self.path("publisher"), "--replay", FEED,
                                 "--rate", "12", "--mqtt", "127.0.0.1:%d" % self.broker_port])
        self.driver.get("http://127.0.0.1:%d/kind/4" % self.proxy_port)
        first = wait_for(lambda: self.driver.execute_script(READ_TABLE), 20, "no table through the proxy")
        self.driver.execute_script("window.sameLoad = true;")
        wait_for(lambda: self.driver.execute_script(READ_TABLE) != first, 20, "no update reached the page")
        serving = wait_for(lambda: [p for p in self.relay_ports if self.live_clients(p) == 1], 10,
                           "no relay serves the page")[0]
        other = next(p for p in self.relay_ports if p != serving)
        lines_at_kill = get_json(other, "/api/state")["run"]["lines"]
        self.assertLess(lines_at_kill, FEED_LINES - 60, "the race ended before the relay was killed")
        victim = self.processes["relay-%d" % (self.relay_ports.index(serving) + 1)]
        victim.send_signal(signal.SIGKILL)
        killed = time.monotonic()
        victim.wait(timeout=10)
        wait_for(lambda: self.live_clients(other) == 1 and not self.driver.execute_script(BANNER), 10,
                 "the page did not come back through the proxy: %r" % self.driver.execute_script(BANNER))
        self.assertLess(time.monotonic() - killed, 5)
        self.assertTrue(self.driver.execute_script("return window.sameLoad === true;"), "the page was reloaded")

        # The race goes on to its end on the page: what it shows is what a page opened now shows.
        wait_for(lambda: get_json(other, "/api/state")["run"]["lines"] == FEED_LINES, 60, "the race did not end")
        shown = lambda: self.driver.execute_script(READ_TABLE)
        final = shown()
        self.driver.execute_script("window.open(arguments[0]);", "http://127.0.0.1:%d/kind/4" % self.proxy_port)
        self.driver.switch_to.window(self.driver.window_handles[1])
        fresh = wait_for(shown, 20, "no table on a new page")
        self.driver.switch_to.window(self.driver.window_handles[0])
        wait_for(lambda: shown() == fresh, 10, "the page shows %r, a new page %r" % (final, fresh))
        self.assertNotEqual(fresh, first)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
