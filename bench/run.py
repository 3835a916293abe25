#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs every benchmark of Tank Jagd and prints one table, each figure beside its reference.

Usage: bench/run.py [BUILD_DIR] [--quick]   (default: build)
Build first: cmake --build BUILD_DIR --target benchmarks (a Release build for real figures).
Figures are printed, never asserted. Uses Qt's offscreen platform unless DISPLAY is set
and TJ_BENCH_DISPLAY=1. --quick idles 1 s instead of 10 s and plays fewer runs.
When pulseaudio is installed, the games play their sounds into a private null sink.
"""
import atexit
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

args = [a for a in sys.argv[1:] if not a.startswith("--")]
quick = "--quick" in sys.argv
build = args[0] if args else "build"
bindir = os.path.abspath(os.path.join(build, "bin"))
env = dict(os.environ)
if env.get("TJ_BENCH_DISPLAY") != "1" or not env.get("DISPLAY"):
    env["QT_QPA_PLATFORM"] = "offscreen"
idle_ms = 1000 if quick else 10000
rows = []


def sound_server():
    """A private pulseaudio with a null sink for the runs with sound; the name of what plays."""
    if not shutil.which("pulseaudio"):
        return "no sound server (pulseaudio missing): sounds silent"
    tmp = tempfile.mkdtemp(prefix="tj-bench-pulse-")
    sock = os.path.join(tmp, "native")
    proc = subprocess.Popen(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                             "-L", "module-null-sink", "-L", f"module-native-protocol-unix socket={sock}"],
                            env=dict(env, HOME=tmp, XDG_RUNTIME_DIR=tmp), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    atexit.register(lambda: (proc.terminate(), proc.wait(), shutil.rmtree(tmp, ignore_errors=True)))
    for _ in range(50):
        if os.path.exists(sock):
            break
        time.sleep(0.1)
    env["PULSE_SERVER"] = "unix:" + sock
    return "sounds played into a pulseaudio null sink"


sound = sound_server()


def exe(name):
    path = os.path.join(bindir, name)
    if not os.path.exists(path):
        print(f"# {name} is missing: cmake --build {build} --target benchmarks", file=sys.stderr)
        return None
    return path


def keyed(out):
    """'KEY v1 v2 ...' lines of a benchmark's output as a dict of lists of strings."""
    return {parts[0]: parts[1:] for parts in (l.split() for l in out.splitlines()) if parts}


def run(path, *a, timeout=600):
    return subprocess.run([path, *a], env=env, capture_output=True, text=True, timeout=timeout, cwd=bindir).stdout


def first_frame(path, runs):
    """Median time from spawning `path` to its first painted frame."""
    times = []
    for _ in range(runs):
        t0 = time.monotonic_ns()
        out = subprocess.run([path], env=env, capture_output=True, text=True, timeout=60, cwd=bindir).stdout
        _, t, _ = next(l for l in out.splitlines() if l.startswith("FRAME ")).split()
        times.append((int(t) - t0) / 1e6)
    return statistics.median(times)


def ratio(value, ref, target):
    return f"{value / ref:.2f}x (target <= {target})" if ref > 0 else f"(target <= {target})"


def tab_rows(out):
    """Rows of 'name<TAB>value<TAB>unit<TAB>reference<TAB>ratio/target' lines."""
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) == 5 and not line.startswith("#"):
            rows.append(parts)
        elif line.startswith("#"):
            print(line)


bare, probe, game = exe("bare-label"), exe("tankjagd-startprobe"), exe("bench-game")

if bare and probe:
    runs = 5 if quick else 15
    first_frame(bare, 2)  # warm the caches of both
    first_frame(probe, 2)
    bt, gt = first_frame(bare, runs), first_frame(probe, runs)
    # The sound layer is part of the game but loads nothing before the first sound.
    rows.append(["start to first countdown frame (median)", f"{gt:.1f}", "ms", f"{bt:.1f} ms bare Qt label", ratio(gt, bt, "2x")])

bare_idle = keyed(run(bare, "--idle", str(idle_ms))) if bare else {}
bare_cpu = float(bare_idle.get("IDLE", ["nan"])[0])
bare_rss = int(bare_idle.get("PEAKRSS", ["0"])[0]) / 1024

if game:
    out = run(game, "1" if quick else "3", str(idle_ms))
    g = keyed(out)
    if "GAMES" in g:
        print("# real front end: " + " ".join(g["GAMES"]) + "; " + sound)
    rss = int(g.get("PEAKRSS", ["0"])[0]) / 1024
    rows.append(["peak memory, whole scripted games", f"{rss:.1f}", "MiB", f"{bare_rss:.1f} MiB bare Qt label", ratio(rss, bare_rss, "1.5x")])
    silent = keyed(run(game, "1" if quick else "3", str(idle_ms), "silent"))
    silent_rss = int(silent.get("PEAKRSS", ["0"])[0]) / 1024
    rows.append(["peak memory the sounds add (vs games, Ton off)", f"{rss - silent_rss:+.1f}", "MiB",
                 f"{silent_rss:.1f} MiB silent, {bare_rss:.1f} MiB bare Qt", "target <= +3 MiB"])
    for key, what in (("IDLE_BOARD", "board"), ("IDLE_QUESTION", "question dialog")):
        cpu = float(g.get(key, ["nan"])[0])
        rows.append([f"CPU while waiting {idle_ms // 1000} s on the {what}", f"{cpu:.3f}", "% core",
                     f"{bare_cpu:.3f} % bare Qt label idle", "target < 1 %"])
    n, median, p99, worst = g.get("DIE_TO_PAINT", ["0", "0", "0", "0"])
    rows.append([f"die click to repainted board, median of {n}", median, "ms", f"max {worst} ms, p99 {p99} ms", "target <= 16.7 ms"])

speech = exe("bench-speech")
if speech and shutil.which("speech-dispatcher") and "PULSE_SERVER" in env:
    # "Vorlesen": speech-dispatcher started for the game with a home of its own, stopped at the end.
    home = tempfile.mkdtemp(prefix="tj-bench-speech-")
    speech_env = dict(env, HOME=home, XDG_RUNTIME_DIR=home, XDG_CONFIG_HOME=os.path.join(home, ".config"))

    def stop_speechd():
        pid = os.path.join(home, "speech-dispatcher", "pid", "speech-dispatcher.pid")
        if os.path.exists(pid):
            subprocess.run(["kill", open(pid).read().strip()], stderr=subprocess.DEVNULL)
        shutil.rmtree(home, ignore_errors=True)

    atexit.register(stop_speechd)
    database = os.path.join(bindir, "mdbZielflagge.mdb")
    runs = "3" if quick else "10"

    lines = subprocess.run([speech, database, "on", runs], env=speech_env, capture_output=True, text=True,
                           timeout=600, cwd=bindir).stdout.splitlines()
    frames = [float(l.split()[1]) for l in lines if l.startswith("FRAME_TO_SOUND ") and l.split()[1] != "none"]
    says = [float(l.split()[1]) for l in lines if l.startswith("SAY_TO_SOUND ")]
    if frames and says:
        rows.append([f"question's first frame to first sound, median of {len(frames)}",
                     f"{statistics.median(frames):.0f}", "ms",
                     f"{statistics.median(says):.0f} ms text straight to the voice", "target < 400 ms"])
        rows.append([f"question's first frame to first sound, worst of {len(frames)}", f"{max(frames):.0f}", "ms",
                     f"{max(says):.0f} ms text straight to the voice", "target < 400 ms"])
    quiet = [float(l.split()[1]) for l in lines if l.startswith("OFF_TO_QUIET ")]
    if quiet:
        rows.append(["Vorlesen switched off to silence", f"{quiet[0]:.0f}", "ms", "while a question is read",
                     "at once"])
    if game:
        # Whole games, as for the figures above, with "Vorlesen" on against off (sounds on in both).
        spoken = keyed(subprocess.run([game, "1" if quick else "3", str(idle_ms), "vorlesen"], env=speech_env,
                                      capture_output=True, text=True, timeout=900, cwd=bindir).stdout)
        spoken_rss = int(spoken.get("PEAKRSS", ["0"])[0]) / 1024
        rows.append(["peak memory Vorlesen adds (games, vs off)", f"{spoken_rss - rss:+.1f}", "MiB",
                     f"{rss:.1f} MiB Vorlesen off", "target <= +8 MiB"])

drive = exe("bench-drive-out")
if drive:
    tab_rows(run(drive, "5" if quick else "20"))

model = exe("bench-model-games")
if model:
    tab_rows(run(model, "50" if quick else "500"))

draw = exe("bench-draw")
if draw:
    tab_rows(run(draw, "2000" if quick else "10000"))

importer = exe("bench-import")
if importer:
    tab_rows(run(importer, "2000" if quick else "10000"))

sets = exe("bench-question-sets")
if sets:
    tab_rows(run(sets, "3" if quick else "7"))

platform = "Xvfb (xcb)" if env.get("QT_QPA_PLATFORM") != "offscreen" else "offscreen"
print(f"# platform: {platform}; build: {build}")
header = ["figure", "value", "unit", "reference (same run)", "ratio / target"]
widths = [max(len(r[i]) for r in rows + [header]) for i in range(5)]
print(" | ".join(h.ljust(w) for h, w in zip(header, widths)).rstrip())
print("-+-".join("-" * w for w in widths))
for r in rows:
    print(" | ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip())
