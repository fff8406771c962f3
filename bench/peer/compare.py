#!/usr/bin/env python3
"""Runs LumTools' benchmarks and their Qt 6 Widgets counterparts, and prints one table of the
medians: work | LumTools | Qt | ratio (LumTools / Qt).

usage: compare.py BENCH_DIR [--repetitions N]
BENCH_DIR holds lum_bench and lum_peer_bench (build/release/bench).
"""

import json
import os
import subprocess
import sys

# work, LumTools' benchmark (the first of the names that exists), Qt's benchmark, and
# whether the time is wall-clock (the work is in a child process) rather than CPU time.
ROWS = [
    ("solid fill of 1024 × 768", ["BM_GdiFillRect1024x768", "BM_GdiFillRect"],
     "BM_QtFillRect1024x768", False),
    ("40-character text", ["BM_TextOut40Characters"], "BM_QtText40Characters", False),
    ("one random line on 1024 × 768", ["BM_GdiRandomLines"], "BM_QtRandomLines", False),
    ("repaint of a 500-control form", ["BM_RepaintFormOf500Controls"],
     "BM_QtRepaintFormOf500Controls", False),
    ("repaint of one windowed child among 500", ["BM_RepaintOneWindowedControlAmong500"],
     "BM_QtRepaintOneWindowedControlAmong500", False),
    ("repaint of one windowless child among 500",
     ["BM_RepaintOneWindowlessChildAmong500", "BM_RepaintOneWindowlessControlAmong500"],
     "BM_QtRepaintOneWindowlessControlAmong500", False),
    ("10,000 sorted adds to a list box", ["BM_ListBoxAddTenThousandSortedStrings"],
     "BM_QtListAddTenThousandSortedStrings", False),
    ("100,000 sorted adds to a list box", ["BM_ListBoxAddHundredThousandSortedStrings"],
     "BM_QtListAddHundredThousandSortedStrings", False),
    ("100,000 unsorted adds, no update bracket", ["BM_ListBoxAddHundredThousandStringsNoBracket"],
     "BM_QtListAddHundredThousandStringsNoBracket", False),
    ("full repaint of a 10,000-item list box", ["BM_ListBoxRepaintWithTenThousandItems"],
     "BM_QtListRepaintWithTenThousandItems", False),
    ("full repaint of a 100,000-item list box", ["BM_ListBoxRepaintWithHundredThousandItems"],
     "BM_QtListRepaintWithHundredThousandItems", False),
    ("start-up to first frame, hello world", ["BM_StartupHelloWorldToFirstFrame"],
     "BM_QtStartupHelloWorldToFirstFrame", True),
]

UNIT_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def run(program, names, repetitions):
    """The median seconds of each benchmark of `names` the program has, by name."""
    if not os.path.exists(program):
        sys.exit(f"compare.py: {program} is missing; build the Release tree first")
    pattern = "^(" + "|".join(names) + ")(/real_time)?$"
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    result = subprocess.run(
        [program, f"--benchmark_filter={pattern}", f"--benchmark_repetitions={repetitions}",
         "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
        env=env, capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"compare.py: {program} failed:\n{result.stderr}")
    medians = {}
    for b in json.loads(result.stdout)["benchmarks"]:
        if b.get("aggregate_name") != "median" or b.get("error_occurred"):
            continue
        scale = UNIT_SECONDS[b["time_unit"]]
        name = b["run_name"].removesuffix("/real_time")
        medians[name] = (b["real_time"] * scale, b["cpu_time"] * scale)
    return medians


def shown(seconds):
    if seconds is None:
        return "—"
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if seconds >= scale:
            return f"{seconds / scale:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"


def pick(medians, name, wall):
    times = medians.get(name)
    return None if times is None else times[0 if wall else 1]


def main(argv):
    if not argv or argv[0].startswith("-"):
        sys.exit(__doc__)
    bench_dir = argv[0]
    repetitions = int(argv[argv.index("--repetitions") + 1]) if "--repetitions" in argv else 5
    ours = run(os.path.join(bench_dir, "lum_bench"),
               [name for _, names, _, _ in ROWS for name in names], repetitions)
    qt = run(os.path.join(bench_dir, "lum_peer_bench"), [row[2] for row in ROWS], repetitions)
    print("| work | LumTools | Qt | ratio |")
    print("|---|---|---|---|")
    for work, names, qt_name, wall in ROWS:
        mine = next((pick(ours, n, wall) for n in names if n in ours), None)
        theirs = pick(qt, qt_name, wall)
        ratio = f"{mine / theirs:.2f}" if mine is not None and theirs else "—"
        print(f"| {work} | {shown(mine)} | {shown(theirs)} | {ratio} |")
    print(f"\nmedians of {repetitions} repetitions; CPU time, wall-clock for start-up")


if __name__ == "__main__":
    main(sys.argv[1:])
