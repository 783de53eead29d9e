#!/usr/bin/python3
"""Drives a real Qt program as a person and a screen reader do.

A Session starts a private X server (Xvfb on a display it picks itself), a private D-Bus
session bus and the accessibility bus on it, then the program with Qt's accessibility on and
a fresh HOME and XDG folders. Tests find the program's objects by role and accessible name,
read their texts, values and states, run their actions, press keys (xdotool), take
screenshots (ImageMagick) and wait for what they expect with a deadline. Nothing here knows
the program; the tests say what to look for.

Run as a program it prints what a screen reader sees, and can take a picture:

    Folimo/tests/e2e/driver.py [--shot OUT.png] [--keys "ctrl+2 ..."] [--wait NAME] -- PROGRAM ARGS...
"""

import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
    from gi.repository import Gio, GLib
except ImportError:
    pyatspi = None

# What a session runs, and the Debian package each comes in.
TOOLS = [
    ("Xvfb", "xvfb"),
    ("dbus-daemon", "dbus-daemon"),
    ("/usr/libexec/at-spi-bus-launcher", "at-spi2-core"),
    ("/usr/libexec/at-spi2-registryd", "at-spi2-core"),
    ("xdotool", "xdotool"),
    ("import", "imagemagick"),
]

# An app that ends on one of these has crashed, whatever the test was doing.
CRASH_SIGNALS = {signal.SIGSEGV, signal.SIGABRT, signal.SIGBUS, signal.SIGFPE, signal.SIGILL}


class ProbeError(AssertionError):
    pass


def missing_packages():
    """The Debian packages to install before a session can start; none when all is there."""
    missing = [package for tool, package in TOOLS if not shutil.which(tool)]
    if pyatspi is None:
        missing.append("python3-pyatspi")
    return sorted(set(missing))


def require_tools():
    """Ends the program with the packages to install when a tool is missing."""
    missing = missing_packages()
    if missing:
        sys.exit("The end-to-end tests need more tools: apt-get install " + " ".join(missing))


# The accessibility library connects once per process, to the bus it finds first.
_bus_in_use = None


def _read_line(fd, deadline, what):
    """The first line a child writes on fd, waiting until the deadline."""
    data = b""
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise ProbeError(f"{what} did not start in time")
        chunk = os.read(fd, 256)
        if not chunk:
            raise ProbeError(f"{what} ended on starting")
        data += chunk
    return data.decode().strip()



class Node:
    """One accessible object: a window, button, label, text field, slider..."""

    def __init__(self, acc):
        self.acc = acc

    @property
    def name(self):
        return self.acc.name or ""

    @property
    def role(self):
        return self.acc.getRoleName()

    @property
    def text(self):
        try:
            return self.acc.queryText().getText(0, -1)
        except (NotImplementedError, GLib.Error):
            return ""

    @property
    def value(self):
        try:
            return self.acc.queryValue().currentValue
        except (NotImplementedError, GLib.Error):
            return None

    def state(self, state):
        return self.acc.getState().contains(state)

    @property
    def enabled(self):
        return self.state(pyatspi.STATE_ENABLED) or self.state(pyatspi.STATE_SENSITIVE)

    @property
    def showing(self):
        return self.state(pyatspi.STATE_SHOWING)

    def children(self):
        found = (self.acc.getChildAtIndex(i) for i in range(self.acc.childCount))
        return [Node(child) for child in found if child is not None]

    def walk(self):
        yield self
        for child in self.children():
            yield from child.walk()

    def actions(self):
        action = self.acc.queryAction()
        return [action.getName(i) for i in range(action.nActions)]

    def press(self, action=None):
        """Runs the named action, or the first one (a button's press, a check box's toggle)."""
        names = self.actions()
        if not names or (action is not None and action not in names):
            raise ProbeError(f"{self} has no action {action or ''} (it has {names})")
        self.acc.queryAction().doAction(names.index(action) if action else 0)

    def set_text(self, text):
        self.acc.queryEditableText().setTextContents(text)

    def extents(self):
        box = self.acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return (box.x, box.y, box.width, box.height)

    def __repr__(self):
        text, value = self.text, self.value
        extra = f" text={text!r}" if text and text != self.name else ""
        extra += f" value={value}" if value is not None else ""
        extra += "" if self.enabled else " (disabled)"
        return f"[{self.role}] {self.name!r}{extra}"


class Session:
    """A program running on its own X server with its accessibility tree readable. One per
    process: the accessibility library keeps the first bus it connects to."""

    def __init__(self, argv, size="1600x1000", app_name=None, start_timeout=20):
        self.argv = list(argv)
        self.size = size
        self.app_name = app_name or os.path.basename(self.argv[0])
        self.start_timeout = start_timeout
        self.folder = None
        self.app = None
        self._services = []

    # --- life ---
    def __enter__(self):
        try:
            return self._start()
        except BaseException:
            sys.stderr.write(self.app_output())
            self.close()
            self._remove_folder()
            raise

    def __exit__(self, kind, error, trace):
        try:
            if kind is not None:
                sys.stderr.write(self.app_output())
            # A crash is the news only when nothing else went wrong first.
            self.close(report_crash=kind is None)
        finally:
            self._remove_folder()

    def _start(self):
        global _bus_in_use
        if _bus_in_use is not None:
            raise ProbeError("one Session per process: the accessibility bus cannot be changed")
        self.folder = tempfile.mkdtemp(prefix="folimo-e2e-")
        self.home = os.path.join(self.folder, "home")
        deadline = time.monotonic() + 20

        display = self._service_with_line(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", f"{self.size}x24", "-nolisten", "tcp"],
            deadline, "Xvfb")
        bus = self._service_with_line(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}"],
            deadline, "dbus-daemon")
        base = dict(os.environ, DISPLAY=f":{display}", DBUS_SESSION_BUS_ADDRESS=bus)
        base.pop("WAYLAND_DISPLAY", None)
        base.pop("AT_SPI_BUS_ADDRESS", None)
        self._services.append(self._spawn(
            ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], base, "at-spi"))
        a11y_bus = self._accessibility_bus(bus, deadline)

        # This process reads the tree over the same buses the program talks to.
        os.environ.update(DISPLAY=base["DISPLAY"], DBUS_SESSION_BUS_ADDRESS=bus,
                          AT_SPI_BUS_ADDRESS=a11y_bus)
        _bus_in_use = a11y_bus

        self.env = dict(base)
        self.env.update({
            "QT_ACCESSIBILITY": "1", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_QPA_PLATFORM": "xcb", "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_CACHE_HOME": os.path.join(self.home, "cache"),
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_STATE_HOME": os.path.join(self.home, "state"),
            "XDG_RUNTIME_DIR": os.path.join(self.folder, "runtime"),
        })
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)
        self.app = self._spawn(self.argv, self.env, "app")
        self.wait(lambda: self.application() is not None, self.start_timeout,
                  f"{self.app_name} showed no accessible window")
        return self

    def _spawn(self, argv, env, log, pass_fds=()):
        with open(os.path.join(self.folder, log + ".log"), "ab") as out:
            return subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=out, pass_fds=pass_fds, start_new_session=True)

    def _service_with_line(self, argv, deadline, what):
        """Starts a service that writes one line once it is ready (its display, its
        address) on the descriptor put in place of {fd}; gives that line."""
        read_end, write_end = os.pipe()
        try:
            argv = [arg.replace("{fd}", str(write_end)) for arg in argv]
            self._services.append(self._spawn(argv, os.environ, what, pass_fds=(write_end,)))
            os.close(write_end)
            write_end = None
            return _read_line(read_end, deadline, what)
        except ProbeError as error:
            raise ProbeError(f"{error}\n{self._log(what)}") from None
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def _accessibility_bus(self, session_bus, deadline):
        """The accessibility bus's address, once its launcher answers on the session bus."""
        connection = Gio.DBusConnection.new_for_address_sync(
            session_bus, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)

        def ask(name, path, interface, method, args, reply):
            return connection.call_sync(name, path, interface, method, args,
                                        GLib.VariantType(reply), Gio.DBusCallFlags.NO_AUTO_START,
                                        2000, None).unpack()[0]

        try:
            self._wait_until(
                lambda: ask("org.freedesktop.DBus", "/org/freedesktop/DBus",
                            "org.freedesktop.DBus", "NameHasOwner",
                            GLib.Variant("(s)", ("org.a11y.Bus",)), "(b)"),
                deadline, "the accessibility bus did not start")
            return ask("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, "(s)")
        finally:
            connection.close_sync(None)

    def close(self, report_crash=False):
        """Ends the program, then the services. With report_crash, raises when the program
        crashed, by itself or on being ended."""
        if self.app is not None and self.app.poll() is None:
            self._end(self.app, 10)
        for service in reversed(self._services):
            self._end(service, 5)
        self._services = []
        if report_crash and self.app is not None and -self.app.returncode in CRASH_SIGNALS:
            raise ProbeError(f"{self.app_name} crashed (signal {-self.app.returncode})\n"
                             + self.app_output())

    @staticmethod
    def _end(process, grace):
        """Sends SIGTERM to the process and whatever it started, then SIGKILL after grace s."""
        for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, 5)):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                pass
            try:
                process.wait(wait)
                return
            except subprocess.TimeoutExpired:
                continue

    def _remove_folder(self):
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
            self.folder = None

    def _log(self, name):
        try:
            with open(os.path.join(self.folder, name + ".log"), encoding="utf-8",
                      errors="replace") as f:
                return f.read()[-8000:]
        except (OSError, TypeError):
            return ""

    def app_output(self):
        """What the program has written on its standard output and error so far."""
        text = self._log("app")
        return f"--- {self.app_name}'s output ---\n{text}" if text else ""

    def launch(self, argv):
        """Runs another process in the same session to its end (a second launch, say)."""
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30)

    def alive(self):
        return self.app.poll() is None

    # --- reading ---
    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and (app.name or "").lower() == self.app_name.lower():
                return Node(app)
        return None

    def nodes(self):
        app = self.application()
        return list(app.walk()) if app else []

    def find_all(self, name=None, role=None, contains=None, showing=None):
        """Every object matching all that is given: its exact name, its role ("push button",
        "label", "text"...), a part of its name or text, whether it is on screen."""
        found = []
        for node in self.nodes():
            if role is not None and node.role != role:
                continue
            if name is not None and node.name != name:
                continue
            if contains is not None and contains not in node.name and contains not in node.text:
                continue
            if showing is not None and node.showing != showing:
                continue
            found.append(node)
        return found

    def find(self, **criteria):
        found = self.find_all(**criteria)
        if not found:
            raise ProbeError(f"nothing matches {criteria}")
        return found[0]

    def wait_for(self, timeout=10, **criteria):
        """The first object matching the criteria, once there is one."""
        found = []

        def present():
            found[:] = self.find_all(**criteria)
            return bool(found)

        self.wait(present, timeout, f"nothing matches {criteria} after {timeout} s")
        return found[0]

    def wait(self, condition, timeout=10, message="timed out"):
        """Waits until condition() is true. An error in condition() counts as not yet (an
        object that goes away while it is read, a file not yet written); the last one is named
        if the wait fails. Fails at once when the program ends meanwhile (unless that is what
        is waited for), or after timeout seconds."""
        self._wait_until(condition, time.monotonic() + timeout, message, watch_app=True)
        return True

    def _wait_until(self, condition, deadline, message, watch_app=False):
        last_error = None
        while True:
            try:
                if condition():
                    return
            except Exception as error:
                last_error = error
            if watch_app and self.app is not None and self.app.poll() is not None:
                raise ProbeError(f"{message}: {self.app_name} ended with status "
                                 f"{self.app.returncode}")
            if time.monotonic() >= deadline:
                raise ProbeError(message + (f" (last error: {last_error!r})" if last_error else ""))
            time.sleep(0.1)

    def settle(self, quiet=0.5, timeout=10):
        """Waits until the tree has not changed for quiet seconds (or timeout seconds)."""
        deadline = time.monotonic() + timeout
        last, since = None, time.monotonic()
        while time.monotonic() < deadline:
            try:
                now = self.tree()
            except GLib.Error:
                now = None
            if now != last:
                last, since = now, time.monotonic()
            elif time.monotonic() - since >= quiet:
                return
            time.sleep(0.1)

    def tree(self):
        """The program's accessibility tree, one object per line, indented by depth."""
        lines = []

        def visit(node, depth):
            lines.append("  " * depth + repr(node))
            for child in node.children():
                visit(child, depth + 1)

        app = self.application()
        if app:
            visit(app, 0)
        return "\n".join(lines)

    def windows(self):
        app = self.application()
        return app.children() if app else []

    # --- acting ---
    def _xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                              check=True).stdout

    def focus(self):
        """Gives the keyboard to the program's last visible window. There is no window manager
        on the private server to do it."""
        ids = self._xdotool("search", "--onlyvisible", "--pid", str(self.app.pid)).split()
        if not ids:
            raise ProbeError("no visible window of the program")
        self._xdotool("windowfocus", "--sync", ids[-1])

    def key(self, *keys):
        """Presses keys in the program, xdotool style: "ctrl+o", "space", "Return"."""
        self.focus()
        self._xdotool("key", "--clearmodifiers", *keys)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return path


def main():
    import argparse

    parser = argparse.ArgumentParser(
        description="Starts a program on a private X server and prints what a screen reader "
        "sees once its window is up and quiet.")
    parser.add_argument("--shot", metavar="OUT.png", help="also save a picture of the screen")
    parser.add_argument("--keys", default="", help='keys to press first, like "ctrl+2 Tab"')
    parser.add_argument("--wait", metavar="NAME", help="wait for an object with this name")
    parser.add_argument("--timeout", type=float, default=30)
    parser.add_argument("argv", nargs=argparse.REMAINDER, help="-- PROGRAM ARGS...")
    options = parser.parse_args()
    argv = options.argv[1:] if options.argv[:1] == ["--"] else options.argv
    if not argv:
        parser.error("no program given")
    require_tools()
    with Session(argv, start_timeout=options.timeout) as session:
        session.settle()
        for key in options.keys.split():
            session.key(key)
            session.settle()
        if options.wait:
            session.wait_for(name=options.wait, timeout=options.timeout)
            session.settle()
        print(session.tree())
        if options.shot:
            session.screenshot(options.shot)


if __name__ == "__main__":
    main()
