"""The window as a screen reader and the keyboard use it: the Tab order, the Show choice as
radio buttons, a screen reader's toggle and set-text reaching the settings (the export bar's
summary, the window title, the store), sliders read in percent and seconds, and a batch folder
chosen through the real folder dialog, its rows read one element each in the order a file
browser shows. (What each control does is the view tests'.)"""
import json
import os
import shutil
from common import *
import pyatspi

batch = scratch_folder()
shutil.copy(CAD, os.path.join(batch, "Unit 2.pdf"))
shutil.copy(ASY_LATEX, os.path.join(batch, "Unit 10.pdf"))


def focused(s):
    """What holds the keyboard (a list's current row reads as focused too, so rows don't count:
    the list does)."""
    return next((n for n in s.nodes()
                 if n.showing and n.role != "list item" and n.state(pyatspi.STATE_FOCUSED)), None)


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


def tab_stops(s):
    """Where Tab stops, once round the window, starting after the focus."""
    where = lambda node: (node.role, node.name, node.extents()) if node else None
    stops, now = [], [focused(s)]

    def moved(before):
        now[0] = focused(s)
        return where(now[0]) not in (None, before)

    for _ in range(60):
        before = where(now[0])
        s.key("Tab")
        s.wait(lambda: moved(before), 5, f"Tab stayed at {before}")
        if stops and where(now[0]) == where(stops[0]):
            return stops
        stops.append(now[0])
    raise ProbeError(f"Tab did not come round: {stops}")


with session(CAD) as s:
    s.wait_for(name="Page grid image, 2000 by 1500 pixels", role="image", showing=True)
    # Tab reads the window as a person does: the pages, the Show choice, the pane, the
    # inspector top to bottom and the export bar last; every stop is named, none is a scroll
    # area, and a group of choices is one stop (the chosen one).
    s.settle()
    stops = [(n.role, n.name) for n in tab_stops(s)]
    first = stops.index(("list", "Pages"))
    stops = stops[first:] + stops[:first]
    print("Tab order:", stops)
    expect(all(name for _, name in stops), f"a stop has no name: {stops}")
    expect(not any(role in ("scroll pane", "filler", "panel") for role, _ in stops),
           f"a container is a stop: {stops}")
    expect(stops[1] == ("radio button", "Images"), f"Show does not follow the pages: {stops}")
    expect(stops[-1] == ("push button", "Make Listing Set…"), f"the export bar is not last: {stops}")
    order = [stops.index(stop) for stop in (("push button", "Frame"), ("text", "Title"),
                                            ("text", "Pages"), ("check box", "Frame"))]
    expect(order == sorted(order), f"the inspector is not read top to bottom: {stops}")
    expect(s.find(name="Show", role="panel").children()[0].role == "radio button",
           "the Show choices are not read as radio buttons")

    # A screen reader's toggle and set-text, read back from the bar, the window and the store.
    s.find(name="Desk", role="check box").press()
    s.wait_for(contains="17 files: 15 images, preview PDF, video")
    s.find(name="Title", role="text").set_text("Spring Pack")
    s.wait(lambda: window_named(s, "Spring Pack"), 10, "the window title did not follow")
    s.wait(lambda: stored_settings(s)["title"] == "Spring Pack"
           and "desk" not in stored_settings(s)["layouts"], 10, "the store did not follow")

    # Sliders read in the units they are shown in: percent and seconds.
    s.find(name="Preview PDF", role="radio button").press("Press")  # a click, not a toggle
    strength = s.wait_for(name="Watermark strength", role="slider", showing=True)
    expect(strength.value == 22, f"the watermark's strength reads {strength.value}, not 22 %")
    s.find(name="Flip-Through Video", role="radio button").press("Press")
    s.wait_for(name="Play", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Pause", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Play", role="push button", showing=True)
    time = s.find(name="Time", role="slider")
    expect(0 < time.value < 15, f"the video's position reads {time.value}, not seconds")

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
