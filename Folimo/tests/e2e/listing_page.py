"""The listing page as a screen reader reads it: the large image and the layout cards, the
preview sheets, the video's play button (also on the space bar), and the inspector's controls
that follow the pane."""
from common import *
import pyatspi


def click(node):
    """Presses a toggle button as a click does (its first action only toggles it)."""
    actions = node.acc.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(names.index("Press") if "Press" in names else 0)


with session(CAD) as s:
    s.wait_for(name="Page grid image, 2000 by 1500 pixels", role="image", showing=True)
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

    click(s.find(name="Preview PDF", role="check box"))
    s.wait_for(name="4 sheets, 11 × 8.5 in", role="label", showing=True)
    s.wait_for(name="Preview sheet 1: pages 1–2", role="list item", showing=True)
    s.find(name="Preview sheet 4: page 7", role="list item")
    s.find(name="Per sheet", role="label", showing=True)

    click(s.find(name="Flip-Through Video", role="check box"))
    s.wait_for(name="Video frame at 0.0 seconds", role="image", showing=True)
    s.find(name="Time", role="slider", showing=True)
    s.find(name="Length in seconds", role="slider", showing=True)
    s.wait_for(name="Play", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Pause", role="push button", showing=True)
    s.key("space")
    s.wait_for(name="Play", role="push button", showing=True)
    expect(not s.find_all(name="Watermarked preview PDF", showing=True),
           "the images pane's sections stayed in the inspector")
