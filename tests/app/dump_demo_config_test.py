#!/usr/bin/env python3
"""--dump with the demo configuration copied as --config-dir, over feeds that raise the flag window
(yellow and red), the stand-by message (a second run), the logo window and, live over TCP, the end of
the connection that an operator is asked about: every file is written with status 0, or the program
says in one line why not and exits non-zero. The live race ends as the same race replayed.

Usage: dump_demo_config_test.py KAVENDOR KAVENDOR_FEED DEMO_DIR LOGO_FILE
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

PROGRAM, FEED_TOOL, DEMO_DIR, LOGO = sys.argv[1:5]
EXPECTED_FILES = sorted(["ResultWin1.csv", "ResultWin2.csv", "ResultWin3.csv", "ResultWin4.csv",
                         "events.csv", "geninfo.csv", "laps.csv", "state.txt"])
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")
failures = []


def simulate(path, *arguments):
    subprocess.run([FEED_TOOL, "simulate", "--out", path, *arguments], check=True, env=ENV)
    with open(path, "rb") as feed:
        return feed.read()


def demo_copy(root, logo):
    """The demo folder copied as make demo does; with logo, its layout shows the logo window."""
    config = os.path.join(root, "config")
    shutil.copytree(DEMO_DIR, config)
    layout = os.path.join(config, "demo.kvl")
    if logo:
        with open(layout, encoding="latin-1") as text:
            content = text.read()
        content = content.replace("LogoVisible=0", "LogoVisible=1").replace("LogoFileName=", "LogoFileName=" + LOGO)
        with open(layout, "w", encoding="latin-1") as text:
            text.write(content)
    return config, layout


def check_dump(case, run, out):
    if run.returncode != 0:
        lines = run.stderr.decode(errors="replace").strip().splitlines()
        if not lines or run.returncode < 0:
            failures.append(f"{case}: status {run.returncode} without a line saying why")
        else:
            failures.append(f"{case}: status {run.returncode}: {lines[-1]}")
        return
    written = sorted(os.listdir(out)) if os.path.isdir(out) else []
    if written != EXPECTED_FILES:
        failures.append(f"{case}: status 0 but wrote {written}")
        return
    with open(os.path.join(out, "state.txt"), encoding="utf-8") as state:
        if not re.search(r"^row_count=[1-9]", state.read(), re.M):
            failures.append(f"{case}: state.txt shows no rows")


def replay_cases(root):
    # A long race of a big field: a yellow period early on, a red one later, the flag window each time;
    # then a second run after it (the stand-by message).
    long_race = simulate(os.path.join(root, "long.feed"), "--cars", "52", "--laps", "60", "--seed", "4")
    second_run = simulate(os.path.join(root, "second.feed"), "--cars", "12", "--laps", "3", "--seed", "5")
    two_runs = os.path.join(root, "two_runs.feed")
    with open(two_runs, "wb") as feed:
        feed.write(long_race + second_run)
    return [
        ("long race, flag window", os.path.join(root, "long.feed"), False, False),
        ("two runs, stand-by message", two_runs, False, False),
        ("two runs with --layout and the logo", two_runs, True, True),
    ]


def run_replay_cases(root):
    for index, (case, feed, with_layout, logo) in enumerate(replay_cases(root)):
        case_root = os.path.join(root, f"replay{index}")
        os.mkdir(case_root)
        config, layout = demo_copy(case_root, logo)
        out = os.path.join(case_root, "out")
        arguments = [PROGRAM, "--config-dir", config, "--replay", feed, "--dump", out]
        if with_layout:
            arguments += ["--layout", layout]
        check_dump(case, subprocess.run(arguments, capture_output=True, env=ENV, timeout=600), out)


def without_markers(folder):
    """Every dump file of the folder; the markers of the last crossings follow the wall clock."""
    files = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), encoding="utf-8") as text:
            files[name] = re.sub(r"\[green (ball|arrow)\]", "", text.read())
    return files


def run_live_case(root):
    """The simulator serves a short race on a free port; the dump is written when it closes the
    connection, where an operator would be asked to reconnect. It ends as the same race replayed."""
    case_root = os.path.join(root, "live")
    os.mkdir(case_root)
    config, _ = demo_copy(case_root, False)
    race = ["--cars", "8", "--laps", "3", "--seed", "11"]
    simulator = subprocess.Popen([FEED_TOOL, "simulate", *race, "--speed", "40", "--port", "0"],
                                 stderr=subprocess.PIPE, env=ENV)
    try:
        line = simulator.stderr.readline().decode()
        match = re.search(r"serving on [^:]+:(\d+)", line)
        if not match:
            failures.append(f"live session: the simulator said {line!r}")
            return
        ini = os.path.join(config, "Communication.ini")
        with open(ini, encoding="latin-1") as text:
            content = text.read().replace("TCPIP_Port=50000", "TCPIP_Port=" + match.group(1))
        with open(ini, "w", encoding="latin-1") as text:
            text.write(content)
        live = os.path.join(case_root, "live")
        run = subprocess.run([PROGRAM, "--config-dir", config, "--dump", live], capture_output=True, env=ENV,
                             timeout=600)
        check_dump("live session ended by the server", run, live)
    finally:
        simulator.kill()
        simulator.wait()
    replayed = os.path.join(case_root, "replayed")
    simulate(os.path.join(case_root, "race.feed"), *race)
    run = subprocess.run([PROGRAM, "--config-dir", config, "--replay", os.path.join(case_root, "race.feed"),
                          "--dump", replayed], capture_output=True, env=ENV, timeout=600)
    check_dump("the same race replayed", run, replayed)
    if failures:
        return
    expected = without_markers(replayed)
    if without_markers(live) != expected:
        failures.append("live session: the dump differs from the same race replayed")
    if "race_finished=1" not in expected["state.txt"] or "errors=0" not in expected["state.txt"]:
        failures.append(f"the replayed race: state.txt says {expected['state.txt']!r}")


def run_bad_port_case(root):
    """A port in Communication.ini that no socket can use is named, not cut to 16 bits and waited on."""
    case_root = os.path.join(root, "bad_port")
    os.mkdir(case_root)
    config, _ = demo_copy(case_root, False)
    ini = os.path.join(config, "Communication.ini")
    with open(ini, encoding="latin-1") as text:
        content = text.read().replace("TCPIP_Port=50000", "TCPIP_Port=115608")
    with open(ini, "w", encoding="latin-1") as text:
        text.write(content)
    run = subprocess.run([PROGRAM, "--config-dir", config, "--dump", os.path.join(case_root, "out")],
                         capture_output=True, env=ENV, timeout=120)
    said = run.stderr.decode(errors="replace")
    if run.returncode in (0, None) or "TCPIP_Port" not in said:
        failures.append(f"a port beyond 16 bits: status {run.returncode}, said {said!r}")


def main():
    for tool in (PROGRAM, FEED_TOOL):
        if not os.access(tool, os.X_OK):
            print(f"missing program: {tool}", file=sys.stderr)
            return 1
    with tempfile.TemporaryDirectory() as root:
        run_replay_cases(root)
        run_live_case(root)
        run_bad_port_case(root)
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
