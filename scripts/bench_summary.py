#!/usr/bin/env python3
"""One table of every benchmark figure, from the Google Benchmark JSON files of a `make bench` run.

usage: bench_summary.py RESULTS_DIR

Reads every RESULTS_DIR/*.json (one per benchmark program, named after it), prints the table and writes
it to RESULTS_DIR/summary.txt, so that two runs can be compared side by side. Each benchmark shows its
main figure -- items per second when it counts items, else bytes per second, else time per iteration
(wall clock) -- and then its own counters as name=value. The JSON does not say what a counter measures,
so counters carry their unit in their name (lines_per_second, peak_rss_MB).

Exit status: 0, or 1 when a results file could not be read (the table still shows the others).
"""

import json
import math
import sys
from pathlib import Path

# Fields every benchmark entry has or may have; any other number in an entry is a counter of its own.
STANDARD_FIELDS = {
    "name", "family_index", "per_family_instance_index", "run_name", "run_type", "repetitions",
    "repetition_index", "threads", "iterations", "real_time", "cpu_time", "time_unit", "bytes_per_second",
    "items_per_second", "label", "aggregate_name", "aggregate_unit", "error_occurred", "error_message",
    "skipped", "skip_message", "big_o", "rms", "complexity_n", "real_coefficient", "cpu_coefficient",
}

SECONDS_PER_UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
SUMMARY_FILE = "summary.txt"
HEADERS = ("benchmark", "figure", "counters")


def digits(value):
    """Three significant digits, trailing zeros kept (1.80, 12.0, 639), so columns of runs line up."""
    if value == 0 or not math.isfinite(value):
        return f"{value:g}"
    exponent = math.floor(math.log10(abs(value)))
    if abs(round(value, 2 - exponent)) >= 10 ** (exponent + 1):
        exponent += 1  # the rounding carried into another digit: 9.996 is 10.0
    return f"{value:.{max(0, 2 - exponent)}f}"


def si(value):
    """A number with a k/M/G suffix, like the console output."""
    for factor, suffix in ((1e12, "T"), (1e9, "G"), (1e6, "M"), (1e3, "k")):
        if math.isfinite(value) and abs(value) >= factor * 0.9995:
            return digits(value / factor) + suffix
    return digits(value)


def duration(value, unit):
    """A time in the unit that keeps it between 1 and 1000."""
    seconds = value * SECONDS_PER_UNIT.get(unit, 1e-9)
    for name, size in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if abs(seconds) >= size * 0.9995:
            return f"{digits(seconds / size)} {name}"
    return f"{digits(seconds / 1e-9)} ns"


def main_figure(entry):
    if entry.get("error_occurred"):
        return "error: " + entry.get("error_message", "")
    if entry.get("skipped"):
        return "skipped: " + entry.get("skip_message", "")
    if entry.get("aggregate_unit") == "percentage":
        return f"{entry.get('real_time', 0) * 100:.3g} %"
    if "items_per_second" in entry:
        return si(entry["items_per_second"]) + " items/s"
    if "bytes_per_second" in entry:
        return si(entry["bytes_per_second"]) + "B/s"
    if "real_time" in entry:
        return duration(entry["real_time"], entry.get("time_unit", "ns")) + "/iter"
    return "?"


def counters(entry):
    shown = []
    if "items_per_second" in entry and "bytes_per_second" in entry:
        shown.append("bytes_per_second=" + si(entry["bytes_per_second"]))
    for key, value in entry.items():
        if key not in STANDARD_FIELDS and isinstance(value, (int, float)) and not isinstance(value, bool):
            shown.append(f"{key}={si(value)}")
    if entry.get("label"):
        shown.append(entry["label"])
    return "  ".join(shown)


def rows_of(path):
    """The rows of one program's results, and the run's context."""
    with open(path, encoding="utf-8") as file:
        data = json.load(file)
    rows = [(f"{path.stem} {entry.get('name', '?')}", main_figure(entry), counters(entry))
            for entry in data.get("benchmarks", [])]
    if not rows:
        rows.append((path.stem, "no benchmark ran", ""))
    return rows, data.get("context", {})


def table(rows):
    widths = [max(len(row[i]) for row in [HEADERS] + rows) for i in range(2)]
    lines = []
    for row in [HEADERS, tuple("-" * w for w in widths) + ("-" * len(HEADERS[2]),)] + rows:
        lines.append(f"{row[0]:<{widths[0]}}  {row[1]:>{widths[1]}}  {row[2]}".rstrip())
    return "\n".join(lines)


def describe(context):
    if not context:
        return "# no run information"
    return (f"# {context.get('date', '?')} on {context.get('host_name', '?')}: {context.get('num_cpus', '?')} CPUs"
            f" at {context.get('mhz_per_cpu', '?')} MHz, benchmark library built as"
            f" {context.get('library_build_type', '?')}")


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    folder = Path(argv[1])
    rows, context, status = [], {}, 0
    for path in sorted(folder.glob("*.json")):
        try:
            more, run = rows_of(path)
        except (OSError, ValueError, AttributeError) as error:
            more, run, status = [(path.stem, "no results", str(error))], {}, 1
        rows += more
        context = context or run
    if not rows:
        print(f"bench_summary: no results in {folder}", file=sys.stderr)
        return 1
    text = describe(context) + "\n" + table(rows) + "\n"
    print("\n== summary\n" + text, end="")
    (folder / SUMMARY_FILE).write_text(text, encoding="utf-8")
    return status


if __name__ == "__main__":
    sys.exit(main(sys.argv))
