"""The batch, brand presets and sizes pages as a screen reader reads them: their controls by
name, enabled where they should be, and a batch folder chosen through the real folder dialog."""
import os
import shutil
from common import *

folder = scratch_folder()
shutil.copy(CAD, os.path.join(folder, "Unit 2.pdf"))
shutil.copy(ASY_LATEX, os.path.join(folder, "Unit 10.pdf"))

with session() as s:
    s.wait_for(name="Open PDF")

    s.key("ctrl+2")
    choose = s.wait_for(name="Choose Folder of PDFs…", role="push button", showing=True)
    expect(not s.find(name="Make All Listing Sets…", role="push button").enabled,
           "Make All Listing Sets… is enabled with no PDFs")
    s.wait_for(contains="Choose a folder to see its PDFs here.", showing=True)
    s.wait_for(contains="20 files per PDF", showing=True)
    choose.press()
    field = s.wait_for(role="text", showing=True, timeout=30)
    field.set_text(folder)
    s.wait_for(name="Choose", role="push button").press()
    # One element per row, in the order a file browser shows them.
    s.wait_for(name="Unit 2, Waiting", timeout=20)
    s.wait_for(name="Unit 10, Waiting")
    rows = [n.name for n in s.find_all(contains=", Waiting")]
    expect(rows == ["Unit 2, Waiting", "Unit 10, Waiting"], f"rows read {rows}")
    expect(s.find(name="Make All Listing Sets…", role="push button").enabled,
           "Make All Listing Sets… is disabled with PDFs")
    s.wait_for(contains=folder, showing=True)

    s.key("ctrl+3")
    add = s.wait_for(name="New brand", role="push button", showing=True)
    expect(not s.find(name="Delete brand").enabled, "Classic can be deleted")
    expect(not s.find(name="Name", role="text").enabled, "Classic's name can be edited")
    s.wait_for(name="Preview of the Classic brand", timeout=20)
    s.wait_for(contains="Classic is built in. Choose + to make your own from it.")
    add.press()
    s.wait_for(name="Preview of the My Brand brand", timeout=20)
    expect(s.find(name="Delete brand").enabled, "a copy cannot be deleted")
    expect(s.find(name="Name", role="text").text == "My Brand", "the copy is not named My Brand")
    s.wait_for(contains="becomes the page count, like “12 pages”. Leave it empty for no badge.")

    s.key("ctrl+4")
    s.wait_for(name="Square thumbnails width", role="text", showing=True)
    for name, text in [("Square thumbnails width", "750"), ("Listing images 2000 px 4:3 height", "1500"),
                       ("Sheet width", "11"), ("Sheet height", "8.5"), ("Video width", "1080")]:
        got = s.find(name=name, role="text").text
        expect(got == text, f"{name} reads {got!r}, not {text!r}")
    s.find(name="Reset to Defaults", role="push button")

    s.key("ctrl+q")
    expect(wait_gone(s) == 0, "Quit did not end the program cleanly")
