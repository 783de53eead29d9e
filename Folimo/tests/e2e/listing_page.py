"""The listing page as a screen reader and the keyboard read it: the Tab order, the large image
and the layout cards, the preview sheets, the video's play button (also on the space bar) and
position in seconds, and the inspector's controls that follow the pane."""
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
    for layout in ("Page grid", "Cover", "Fanned pages", "Clipboard", "Desk", "Frame"):
        card = s.find(name=layout, role="push button", showing=True)
        expect(card.description == "In the set", f"{layout} reads {card.description!r}")
    expect(s.find(name="Page grid", role="push button").state(pyatspi.STATE_SELECTED),
           "the shown layout's card is not selected")

    # Pressing a card shows its layout large.
    s.find(name="Desk", role="push button").press()
    s.wait_for(name="Desk image, 2000 by 1500 pixels", role="image", showing=True)
    for name in ("Title", "Pages"):
        s.find(name=name, role="text", showing=True)

    click(s.find(name="Preview PDF", role="radio button"))
    s.wait_for(name="4 sheets, 11 × 8.5 in", role="label", showing=True)
    s.wait_for(name="Preview sheet 1: pages 1–2", role="list item", showing=True)
    s.find(name="Preview sheet 4: page 7", role="list item")
    s.find(name="Per sheet", role="label", showing=True)
    strength = s.find(name="Watermark strength", role="slider", showing=True)
    expect(strength.value == 22, f"the watermark's strength reads {strength.value}, not 22 %")

    click(s.find(name="Flip-Through Video", role="radio button"))
    s.wait_for(name="Video frame at 0.0 seconds", role="image", showing=True)
    s.find(name="Length in seconds", role="slider", showing=True)
    s.wait_for(name="Play", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Pause", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Play", role="push button", showing=True)
    time = s.find(name="Time", role="slider")
    expect(0 < time.value < 15, f"the video's position reads {time.value}, not seconds")
    expect(not s.find_all(name="Watermarked preview PDF", showing=True),
           "the images pane's sections stayed in the inspector")
