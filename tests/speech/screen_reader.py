#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader hears the game cleanly: the game played by keyboard on a virtual display
with Orca listening, judged by what Orca's debug output says it spoke.

- no window is announced by its internal name ("frm…");
- after an empty name and its message, the name box is heard again;
- the prompt for player 2's name is heard;
- a question is heard once, when its dialog opens, with its four answers; an arrow key
  then says only "Antwort 2 von 4: …".

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

tmp = tempfile.mkdtemp(prefix="tj-orca-")
procs = []


def start(args, **kw):
    p = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
    procs.append(p)
    return p


def cleanup():
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


def fail(why):
    print("FAIL: " + why)
    print("Orca sprach:\n  " + "\n  ".join(spoken()))
    sys.exit(1)


# A private display, session bus and home: Orca's settings and its speech service's (which
# speaks into nothing) are its own.
env = dict(os.environ, HOME=tmp, XDG_RUNTIME_DIR=tmp, XDG_CONFIG_HOME=os.path.join(tmp, ".config"),
           LANG="C.UTF-8", QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
env.pop("AT_SPI_BUS_ADDRESS", None)  # with it set, Qt 6.4 does not register on the bus
os.makedirs(os.path.join(tmp, ".config", "speech-dispatcher"))
with open("/etc/speech-dispatcher/speechd.conf") as src, \
        open(os.path.join(tmp, ".config", "speech-dispatcher", "speechd.conf"), "w") as dst:
    dst.write(re.sub(r"(?m)^#?\s*AudioOutputMethod.*$", 'AudioOutputMethod "alsa"', src.read()))
with open(os.path.join(tmp, ".asoundrc"), "w") as f:
    f.write("pcm.!default { type null }\n")

try:
    r, w = os.pipe()
    start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x800x24", "-nolisten", "tcp"], pass_fds=[w])
    os.close(w)
    env["DISPLAY"] = ":" + os.read(r, 16).decode().strip()
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, env=env, text=True)
    procs.append(bus)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()

    debug = os.path.join(tmp, "orca.debug")
    # Orca writes its debug file line by line only when the file is opened so.
    launcher = ("import builtins, runpy, sys\n"
                "o = builtins.open\n"
                "builtins.open = lambda f, m='r', *a, **k: o(f, m, *a, **dict(k, buffering=1) if 'w' in m else k)\n"
                f"sys.argv = ['orca', '--debug-file={debug}']\n"
                "runpy.run_path('/usr/bin/orca', run_name='__main__')\n")
    orca_log = open(os.path.join(tmp, "orca.log"), "w")
    orca = subprocess.Popen(["/usr/bin/python3", "-c", launcher], env=env, stdout=orca_log, stderr=subprocess.STDOUT)
    procs.append(orca)
    app = start([game, "--fragen", database], env=env, cwd=os.path.dirname(game))


    def spoken():
        try:
            with open(debug, encoding="utf-8", errors="replace") as f:
                return [m.group(1) for m in re.finditer(r"SPEECH OUTPUT: '(.*?)'\s*\{", f.read(), re.S)]
        except FileNotFoundError:
            return []


    def hear(pattern, after, what, timeout=20):
        """Waits until Orca says something matching `pattern` beyond the first `after` lines."""
        end = time.time() + timeout
        while time.time() < end:
            lines = spoken()
            for i in range(after, len(lines)):
                if re.search(pattern, lines[i]):
                    return i + 1
            if app.poll() is not None:
                fail(f"das Spiel endete ({app.returncode}) vor: {what}")
            if orca.poll() is not None:  # e.g. another Orca of this user runs: it will not start twice
                fail("Orca endete: " + open(os.path.join(tmp, "orca.log")).read()[-300:])
            time.sleep(0.2)
        fail("nicht gehört: " + what)


    def key(*keys):
        subprocess.run(["xdotool", "key", "--delay", "60", *keys], env=env, check=True)


    def typed(text):
        subprocess.run(["xdotool", "type", "--delay", "60", text], env=env, check=True)


    n = hear(r"^Name von Spieler 1 ", 0, "das Namensfeld von Spieler 1", timeout=40)
    key("Return")
    n = hear(r"Bitte gib einen Namen ein!", n, "die Meldung zum leeren Namen")
    key("Return")
    n = hear(r"^Name von Spieler 1 ", n, "das Namensfeld nach der Meldung")
    typed("Anna")
    key("Return")
    n = hear(r"^Bitte gib den Namen von Spieler 2 ein!", hear(r"^Name von Spieler 2 ", n, "Namensfeld 2"),
             "die Aufforderung an Spieler 2")
    typed("Ben")
    key("Return")
    n = hear(r"Bitte wähle dein Auto aus, Anna!", n, "die Autowahl")
    key("Return")
    n = hear(r"Bitte wähle dein Auto aus, Ben!", n, "die Autowahl von Ben")
    key("Return")
    n = hear(r" ist dran: ", n, "der Zug auf dem Spielfeld")
    key("Return")
    n = hear(r"Schwierigkeitsgrad der Frage wählen", n, "die Wahl leicht oder schwer")
    key("Return")
    q = hear(r"Frage für 2 Liter: .* Antwort 4: ", n, "die Frage mit ihren Antworten")
    question = re.search(r"Frage für 2 Liter: (.*?) Antwort 1: ", spoken()[q - 1]).group(1)
    n = hear(r"^Antwort 1 von 4: ", q - 1, "die erste Antwort")
    key("Right")
    n = hear(r"^Antwort 2 von 4: ", n, "die zweite Antwort")
    time.sleep(1.5)  # anything Orca adds to the second answer
    lines = spoken()
    if any(question in line for line in lines[n - 1:]):
        fail("die Frage wurde bei der zweiten Antwort wiederholt")
    if sum(question in line for line in lines) != 1:
        fail("die Frage wurde nicht genau einmal gesagt: " + question)
    internal = [line for line in lines if "frm" in line]
    if internal:
        fail("interne Namen gesprochen: " + "; ".join(internal))
    print(f"Orca: {len(lines)} Ansagen, Frage einmal, zweiter Name und Namensfeld nach der Meldung gehört")
finally:
    cleanup()
