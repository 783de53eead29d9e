"""Make a listing set through the menu and the folder dialog, see it saved, then quit."""
import tempfile
from common import *

out = tempfile.mkdtemp(prefix="folimo-e2e-")
with session(CAD) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    s.key("ctrl+e")
    # Qt's own folder dialog: type the folder into its name field and confirm. (The window's
    # inspector has text fields of its own, so the field is looked for inside the dialog.)
    save = s.wait_for(name="Save Here", role="push button", timeout=30)
    dialog = [w for w in s.windows() if any(n.name == "Save Here" for n in w.walk())][0]
    field = [n for n in dialog.walk() if n.role == "text" and n.showing][0]
    field.set_text(out)
    save.press()
    s.wait_for(contains="Saved ", timeout=120)
    saved = [n for n in s.find_all(contains="Saved ") if n.role == "label"][0]
    expect(saved.name.endswith("files to “CAD listing”.") or saved.text.endswith("files to “CAD listing”."),
           f"unexpected line {saved.name!r} {saved.text!r}")
    expect(s.find(name="Show", role="push button").enabled, "Show is disabled")
    s.key("ctrl+q")
    expect(wait_gone(s) == 0, "Quit did not end the program cleanly")

import os
expect(os.path.isdir(os.path.join(out, "CAD listing")), "no set folder on disk")
