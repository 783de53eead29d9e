"""The listing page as a screen reader and the keyboard read it: the Tab order, the Show choice
as radio buttons, and sliders in percent and seconds. (What each control does is the view
tests'.)"""
from common import *
import pyatspi


def click(node):
    """Presses a toggle button as a click does (its first action only toggles it)."""
    actions = node.acc.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press") if "Press" in names else 0)


def focused(s):
    """What holds the keyboard (a list's current row reads as focused too, so rows don't count:
    the list does)."""
    return next((n for n in s.nodes()
                 if n.showing and n.role != "list item" and n.state(pyatspi.STATE_FOCUSED)), None)


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

    # Sliders read in the units they are shown in: percent and seconds.
    click(s.find(name="Preview PDF", role="radio button"))
    strength = s.wait_for(name="Watermark strength", role="slider", showing=True)
    expect(strength.value == 22, f"the watermark's strength reads {strength.value}, not 22 %")
    click(s.find(name="Flip-Through Video", role="radio button"))
    s.wait_for(name="Play", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Pause", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Play", role="push button", showing=True)
    time = s.find(name="Time", role="slider")
    expect(0 < time.value < 15, f"the video's position reads {time.value}, not seconds")
