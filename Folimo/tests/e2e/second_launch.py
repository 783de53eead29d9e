"""A second launch hands its PDF to the running window and ends; the running window opens it."""
from common import *

with session() as s:
    s.wait_for(name="Make Listing Set…", role="push button")
    expect(not s.find_all(name="Show", role="panel", showing=True), "the Show control shows with no PDF open")
    second = s.launch([APP, CAD])
    expect(second.returncode == 0, f"the second launch ended with {second.returncode}")
    s.wait_for(name="CAD.pdf, 7 pages")
    s.wait_for(name="Show", role="panel", showing=True)
    expect(s.alive(), "the first launch ended")
    expect(len([w for w in s.windows() if w.role == "frame"]) == 1, "more than one window")
