"""Make a listing set through the menu and the folder dialog, see it saved, then quit."""
import os
from common import *

out = scratch_folder()
with session(CAD) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    save_set(s, out)
    s.wait_for(contains="Saved ", timeout=120)
    saved = [n for n in s.find_all(contains="Saved ") if n.role == "label"][0]
    expect(saved.name.endswith("files to “CAD listing”.") or saved.text.endswith("files to “CAD listing”."),
           f"unexpected line {saved.name!r} {saved.text!r}")
    expect(s.find(name="Show", role="push button").enabled, "Show is disabled")
    s.key("ctrl+q")
    expect(wait_gone(s) == 0, "Quit did not end the program cleanly")

expect(os.path.isdir(os.path.join(out, "CAD listing")), "no set folder on disk")
