"""Quitting while a listing set is being made asks first, and the set is finished whole when
the seller keeps working; a SIGTERM during the next set ends the program without asking and
leaves whole files only, no temporary one."""
import os
import signal
from common import *

out = scratch_folder()


def make_set(s):
    save_set(s, out)
    # The whole default set, video and all: it is still being made when the quit comes.
    s.wait_for(name="Saving the listing set", role="progress bar", showing=True, timeout=30)


with session(CAD) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    make_set(s)
    s.key("ctrl+q")
    s.wait_for(contains="Stop making the listing set and quit?", timeout=30)
    keep = s.wait_for(name="Keep Working", role="push button")
    s.find(name="Stop and Quit", role="push button")
    keep.press()
    s.wait_for(contains="Saved 20 files to “CAD listing”.", timeout=180)
    expect(s.alive(), "the program ended though told to keep working")

    make_set(s)
    s.app.send_signal(signal.SIGTERM)
    status = wait_gone(s, 60)
    expect(status == 128 + signal.SIGTERM, f"SIGTERM ended the program with status {status}")

left = [name for _, _, names in os.walk(out) for name in names if name.startswith(".folimo-")]
expect(not left, f"temporary files left: {left}")
second = os.path.join(out, "CAD listing 2")
expect(os.path.isdir(second), "no second set folder on disk")
expect(len([n for _, _, names in os.walk(second) for n in names]) < 20,
       "the set stopped by SIGTERM was finished anyway")
