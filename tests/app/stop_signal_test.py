#!/usr/bin/env python3
"""SIGTERM (a service stopped), SIGINT (Ctrl+C) and SIGHUP (the session ended) sent to the running
program: it closes as on Exit, without a question, writes its settings, saves the layout in use to its
file, and exits with status 0. (An arrangement without a file name is left alone: the controller's
tests hold that case, which needs windows opened from the menus.)

Usage: stop_signal_test.py KAVENDOR DEMO_DIR
"""
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.request

PROGRAM, DEMO_DIR = sys.argv[1:3]
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")
START_LIMIT_SECONDS = 60
failures = []


def wait_for_web_view(process, layout):
    """The web view's address once the program says it, then its state: with a layout, once the state
    holds the layout's windows (the web view answers from a thread of its own, before the program has
    opened its windows)."""
    said = ""
    match = None
    while not match:
        line = process.stderr.readline().decode()
        if not line:
            raise RuntimeError(f"no web view address, the program said {said!r}")
        said += line
        match = re.search(r"web view on (http://\S+)", line)
    url = match.group(1).rstrip("/") + "/api/state"
    deadline = time.monotonic() + START_LIMIT_SECONDS
    while True:
        try:
            with urllib.request.urlopen(url, timeout=5) as answer:
                if not layout or json.load(answer)["windows"]:
                    return
        except OSError:
            if process.poll() is not None or time.monotonic() > deadline:
                raise
        if time.monotonic() > deadline:
            raise RuntimeError("the layout's windows never opened")
        time.sleep(0.05)


def start(config, layout):
    arguments = [PROGRAM, "--config-dir", config, "--web", "0", "--web-bind", "127.0.0.1"]
    if layout:
        arguments += ["--layout", layout]
    process = subprocess.Popen(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=ENV)
    try:
        wait_for_web_view(process, layout)
    except BaseException:
        process.kill()
        process.wait()
        raise
    return process


def run_case(config, name, number, named_layout):
    os.mkdir(config)
    layout = None
    if named_layout:
        layout = os.path.join(config, "race.kvl")
        shutil.copyfile(os.path.join(DEMO_DIR, "demo.kvl"), layout)
    process = start(config, layout)
    if layout:
        # The layout is open; what the file says now is replaced only by a save.
        with open(layout, "w") as text:
            text.write("; replaced while the program runs\n")
    process.send_signal(number)
    try:
        status = process.wait(timeout=120)
    except subprocess.TimeoutExpired:
        process.kill()
        failures.append(f"{name}: still running after the signal")
        return
    said = process.stderr.read().decode(errors="replace")
    if status != 0:
        failures.append(f"{name}: status {status}: {said.strip()}")
    for settings in ("Kavendor.ini", "Communication.ini"):
        if not os.path.exists(os.path.join(config, settings)):
            failures.append(f"{name}: {settings} was not written")
    if named_layout:
        with open(layout) as text:
            if "[ResultWin1]" not in text.read():
                failures.append(f"{name}: the named layout was not saved")
        if "layout saved to" not in said:
            failures.append(f"{name}: the log does not say the layout was saved: {said.strip()}")
    if f"stopped by {signal.Signals(number).name}" not in said:
        failures.append(f"{name}: the log does not name the signal: {said.strip()}")


def run_headless(config):
    """--headless on a TCP feed, as a relay on the track's network: the feed server drops it, and it
    connects again by itself (nobody is there to answer); SIGTERM ends it with status 0."""
    import socket
    os.mkdir(config)
    server = socket.create_server(("127.0.0.1", 0))
    server.settimeout(30)
    with open(os.path.join(config, "Communication.ini"), "w") as ini:
        ini.write("[Communication]\nCommType=TCPIP\n\n[Communication\\TCPIP]\nTCPIP_Addr=127.0.0.1\n"
                  f"TCPIP_Port={server.getsockname()[1]}\n")
    process = subprocess.Popen([PROGRAM, "--headless", "--config-dir", config], stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, env=ENV)
    try:
        for _ in range(2):
            connection, _ = server.accept()
            connection.sendall(b'$B,1,"Race 1"\n')
            connection.close()
    except OSError as error:
        failures.append(f"headless: the feed was not connected to again: {error}")
    process.send_signal(signal.SIGTERM)
    status = process.wait(timeout=120)
    said = process.stderr.read().decode(errors="replace")
    if status != 0 or said.count("kavendor: feed connected") < 2 or "feed lost; trying again" not in said:
        failures.append(f"headless: status {status}: {said.strip()}")


def main():
    if not os.access(PROGRAM, os.X_OK):
        print(f"missing program: {PROGRAM}", file=sys.stderr)
        return 1
    cases = [
        ("SIGTERM, named layout", signal.SIGTERM, True),
        ("SIGINT, no layout", signal.SIGINT, False),
        ("SIGHUP, named layout", signal.SIGHUP, True),
    ]
    with tempfile.TemporaryDirectory() as root:
        for index, (name, number, named_layout) in enumerate(cases):
            try:
                run_case(os.path.join(root, f"case{index}"), name, number, named_layout)
            except (OSError, RuntimeError) as error:
                failures.append(f"{name}: {error}")
        run_headless(os.path.join(root, "headless"))
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
