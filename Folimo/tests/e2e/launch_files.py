"""PDFs handed over at launch: the first PDF on the command line opens in the window (files
that are not PDFs before it are passed over, PDFs after it ignored), and a second launch hands
its PDF to the running window and ends."""
from common import *

with session("/etc/hostname", CAD, ASY_LATEX) as s:
    s.wait_for(name="CAD.pdf, 7 pages")
    expect(not s.find_all(contains="asy-latex.pdf"), "a second PDF was opened as well")
    second = s.launch([APP, ASY_LATEX])
    expect(second.returncode == 0, f"the second launch ended with {second.returncode}")
    s.wait_for(name="asy-latex.pdf, 11 pages")
    expect(s.alive(), "the first launch ended")
    expect(len([w for w in s.windows() if w.role == "frame"]) == 1, "more than one window")
