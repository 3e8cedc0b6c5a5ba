#!/usr/bin/env python3
"""As over ssh, from a service or in a package check: no platform named and no display to reach. The
command line still answers, and a fault or the windows say so in one line (two with the hint for a
wrong command line).

Usage: command_line_answers_test.py KAVENDOR
"""
import os
import subprocess
import sys
import tempfile

PROGRAM = sys.argv[1]


def main():
    env = {k: v for k, v in os.environ.items() if k not in ("QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY")}
    failures = []
    with tempfile.TemporaryDirectory() as config:
        cases = [
            (["--help"], 0, "Usage: kavendor"),
            (["--version"], 0, "Kavendor "),
            (["--fast"], 2, "kavendor: unknown option: --fast\nTry 'kavendor --help'.\n"),
            (["--replay", "/nonexistent/race.feed", "--dump", "/tmp"], 2, "/nonexistent/race.feed"),
            (["--config-dir", config], 1, "kavendor: no display to show the windows on"),
        ]
        for arguments, status, output in cases:
            run = subprocess.run([PROGRAM, *arguments], capture_output=True, env=env, timeout=60)
            printed = (run.stdout + run.stderr).decode(errors="replace")
            name = " ".join(arguments)
            if run.returncode != status:
                failures.append(f"{name}: status {run.returncode}, not {status}: {printed}")
            if output not in printed:
                failures.append(f"{name}: {output!r} not in {printed!r}")
            lines = {0: None, 1: 1, 2: 2}[status]
            if lines and (not printed.endswith("\n") or printed.count("\n") != lines):
                failures.append(f"{name}: not {lines} line(s): {printed!r}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
