#!/usr/bin/env python3
"""Runs every benchmark of Tank Jagd and prints one table, each figure beside its reference.

Usage: bench/run.py [BUILD_DIR]   (default: build)
Figures are printed, never asserted. Uses Qt's offscreen platform unless DISPLAY is set
and TJ_BENCH_DISPLAY=1.
"""
import os
import statistics
import subprocess
import sys
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
bindir = os.path.join(build, "bin")
env = dict(os.environ)
if env.get("TJ_BENCH_DISPLAY") != "1":
    env["QT_QPA_PLATFORM"] = "offscreen"
rows = []


def first_frame(exe, runs=15):
    """Median time from spawning `exe` to its first painted frame, and its peak RSS."""
    times, rss = [], []
    for _ in range(runs):
        t0 = time.monotonic_ns()
        out = subprocess.run([exe], env=env, capture_output=True, text=True, timeout=60).stdout
        line = next(l for l in out.splitlines() if l.startswith("FRAME "))
        _, t, kb = line.split()
        times.append((int(t) - t0) / 1e6)
        rss.append(int(kb) / 1024)
    return statistics.median(times), statistics.median(rss)


def run_lines(exe, *args):
    """Runs a benchmark program that prints 'name<TAB>value<TAB>unit<TAB>reference<TAB>target' lines."""
    out = subprocess.run([exe, *args], env=env, capture_output=True, text=True, timeout=600).stdout
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) == 5:
            rows.append(parts)


game = os.path.join(bindir, "tankjagd-startprobe")
bare = os.path.join(bindir, "bare-label")
if os.path.exists(game) and os.path.exists(bare):
    first_frame(bare, 2)  # warm the caches of both
    first_frame(game, 2)
    bt, bm = first_frame(bare)
    gt, gm = first_frame(game)
    rows.append(["start to first countdown frame", f"{gt:.1f}", "ms", f"{bt:.1f} ms (bare Qt label)", f"{gt / bt:.2f}x (target <= 2x)"])
    rows.append(["peak memory at first frame", f"{gm:.1f}", "MiB", f"{bm:.1f} MiB (bare Qt label)", f"{gm / bm:.2f}x (target <= 1.5x)"])

for name in ("bench-drive-out", "bench-game"):
    exe = os.path.join(bindir, name)
    if os.path.exists(exe):
        run_lines(exe)

widths = [max(len(r[i]) for r in rows + [["figure", "value", "unit", "reference", "ratio / target"]]) for i in range(5)]
header = ["figure", "value", "unit", "reference", "ratio / target"]
print(" | ".join(h.ljust(w) for h, w in zip(header, widths)))
print("-+-".join("-" * w for w in widths))
for r in rows:
    print(" | ".join(c.ljust(w) for c, w in zip(r, widths)))
