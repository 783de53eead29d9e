"""A PDF given on the command line opens in the window; files that are not PDFs before it are
passed over, and PDFs after it are ignored."""
from common import *

with session("/etc/hostname", CAD, ASY_LATEX) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    expect(not s.find_all(contains="asy-latex.pdf"), "a second PDF was opened as well")
    show = s.wait_for(name="Show", role="panel")
    expect(show.showing, "the Show control is missing on the listing page")
    for pane in ("Images", "Preview PDF", "Flip-Through Video"):
        s.find(name=pane, role="radio button")
    open_button = s.find(name="Open PDF")
    expect(open_button.enabled, "Open PDF is disabled")
