#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""windriver: runs the game's programs on a virtual X display and uses them as a person with a
screen reader does. Windows are read and pressed through the accessibility bus (AT-SPI, with
Debian's python3-pyatspi), keys typed with xdotool.

Each step is its own command; the session (display, buses, programs) is kept in
/tmp/windriver-NAME.json, NAME from --name or $WINDRIVER_NAME (default "default").

  windriver.py start [--size 1280x800]     virtual display, session bus, accessibility bus
  windriver.py run [--cwd DIR] -- PROG ARG...  starts PROG, waits until it is on the bus
  windriver.py tree [--app NAME]            showing elements: role "name" desc="…" [states] text="…"
  windriver.py click ROLE NAME [--mouse]    presses a showing, enabled element (not behind a modal window);
                                            --mouse clicks its centre with the pointer instead
  windriver.py wait ROLE NAME [--gone]      until the element shows (or has gone)
  windriver.py text ROLE                    the name of every showing element of ROLE, one a line
  (click and wait: --nth K takes the K-th match in tree order, --contains matches a part of the
   name, --app NAME looks at one program only)
  windriver.py type TEXT / key KEY...       keys to the program's focused (or topmost) window
  windriver.py status                       each program: "running" or "exited with code N"
  windriver.py env                          export lines for a shell: eval "$(windriver.py env)"
  windriver.py shot FILE.png                screenshot of the display
  windriver.py stop                         ends the recorded processes; logs stay in /tmp/windriver-NAME.d

Exit status: 0 done, 1 not found in time or failed, 2 no session or wrong use.
"""
import argparse
import json
import os
import signal
import subprocess
import sys
import time
import unicodedata

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PRESS_ACTIONS = ("press", "click", "activate", "toggle", "open", "setfocus")


class Failure(Exception):
    def __init__(self, message, status=1):
        super().__init__(message)
        self.status = status


def session_name(a):
    return a.session or os.environ.get("WINDRIVER_NAME") or "default"


def state_file(name):
    return f"/tmp/windriver-{name}.json"


def load(name):
    try:
        with open(state_file(name)) as f:
            return json.load(f)
    except OSError:
        raise Failure(f"no session {name!r}: run `start` first", 2)


def save(st):
    tmp = state_file(st["name"]) + ".new"
    with open(tmp, "w") as f:
        json.dump(st, f)
    os.replace(tmp, state_file(st["name"]))


def spawn(st, label, argv, env=None, cwd=None, pass_fds=()):
    log = open(os.path.join(st["dir"], label + ".log"), "ab")
    p = subprocess.Popen(argv, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=log, stderr=log,
                         pass_fds=pass_fds, start_new_session=True)
    st["procs"].append({"label": label, "pid": p.pid})
    return p


def first_line(fd, proc, what, timeout=10.0):
    """The first line a starting server writes to `fd` (its display or bus address)."""
    end, data = time.monotonic() + timeout, b""
    os.set_blocking(fd, False)
    while b"\n" not in data:
        try:
            data += os.read(fd, 256)
        except BlockingIOError:
            if proc.poll() is not None or time.monotonic() > end:
                raise Failure(f"{what} did not start")
            time.sleep(0.05)
    os.close(fd)
    return data.split(b"\n")[0].decode().strip()


def bus_env(st):
    env = dict(os.environ, DISPLAY=st["display"], DBUS_SESSION_BUS_ADDRESS=st["bus"], XDG_RUNTIME_DIR=st["dir"])
    env.pop("AT_SPI_BUS_ADDRESS", None)  # set, it keeps Qt 6.4 off the accessibility bus
    return env


def cmd_start(a):
    name = session_name(a)
    if os.path.exists(state_file(name)):
        raise Failure(f"session {name!r} runs already", 2)
    st = {"name": name, "dir": f"/tmp/windriver-{name}.d", "procs": [], "programs": []}
    os.makedirs(st["dir"], mode=0o700, exist_ok=True)
    save(st)
    r, w = os.pipe()
    x = spawn(st, "xvfb", ["Xvfb", "-displayfd", str(w), "-screen", "0", a.size + "x24", "-nolisten", "tcp",
                           "-noreset"], pass_fds=(w,))
    os.close(w)
    st["display"] = ":" + first_line(r, x, "Xvfb")
    r, w = os.pipe()
    bus = spawn(st, "dbus", ["dbus-daemon", "--session", "--nofork", "--nopidfile", f"--address=unix:dir={st['dir']}",
                             f"--print-address={w}"], pass_fds=(w,))
    os.close(w)
    st["bus"] = first_line(r, bus, "dbus-daemon")
    save(st)
    spawn(st, "a11y-bus", [BUS_LAUNCHER, "--launch-immediately"], bus_env(st))
    save(st)
    # The registry starts on demand on the accessibility bus; ask for the desktop until it answers.
    probe = "import pyatspi; pyatspi.Registry.getDesktop(0).childCount"
    end = time.monotonic() + 15
    while subprocess.run([sys.executable, "-c", probe], env=bus_env(st), capture_output=True).returncode != 0:
        if time.monotonic() > end:
            raise Failure("the accessibility bus did not start")
        time.sleep(0.2)


def end_group(pid, grace=3.0):
    """Ends the process group a recorded process leads: TERM, then KILL after `grace` seconds."""
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, 1.0)):
        try:
            os.killpg(pid, sig)
        except ProcessLookupError:
            return
        end = time.monotonic() + wait
        while time.monotonic() < end:
            try:
                os.killpg(pid, 0)
            except ProcessLookupError:
                return
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                pass
            time.sleep(0.05)


def cmd_stop(a):
    st = load(session_name(a))
    for p in reversed(st["programs"] + st["procs"]):
        end_group(p["pid"])
    os.remove(state_file(st["name"]))


def cmd_run(a):
    st = load(session_name(a))
    argv = a.argv[1:] if a.argv[:1] == ["--"] else a.argv
    if not argv:
        raise Failure("run: no program given", 2)
    env = bus_env(st)
    env.update(QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    env.setdefault("LANG", "C.UTF-8")
    n = len(st["programs"])
    code = os.path.join(st["dir"], f"program{n}.exit")
    # A shell of its own keeps the exit code for `status`; the program is its only child.
    p = spawn(st, f"program{n}", ["/bin/sh", "-c", '"$@"; echo $? >"' + code + '"', "sh"] + argv, env, a.cwd)
    st["procs"].pop()
    st["programs"].append({"pid": p.pid, "exit": code, "argv": argv})
    save(st)
    end = time.monotonic() + a.timeout
    while time.monotonic() < end:
        if any(pid_of(app) in child_pids(p.pid) for app in apps(st)):
            return
        if p.poll() is not None:
            raise Failure(f"{argv[0]} ended before it showed a window (code {open(code).read().strip()})", 3)
        time.sleep(0.2)
    raise Failure(f"{argv[0]} did not show up on the accessibility bus")


def child_pids(pid):
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            return {int(c) for c in f.read().split()} | {pid}
    except OSError:
        return {pid}


def cmd_status(a):
    st = load(session_name(a))
    for p in st["programs"]:
        try:
            with open(p["exit"]) as f:
                state = "exited with code " + f.read().strip()
        except OSError:
            state = "running"
        print(f"{p['pid']} {' '.join(p['argv'])}: {state}")


def cmd_env(a):
    st = load(session_name(a))
    for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
        print(f"export {key}='{bus_env(st)[key]}'")


# ---- the accessibility tree ---------------------------------------------------------------

_pyatspi = None


def atspi(st):
    global _pyatspi
    if _pyatspi is None:
        os.environ.update(bus_env(st))
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        _pyatspi = pyatspi
    return _pyatspi


def apps(st):
    desktop = atspi(st).Registry.getDesktop(0)
    return [desktop.getChildAtIndex(i) for i in range(desktop.childCount) if desktop.getChildAtIndex(i)]


def pid_of(app):
    try:
        return app.get_process_id()
    except Exception:
        return None


def nfc(s):
    return unicodedata.normalize("NFC", s or "")


def quoted(s):
    return '"' + nfc(s).replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n") + '"'


class Node:
    def __init__(self, acc, depth, app, window):
        self.acc, self.depth, self.app, self.window = acc, depth, app, window
        self.role = acc.getRoleName()
        self.name = nfc(acc.name)
        self.desc = nfc(acc.description)
        self.states = {atspi_state_name(s) for s in acc.getState().getStates()}

    def line(self):
        shown = [s for s in ("showing", "enabled", "focused", "active", "checked", "selected", "modal")
                 if s in self.states]
        out = "  " * self.depth + f"{self.role} {quoted(self.name)}"
        if self.desc:
            out += f" desc={quoted(self.desc)}"
        out += " [" + " ".join(shown) + "]"
        if self.role in ("text", "entry", "paragraph"):
            try:
                t = self.acc.queryText()
                out += f" text={quoted(t.getText(0, t.characterCount))}"
            except NotImplementedError:
                pass
        return out


def atspi_state_name(state):
    return _pyatspi.stateToString(state)


def walk(st, want_app=None):
    """The showing elements of the session's programs, in tree order (depth 0: the program)."""
    nodes = []

    def visit(acc, depth, app, window):
        node = Node(acc, depth, app, window)
        if depth > 0 and "showing" not in node.states:
            return
        nodes.append(node)
        for i in range(min(acc.childCount, 5000)):
            child = acc.getChildAtIndex(i)
            if child is not None:
                visit(child, depth + 1, app, window or (child if depth == 0 else None))

    for app in apps(st):
        if want_app is None or app.name == want_app:
            try:
                visit(app, 0, app, None)
            except Exception:  # a program that ends meanwhile
                continue
    return nodes


def cmd_tree(a):
    st = load(session_name(a))
    for n in walk(st, a.app):
        print(f'application {quoted(n.name)} pid={pid_of(n.acc)}' if n.depth == 0 else n.line())


def role_key(role):
    key = role.lower().replace(" ", "").replace("_", "")
    return "pushbutton" if key == "button" else key


def matches(n, a):
    name = nfc(a.name)
    return (n.depth > 0 and (a.role == "*" or role_key(n.role) == role_key(a.role))
            and (name in n.name if a.contains else n.name == name))


def find(st, a, enabled):
    """The --nth showing (and, if asked, enabled) match, or None."""
    found = [n for n in walk(st, a.app) if matches(n, a) and (not enabled or "enabled" in n.states)]
    return found[a.nth - 1] if len(found) >= a.nth else None


def blocking_modal(st, n):
    """A modal window of the same program other than the element's own, or None: pressed through the
    accessibility bus the element would react, which a person could not make it do."""
    for i in range(n.app.childCount):
        w = n.app.getChildAtIndex(i)
        if w is not None and w != n.window:
            states = w.getState()
            if states.contains(_pyatspi.STATE_MODAL) and states.contains(_pyatspi.STATE_SHOWING):
                return w
    return None


def press(st, n, mouse):
    """Runs the element's press (or focus) action; with `mouse`, or when it has no action, a
    pointer click on its centre."""
    try:
        action = None if mouse else n.acc.queryAction()
    except NotImplementedError:
        action = None
    names = [action.getName(i).lower().replace(" ", "") for i in range(action.nActions)] if action else []
    if names:
        index = next((names.index(want) for want in PRESS_ACTIONS if want in names), 0)
        # A press that opens a modal dialog answers only once the dialog has closed: the action
        # has been done when no answer comes within a moment.
        from gi.repository import Atspi, GLib
        Atspi.set_timeout(1500, -1)
        try:
            action.doAction(index)
        except GLib.GError as e:
            if "reply" not in str(e):
                raise
        return
    x, y, w, h = n.acc.queryComponent().getExtents(_pyatspi.DESKTOP_COORDS)
    xdo(st, "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")


def cmd_click(a):
    st = load(session_name(a))
    end = time.monotonic() + a.timeout
    why = "not showing and enabled"
    while time.monotonic() < end:
        n = find(st, a, enabled=True)
        if n is not None:
            modal = blocking_modal(st, n)
            if modal is None:
                press(st, n, a.mouse)
                return
            why = f"covered by the modal window {quoted(modal.name)}"
        time.sleep(0.2)
    raise Failure(f"{a.role} {quoted(a.name)}: {why}")


def cmd_text(a):
    st = load(session_name(a))
    for n in walk(st):
        if n.depth > 0 and role_key(n.role) == role_key(a.role):
            print(n.name)


def cmd_wait(a):
    st = load(session_name(a))
    end = time.monotonic() + a.timeout
    while time.monotonic() < end:
        if (find(st, a, enabled=False) is None) == a.gone:
            return
        time.sleep(0.2)
    raise Failure(f"{a.role} {quoted(a.name)} " + ("still showing" if a.gone else "not showing"))


# ---- keys -------------------------------------------------------------------------------

def xdo(st, *args):
    return subprocess.run(["xdotool", *args], env=bus_env(st), capture_output=True, text=True, timeout=10).stdout


def focus_program_window(st):
    """Without a window manager no window gets the keyboard focus by itself. Keys go to the focused
    window; when none has it, or a modal window is open, the topmost window takes it first."""
    root = set(xdo(st, "search", "--maxdepth", "0", "--name", "").split())
    wins = [w for w in xdo(st, "search", "--onlyvisible", "--maxdepth", "1", "--name", "").split() if w not in root]
    if not wins:  # bottom to top
        return
    focused = xdo(st, "getwindowfocus").strip()
    modal = any(n.depth == 1 and "modal" in n.states for n in walk(st))
    if focused != wins[-1] and (modal or focused not in wins):
        xdo(st, "windowfocus", "--sync", wins[-1])


def cmd_type(a):
    st = load(session_name(a))
    focus_program_window(st)
    xdo(st, "type", "--delay", "30", nfc(a.text))


def cmd_key(a):
    st = load(session_name(a))
    focus_program_window(st)
    xdo(st, "key", "--delay", "30", *a.keys)


def cmd_shot(a):
    st = load(session_name(a))
    from PIL import ImageGrab
    ImageGrab.grab(xdisplay=st["display"]).save(a.file)


def main(argv):
    common = argparse.ArgumentParser(add_help=False)
    common.add_argument("--name", dest="session")
    p = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = p.add_subparsers(dest="cmd", required=True)
    s = sub.add_parser("start", parents=[common])
    s.add_argument("--size", default="1280x800")
    s.set_defaults(func=cmd_start)
    sub.add_parser("stop", parents=[common]).set_defaults(func=cmd_stop)
    sub.add_parser("status", parents=[common]).set_defaults(func=cmd_status)
    sub.add_parser("env", parents=[common]).set_defaults(func=cmd_env)
    s = sub.add_parser("run", parents=[common])
    s.add_argument("--cwd")
    s.add_argument("--timeout", type=float, default=20)
    s.add_argument("argv", nargs=argparse.REMAINDER)
    s.set_defaults(func=cmd_run)
    s = sub.add_parser("tree", parents=[common])
    s.add_argument("--app")
    s.set_defaults(func=cmd_tree)
    for name, func in (("click", cmd_click), ("wait", cmd_wait)):
        s = sub.add_parser(name, parents=[common])
        s.add_argument("role")
        s.add_argument("name")
        s.add_argument("--app")
        s.add_argument("--timeout", type=float, default=10)
        s.add_argument("--nth", type=int, default=1)
        s.add_argument("--contains", action="store_true")
        if name == "wait":
            s.add_argument("--gone", action="store_true")
        else:
            s.add_argument("--mouse", action="store_true")
        s.set_defaults(func=func)
    s = sub.add_parser("text", parents=[common])
    s.add_argument("role")
    s.set_defaults(func=cmd_text)
    s = sub.add_parser("type", parents=[common])
    s.add_argument("text")
    s.set_defaults(func=cmd_type)
    s = sub.add_parser("key", parents=[common])
    s.add_argument("keys", nargs="+")
    s.set_defaults(func=cmd_key)
    s = sub.add_parser("shot", parents=[common])
    s.add_argument("file")
    s.set_defaults(func=cmd_shot)
    a = p.parse_args(argv)
    try:
        a.func(a)
    except Failure as e:
        print(f"windriver: {e}", file=sys.stderr)
        return e.status
    except BrokenPipeError:
        # The reader had what it wanted (`| grep -q`) and stopped reading: not a failure.
        os.dup2(os.open(os.devnull, os.O_WRONLY), sys.stdout.fileno())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
