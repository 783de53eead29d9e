"""Make a listing set through the menu and the folder dialog, see it saved, then quit."""
import tempfile
from common import *

out = tempfile.mkdtemp(prefix="folimo-e2e-")
with session(CAD) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    s.key("ctrl+e")
    # Qt's own folder dialog: type the folder into its name field and confirm.
    field = s.wait_for(role="text", showing=True, timeout=30)
    field.set_text(out)
    s.wait_for(name="Save Here", role="push button").press()
    s.wait_for(contains="Saved ", timeout=120)
    saved = [n for n in s.find_all(contains="Saved ") if n.role == "label"][0]
    expect(saved.name.endswith("files to “CAD listing”.") or saved.text.endswith("files to “CAD listing”."),
           f"unexpected line {saved.name!r} {saved.text!r}")
    expect(s.find(name="Show", role="push button").enabled, "Show is disabled")
    s.key("ctrl+q")
    expect(wait_gone(s) == 0, "Quit did not end the program cleanly")

import os
expect(os.path.isdir(os.path.join(out, "CAD listing")), "no set folder on disk")
