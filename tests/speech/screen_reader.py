#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader hears the game cleanly: the game played by keyboard on a virtual display
with Orca listening, judged by what Orca's debug output says it spoke. No window is called
by its internal name ("frm…"); after the empty-name message the name box is heard again;
player 2's prompt is heard; a question is heard once, when its dialog opens, with its four
answers, and an arrow key then says only "Antwort 2 von 4: …".

Usage: screen_reader.py GAME DATABASE   (exit 77: Orca, Xvfb or xdotool missing, skipped)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

game, database = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
for tool in ("orca", "Xvfb", "dbus-daemon", "xdotool", "speech-dispatcher"):
    if not shutil.which(tool):
        print(f"{tool} fehlt: übersprungen")
        sys.exit(77)

# Keys pressed (or "type:" text typed), then what Orca must say next.
STEPS = [
    ([], r"^Name von Spieler 1 ", "das Namensfeld von Spieler 1"),
    (["Return"], r"Bitte gib einen Namen ein!", "die Meldung zum leeren Namen"),
    (["Return"], r"^Name von Spieler 1 ", "das Namensfeld nach der Meldung"),
    (["type:Anna", "Return"], r"^Name von Spieler 2 ", "das Namensfeld von Spieler 2"),
    ([], r"^Bitte gib den Namen von Spieler 2 ein!", "die Aufforderung an Spieler 2"),
    (["type:Ben", "Return"], r"Bitte wähle dein Auto aus, Anna!", "die Autowahl von Anna"),
    (["Return"], r"Bitte wähle dein Auto aus, Ben!", "die Autowahl von Ben"),
    (["Return"], r" ist dran: ", "den Zug auf dem Spielfeld"),
    (["Return"], r"Schwierigkeitsgrad der Frage wählen", "die Wahl leicht oder schwer"),
    (["Return"], r"Frage für 2 Liter: .* Antwort 4: ", "die Frage mit ihren Antworten"),
    ([], r"^Antwort 1 von 4: ", "die erste Antwort"),
    (["Right"], r"^Antwort 2 von 4: ", "die zweite Antwort"),
]

tmp = tempfile.mkdtemp(prefix="tj-orca-")
debug = os.path.join(tmp, "orca.debug")
procs = []
# A private display, session bus and home: Orca's settings and those of its speech service
# (which speaks into nothing) are its own.
env = dict(os.environ, HOME=tmp, XDG_RUNTIME_DIR=tmp, XDG_CONFIG_HOME=os.path.join(tmp, ".config"),
           LANG="C.UTF-8", QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
env.pop("AT_SPI_BUS_ADDRESS", None)  # with it set, Qt 6.4 does not register on the bus
os.makedirs(os.path.join(tmp, ".config", "speech-dispatcher"))
with open("/etc/speech-dispatcher/speechd.conf") as src, \
        open(os.path.join(tmp, ".config", "speech-dispatcher", "speechd.conf"), "w") as dst:
    dst.write(re.sub(r"(?m)^#?\s*AudioOutputMethod.*$", 'AudioOutputMethod "alsa"', src.read()))
with open(os.path.join(tmp, ".asoundrc"), "w") as f:
    f.write("pcm.!default { type null }\n")


def start(args, out=subprocess.DEVNULL, **kw):
    procs.append(subprocess.Popen(args, stdout=out, stderr=subprocess.DEVNULL, env=env, **kw))
    return procs[-1]


def spoken():
    if not os.path.exists(debug):
        return []
    with open(debug, encoding="utf-8", errors="replace") as f:
        return re.findall(r"SPEECH OUTPUT: '(.*?)'\s*\{", f.read(), re.S)


def fail(why):
    sys.exit("FAIL: " + why + "\nOrca sprach:\n  " + "\n  ".join(spoken()))


def hear(pattern, after, what):
    """The number of lines up to the first one beyond `after` that matches `pattern`."""
    end = time.time() + 40
    while time.time() < end:
        lines = spoken()
        for i in range(after, len(lines)):
            if re.search(pattern, lines[i]):
                return i + 1
        for p, who in ((app, "das Spiel"), (orca, "Orca")):  # Orca will not start beside another Orca
            if p.poll() is not None:
                fail(f"{who} endete vor: {what}")
        time.sleep(0.2)
    fail("nicht gehört: " + what)


try:
    r, w = os.pipe()
    start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24", "-nolisten", "tcp"], pass_fds=[w])
    os.close(w)
    env["DISPLAY"] = ":" + os.read(r, 16).decode().strip()
    bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], out=subprocess.PIPE, text=True)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    # Orca writes its debug file line by line only when the file is opened so.
    orca = start(["/usr/bin/python3", "-c", "import builtins, runpy, sys\n"
                  "o = builtins.open\n"
                  "builtins.open = lambda f, m='r', *a, **k: o(f, m, *a, **dict(k, buffering=1) if 'w' in m else k)\n"
                  f"sys.argv = ['orca', '--debug-file={debug}']\n"
                  "runpy.run_path('/usr/bin/orca', run_name='__main__')\n"])
    app = start([game, "--fragen", database], cwd=os.path.dirname(game))
    n = 0
    for keys, pattern, what in STEPS:
        for k in keys:
            cmd = ["type", k[5:]] if k.startswith("type:") else ["key", k]
            subprocess.run(["xdotool", cmd[0], "--delay", "60", cmd[1]], env=env, check=True)
        n = hear(pattern, n, what)
        if what == "die Frage mit ihren Antworten":
            question = re.search(r"Frage für 2 Liter: (.*?) Antwort 1: ", spoken()[n - 1]).group(1)
    time.sleep(1.5)  # anything Orca adds to the second answer
    lines = spoken()
    if sum(question in line for line in lines) != 1:
        fail("die Frage wurde nicht genau einmal gesagt: " + question)
    if [line for line in lines if "frm" in line]:
        fail("interne Namen gesprochen")
    print(f"Orca: {len(lines)} Ansagen, Frage einmal, zweiter Name und Namensfeld nach der Meldung gehört")
finally:
    pid = os.path.join(tmp, "speech-dispatcher", "pid", "speech-dispatcher.pid")
    if os.path.exists(pid):
        subprocess.run(["kill", open(pid).read().strip()], stderr=subprocess.DEVNULL)
    for p in reversed(procs):
        p.terminate()
        try:
            p.wait(5)
        except subprocess.TimeoutExpired:
            p.kill()
    shutil.rmtree(tmp, ignore_errors=True)
