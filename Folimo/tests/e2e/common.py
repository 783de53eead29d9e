"""Shared start of the end-to-end tests: each script takes the built folimo as its argument and
drives it through the driver beside it (a private X server and the accessibility bus), as a
person and a screen reader do."""
import os
import sys

from driver import ProbeError, Session, require_tools  # noqa: F401

require_tools()

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
