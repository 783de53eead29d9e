"""Shared start of the end-to-end tests: each script takes the built folimo as its argument and
drives it through the driver beside it (a private X server and the accessibility bus), as a
person and a screen reader do."""
import atexit
import os
import shutil
import sys
import tempfile

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


def scratch_folder():
    """A fresh folder for what a script puts on disk, removed when the script ends."""
    folder = tempfile.mkdtemp(prefix="folimo-e2e-")
    atexit.register(shutil.rmtree, folder, ignore_errors=True)
    return folder


def answer_folder_dialog(s, button, folder):
    """Answers Qt's own folder dialog with folder, typed into the dialog's name field (the
    window has text fields of its own, so the field is looked for inside the dialog), and
    presses its button."""
    press = s.wait_for(name=button, role="push button", timeout=30)
    dialog = [w for w in s.windows() if any(n.name == button for n in w.walk())][0]
    field = [n for n in dialog.walk() if n.role == "text" and n.showing][0]
    field.set_text(folder)
    press.press()


def save_set(s, folder):
    """Make Listing Set… (Ctrl+E), saved into folder."""
    s.key("ctrl+e")
    answer_folder_dialog(s, "Save Here", folder)
