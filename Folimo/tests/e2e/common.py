"""Shared start of the end-to-end tests: each script takes the built folimo as its argument and
drives it through uiprobe (a private X server and the accessibility bus), as a person and a
screen reader do."""
import os
import sys

sys.path.insert(0, os.environ["UIPROBE_DIR"])
from uiprobe import ProbeError, Session  # noqa: E402,F401

APP = os.path.abspath(sys.argv[1])
CAD = "/usr/share/doc/asymptote/CAD.pdf"
ASY_LATEX = "/usr/share/doc/asymptote/asy-latex.pdf"


def expect(condition, message):
    if not condition:
        raise ProbeError(message)


def session(*args, **kw):
    return Session([APP, *args], app_name="folimo", **kw)


def wait_gone(s, timeout=15):
    """Waits for the program to end on its own; gives its exit status."""
    s.wait(lambda: not s.alive(), timeout, "folimo did not end")
    return s.app.returncode
