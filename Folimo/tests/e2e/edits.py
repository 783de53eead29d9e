"""A seller's edits by every path: a screen reader's toggle and set-text reach the settings (the
export bar's summary, the window title, the store), Ctrl+E works straight after typing a title,
a brand deleted after the question comes back with Ctrl+Z, and a batch folder chosen through the
real folder dialog lists its PDFs, each row one element, in the order a file browser shows."""
import json
import os
import shutil
from common import *

batch = scratch_folder()
shutil.copy(CAD, os.path.join(batch, "Unit 2.pdf"))
shutil.copy(ASY_LATEX, os.path.join(batch, "Unit 10.pdf"))


def stored_settings(s):
    """The settings as the store's file holds them now (the Qt INI form of a byte array)."""
    path = os.path.join(s.home, "config", "Folimo", "Folimo.conf")
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("settings.v1="):
                value = line.split("=", 1)[1].strip()
                value = value.strip('"').removeprefix("@ByteArray(").removesuffix(")")
                return json.loads(value.replace('\\"', '"').replace("\\\\", "\\"))
    return None


def window_named(s, name):
    return any(w.name == name for w in s.windows())


with session(CAD) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    s.wait_for(contains="20 files: 18 images, preview PDF, video")

    # A screen reader's toggle and set-text, read back from the bar, the window and the store.
    s.wait_for(name="Desk", role="check box").press()
    s.wait_for(contains="17 files: 15 images, preview PDF, video")
    title = s.find(name="Title", role="text")
    title.set_text("Spring Pack")
    s.wait(lambda: window_named(s, "Spring Pack"), 10, "the window title did not follow")
    s.wait(lambda: stored_settings(s)["title"] == "Spring Pack"
           and "desk" not in stored_settings(s)["layouts"], 10, "the store did not follow")

    # Ctrl+E straight after typing in the Title field opens the folder question.
    title.acc.queryComponent().grabFocus()
    s.key("End")
    s.type(" Sale")
    s.wait(lambda: window_named(s, "Spring Pack Sale"), 10, "typing did not reach the title")
    s.key("ctrl+e")
    s.wait_for(name="Save Here", role="push button", timeout=30)
    s.find(name="Cancel", role="push button").press()
    s.wait(lambda: not s.find_all(name="Save Here", role="push button"), 10, "the question stayed")

    # Delete a new brand after the question, then bring it back with Ctrl+Z.
    s.key("ctrl+3")
    s.wait_for(name="New brand", role="push button", showing=True).press()
    s.wait_for(name="Preview of the My Brand brand", timeout=20)
    s.find(name="Delete brand").press()
    s.wait_for(contains="Delete the brand “My Brand”?")
    s.find(name="Delete Brand", role="push button").press()
    s.wait_for(name="Preview of the Classic brand", timeout=20)
    expect(not s.find_all(name="My Brand", showing=True), "the brand was not deleted")
    s.key("ctrl+z")
    s.wait_for(name="Preview of the My Brand brand", timeout=20)
    s.wait_for(name="My Brand", showing=True)

    s.key("ctrl+2")
    s.wait_for(name="Choose Folder of PDFs…", role="push button", showing=True).press()
    answer_folder_dialog(s, "Choose", batch)
    s.wait_for(name="Unit 10, Waiting", timeout=20)
    rows = [n.name for n in s.find_all(contains=", Waiting")]
    expect(rows == ["Unit 2, Waiting", "Unit 10, Waiting"], f"rows read {rows}")
    expect(s.find(name="Make All Listing Sets…", role="push button").enabled,
           "Make All Listing Sets… is disabled with PDFs")

    s.key("ctrl+q")
    expect(wait_gone(s) == 0, "Quit did not end the program cleanly")
