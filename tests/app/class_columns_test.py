#!/usr/bin/env python3
"""The class standings and pit columns as a track uses them: a layout that shows them, a simulated
two-class race with lapped cars, pit stops, corrections and penalties (and a practice session), and
--dump. Each row's class place, class gap and intervals are worked out again here from the laps,
total times (or best laps) and classes of the rows the same dump shows, and the pit cells must say
what pits.csv says. A window set to one class shows that class's rows of the whole field, in its
order, placed within the class. The layout keeps the new columns and the class when the program writes
it back.

Usage: class_columns_test.py KAVENDOR KAVENDOR_FEED
"""
import csv
import os
import re
import subprocess
import sys
import tempfile

PROGRAM, FEED_TOOL = sys.argv[1:3]
ENV = dict(os.environ, QT_QPA_PLATFORM="offscreen")
STANDING_COLUMNS = [0, 2, 7, 8, 15, 17, 18, 19, 20, 21, 22, 23, 24]  # by standings
PRACTICE_COLUMNS = [0, 2, 11, 15, 17, 18, 19, 20]  # by best lap
failures = []


def layout_text(windows):
    sections = []
    for number, (kind, columns, *shown_class) in enumerate(windows, 1):
        rel = [f"ColRel{p}={c}" for p, c in enumerate(columns)] + [f"ColRel{len(columns)}=255"]
        rel += [f"Class={c}" for c in shown_class]
        sections.append(f"[ResultWin{number}]\r\nLayout={kind}\r\nWinExist=1\r\n" + "\r\n".join(rel) + "\r\n")
    return "".join(sections)


def seconds(text):
    """A time cell in seconds: 'H:MM:SS.fff', 'M:SS.fff' or 'SS.fff'; None for no time."""
    text = text.strip()
    if not re.fullmatch(r"[\d:.]+", text):
        return None
    total = 0.0
    for part in text.split(":"):
        total = total * 60 + float(part)
    return total


def distance(ahead, behind):
    """What a gap or interval cell must say of behind against ahead: laps behind, or the time."""
    if behind["laps"] < ahead["laps"]:
        laps = ahead["laps"] - behind["laps"]
        return f"+{laps} lap" + ("" if laps == 1 else "s")
    if ahead["time"] is None or behind["time"] is None:
        return "-----"
    return round(behind["time"] - ahead["time"], 3)


def same(cell, value):
    if isinstance(value, float):
        got = seconds(cell)
        return got is not None and abs(got - value) < 0.0005
    return cell.strip() == value


def check_rows(case, rows, by_best_lap):
    header, body = rows[0], [r for r in rows[1:] if r[1].strip()]
    col = {name: header.index(name) for name in header}
    cars, last_of_class, first_of_class = [], {}, {}
    for number, row in enumerate(body, 1):
        cls = row[col["Class"]].strip()
        if by_best_lap:
            car = {"laps": 0, "time": seconds(row[col["Best Laptime"]])}
        else:
            car = {"laps": int(row[col["Laps"]]), "time": seconds(row[col["Total time"]])}
        ahead_in_class = last_of_class.get(cls)
        expected = {
            "Cls Pos": str(sum(1 for c in cars if c["class"] == cls) + 1),
            "Int": "" if not cars else distance(cars[-1], car),
            "Cls Int": "" if ahead_in_class is None else distance(ahead_in_class, car),
        }
        leader = first_of_class.setdefault(cls, car)
        if leader is car:
            expected["Cls Diff"] = "" if by_best_lap else f">> {car['laps']} <<"
        else:
            expected["Cls Diff"] = distance(leader, car)
        for name, value in expected.items():
            if not same(row[col[name]], value):
                failures.append(f"{case} row {number} (car {row[col['Car']].strip()}): {name} "
                                f"shows {row[col[name]]!r}, the rows give {value!r}")
        car["class"] = cls
        cars.append(car)
        last_of_class[cls] = car
    if len(body) < 10:
        failures.append(f"{case}: only {len(body)} rows")
    return body, col


def check_pits(case, body, col, pits_file, feed):
    """pits.csv names each car by its registration number, the rows by its number: the feed's $A pairs them."""
    with open(feed, encoding="utf-8") as f:
        numbers = dict(re.findall(r'^\$A,"([^"]*)","([^"]*)"', f.read(), re.M))
    with open(pits_file, newline="", encoding="utf-8") as f:
        pits = {numbers.get(r["car"]): r for r in csv.DictReader(f)}
    stopped = 0
    for row in body:
        pit = pits.get(row[col["Car"]].strip())
        want = ["PIT" if pit and pit["in_pit"] == "yes" else "", pit["stops"] if pit else "0",
                pit["last_stop"].strip() if pit and pit["last_stop"] else "-----", pit["laps_in_stint"] if pit else None]
        got = [row[col[name]].strip() for name in ("Pit", "Stops", "Last stop", "Stint")]
        if want[3] is None:
            want[3] = row[col["Laps"]].strip()
        if got != want:
            failures.append(f"{case} car {row[col['Car']].strip()}: pit cells {got}, pits.csv {want}")
        stopped += pit is not None and int(pit["stops"]) > 0
    if stopped == 0:
        failures.append(f"{case}: no car made a pit stop, so the pit cells were not tried")


def run(root, case, feed_arguments, windows):
    feed = os.path.join(root, case + ".feed")
    subprocess.run([FEED_TOOL, "simulate", "--out", feed, *feed_arguments], check=True, env=ENV,
                   stdout=subprocess.DEVNULL)
    layout = os.path.join(root, case + ".kvl")
    with open(layout, "w", encoding="latin-1", newline="") as f:
        f.write(layout_text(windows))
    out = os.path.join(root, case)
    done = subprocess.run([PROGRAM, "--config-dir", os.path.join(root, case + "-config"), "--layout", layout,
                           "--replay", feed, "--dump", out], env=ENV, capture_output=True, text=True, timeout=600)
    if done.returncode != 0:
        sys.exit(f"{case}: kavendor exited {done.returncode}: {done.stderr.strip()}")
    with open(layout, encoding="latin-1") as f:
        kept = f.read()
    for number, (_, columns, *shown_class) in enumerate(windows, 1):
        section = kept.split(f"[ResultWin{number}]")[1].split("[")[0]
        if [int(v) for v in re.findall(r"^ColRel\d+=(\d+)", section, re.M)][: len(columns)] != columns:
            failures.append(f"{case}: window {number}'s columns not kept in the layout written back")
        if re.findall(r"^Class=(.*)$", section, re.M) != shown_class:
            failures.append(f"{case}: window {number}'s class not kept as it was in the layout written back")

    def rows(number):
        with open(os.path.join(out, f"ResultWin{number}.csv"), newline="", encoding="utf-8") as f:
            return list(csv.reader(f))
    return out, rows


def main():
    with tempfile.TemporaryDirectory(prefix="kavendor-class-") as root:
        out, rows = run(root, "race", ["--cars", "30", "--laps", "25", "--seed", "11", "--pit-loops",
                                       "--corrections", "--penalties"],
                        [(4, STANDING_COLUMNS), (1, STANDING_COLUMNS), (2, PRACTICE_COLUMNS),
                         (4, STANDING_COLUMNS, "cup series")])
        body, col = check_rows("current race", rows(1), False)
        in_class = [[r[col["Cls Pos"]]] + r[1:] for r in body if r[col["Class"]].strip() == "Cup Series"]
        if [r for r in rows(4)[1:] if r[1].strip()] != in_class or len(in_class) < 5:
            failures.append(f"the Cup Series window shows {rows(4)[1:4]}..., not the class's rows {in_class[:3]}...")
        if not any("lap" in r[col["Int"]] for r in body):
            failures.append("race: no lapped car, so laps behind were not tried")
        if len({r[col["Class"]] for r in body}) < 2:
            failures.append("race: one class only")
        check_pits("current race", body, col, os.path.join(out, "pits.csv"), out + ".feed")
        check_rows("completed lap after the finish", rows(2), False)
        check_rows("best laps of the race", rows(3), True)
        _, rows = run(root, "practice", ["--cars", "16", "--laps", "6", "--practice", "--seed", "4"],
                      [(2, PRACTICE_COLUMNS)])
        check_rows("practice", rows(1), True)
    for failure in failures[:30]:
        print(failure, file=sys.stderr)
    if failures:
        sys.exit(f"{len(failures)} failures")
    print("class columns ok")


main()
