#!/usr/bin/env python3
"""The table that ends `make bench`, checked on results files written the way Google Benchmark writes them."""

import contextlib
import io
import json
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import bench_summary  # noqa: E402

CONTEXT = {"date": "2026-12-06T10:53:05+00:00", "host_name": "vm", "num_cpus": 2, "mhz_per_cpu": 2445,
           "library_build_type": "release"}


def entry(name, real_time, unit="ns", **extra):
    base = {"name": name, "family_index": 0, "per_family_instance_index": 0, "run_name": name,
            "run_type": "iteration", "repetitions": 1, "repetition_index": 0, "threads": 1, "iterations": 100,
            "real_time": real_time, "cpu_time": real_time, "time_unit": unit}
    base.update(extra)
    return base


def write_results(folder, program, *entries):
    (folder / f"{program}.json").write_text(json.dumps({"context": CONTEXT, "benchmarks": list(entries)}))


def summarise(folder):
    """The exit status, what was printed, and the rows of summary.txt by benchmark."""
    printed = io.StringIO()
    with contextlib.redirect_stdout(printed):
        status = bench_summary.main(["bench_summary.py", str(folder)])
    lines = (folder / bench_summary.SUMMARY_FILE).read_text().splitlines()
    rows = {line.split("  ")[0].strip(): line for line in lines[3:]}
    return status, printed.getvalue(), lines, rows


class BenchSummaryTest(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.TemporaryDirectory()
        self.folder = Path(self.temp.name)

    def tearDown(self):
        self.temp.cleanup()

    def test_every_program_and_benchmark_gets_a_row_with_its_main_figure_and_counters(self):
        write_results(self.folder, "protocol_bench",
                      entry("BM_TakeAndGetter", 639.0, lines_per_second=1564440.0))
        write_results(self.folder, "startup_bench",
                      entry("BM_Startup", 412.7, "ms", peak_rss_MB=87.26),
                      entry("BM_EndToEnd", 31.0, "ms", items_per_second=24510.0, bytes_per_second=1.5e6))
        status, printed, lines, rows = summarise(self.folder)
        self.assertEqual(status, 0)
        self.assertIn("\n".join(lines), printed)
        self.assertIn("vm", lines[0])
        self.assertEqual(set(rows), {"protocol_bench BM_TakeAndGetter", "startup_bench BM_Startup",
                                     "startup_bench BM_EndToEnd"})
        self.assertIn("639 ns/iter", rows["protocol_bench BM_TakeAndGetter"])
        self.assertIn("lines_per_second=1.56M", rows["protocol_bench BM_TakeAndGetter"])
        self.assertIn("413 ms/iter", rows["startup_bench BM_Startup"])
        self.assertIn("peak_rss_MB=87.3", rows["startup_bench BM_Startup"])
        end_to_end = rows["startup_bench BM_EndToEnd"]
        self.assertIn("24.5k items/s", end_to_end)
        self.assertIn("bytes_per_second=1.50M", end_to_end)
        self.assertNotIn("ms/iter", end_to_end)

    def test_times_are_shown_in_the_unit_that_fits(self):
        for value, unit, shown in ((1798.47, "ns", "1.80 us"), (2720.0, "ms", "2.72 s"), (0.5, "us", "500 ns"),
                                   (999.96, "ns", "1.00 us")):
            with self.subTest(value=value, unit=unit):
                self.assertEqual(bench_summary.duration(value, unit), shown)

    def test_a_failed_benchmark_and_an_unreadable_file_are_reported_without_hiding_the_others(self):
        write_results(self.folder, "comm_bench", entry("BM_SerialPty1MB", 0.0, error_occurred=True,
                                                       error_message="socat is not installed"))
        write_results(self.folder, "model_bench", entry("BM_RaceFeed/100", 1798.0, records_per_second=5.5e5))
        (self.folder / "ui_bench.json").write_text('{"context": {}, "benchmarks": [')  # killed while writing
        status, _, _, rows = summarise(self.folder)
        self.assertEqual(status, 1)
        self.assertIn("socat is not installed", rows["comm_bench BM_SerialPty1MB"])
        self.assertIn("records_per_second=550k", rows["model_bench BM_RaceFeed/100"])
        self.assertIn("no results", rows["ui_bench"])

    def test_no_results_at_all_is_an_error(self):
        with contextlib.redirect_stderr(io.StringIO()):
            self.assertEqual(bench_summary.main(["bench_summary.py", str(self.folder)]), 1)


if __name__ == "__main__":
    unittest.main()
