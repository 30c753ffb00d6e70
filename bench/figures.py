#!/usr/bin/env python3
"""The benchmark figures in one short table: each benchmark's median over
repeated runs with its spread (the smallest and largest run), and whole
processes of the command-line tools timed the same way, each beside its target.

Run through the build's `bench_figures` target, or by hand:
    bench/figures.py BUILD_DIR [--repetitions N]
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

GOODS = "Goods 0-6-0 slide valve"

# (binary, benchmark name, what it times, target in milliseconds or None)
BENCHMARKS = [
    ("gear_bench", "BM_CrankSweep/0/20", "one exact sweep, Goods at 20 deg", 0.100),
    ("gear_bench", "BM_CrankSweep/1/-30", "one exact sweep, Low shaft at -30 deg", 0.150),
    ("gear_bench", "BM_QuadrantStudy121/2/real_time", "quadrant study, 121 notches, 2 threads", 8.0),
    ("design_bench", "BM_GoodsProposal/iterations:1/real_time", "default Goods proposal", 500.0),
    ("review_bench", "BM_GoodsChecksAndSensitivities/iterations:1/real_time",
     "review checks and sensitivities, Goods", 250.0),
    ("review_bench", "BM_GoodsFixes/iterations:1/real_time", "review fixes, Goods", 600.0),
    ("setting_bench", "BM_SettingFitAndCorrections/0/real_time",
     "valve-setting fit and corrections, Goods", 500.0),
]

# (what it times, arguments after the build folder's cli/, target in milliseconds)
PROCESSES = [
    ("zovuderiz-sweep --range auto:1 --set 25, Goods", ["zovuderiz-sweep", "--range", "auto:1", "--set", "25", GOODS], 12.0),
    ("zovuderiz-design --set 25, Goods", ["zovuderiz-design", "--set", "25", GOODS], 1000.0),
]


def benchmark_runs(binary, names, repetitions):
    """Every repetition's real time in milliseconds, by benchmark name."""
    pattern = "^(" + "|".join(n.split("/")[0] for n in names) + ")(/|$)"
    out = subprocess.run([binary, "--benchmark_filter=" + pattern, "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % repetitions],
                         check=True, capture_output=True, text=True).stdout
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    runs = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        runs.setdefault(b["run_name"], []).append(b["real_time"] * scale[b["time_unit"]])
    return runs


def process_runs(command, data_file, repetitions):
    """Wall time in milliseconds of each whole run, in a scratch folder."""
    times = []
    with tempfile.TemporaryDirectory() as folder:
        for _ in range(repetitions):
            start = time.perf_counter()
            subprocess.run(command[:1] + ["--data", data_file] + command[1:], cwd=folder, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            times.append((time.perf_counter() - start) * 1e3)
    return times


def row(what, times, target):
    median = statistics.median(times)
    verdict = "" if target is None else ("met" if median <= target else "NOT MET")
    limit = "" if target is None else "%.3g" % target
    return "%-44s %10.4g %10.4g %10.4g %8s %s" % (what, median, min(times), max(times), limit, verdict)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--data", default=os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                        "..", "examples", "ste_data.dat"))
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    repetitions = max(5, args.repetitions)
    print("%-44s %10s %10s %10s %8s" % ("figure (milliseconds)", "median", "least", "most", "target"))
    by_binary = {}
    for binary, name, what, target in BENCHMARKS:
        by_binary.setdefault(binary, []).append((name, what, target))
    for binary, rows in by_binary.items():
        path = os.path.join(args.build, "bench", binary)
        if not os.path.exists(path):
            for _, what, _ in rows:
                print("%-44s %s" % (what, "(no " + binary + " in this build)"))
            continue
        runs = benchmark_runs(path, [n for n, _, _ in rows], repetitions)
        for name, what, target in rows:
            if name in runs:
                print(row(what, runs[name], target))
            else:
                print("%-44s %s" % (what, "(not run: no benchmark " + name + ")"))
    for what, command, target in PROCESSES:
        command = [os.path.join(args.build, "cli", command[0])] + command[1:]
        print(row(what, process_runs(command, os.path.abspath(args.data), repetitions), target))
    return 0


if __name__ == "__main__":
    sys.exit(main())
