"""The desktop window as the browser edition is checked against: where it puts its visible
controls, and the ink of its canvas after a run, compared within a pixel."""
import json
import os
import pathlib
import subprocess
import tempfile

import numpy

DESKTOP = os.environ['DESKTOP_REFERENCE']


def ink(pixels):
    """Where something dark was drawn: the paths, rays, discs and axes."""
    return pixels[..., :3].astype(int).sum(axis=2) < 3 * 128


def near(mask, pixels=1):
    """The mask grown by the given number of pixels in every direction."""
    grown = mask.copy()
    for dy in range(-pixels, pixels + 1):
        for dx in range(-pixels, pixels + 1):
            grown |= numpy.roll(numpy.roll(mask, dy, axis=0), dx, axis=1)
    return grown


def unmatched(a, b):
    """The share of a's ink with no ink of b within one pixel."""
    return (a & ~near(b)).sum() / max(a.sum(), 1)


def read_ppm(path):
    data = pathlib.Path(path).read_bytes()
    magic, width, height, depth, rest = data.split(maxsplit=4)
    assert magic == b'P6' and depth == b'255'
    return numpy.frombuffer(rest, numpy.uint8).reshape(int(height), int(width), 3)


def desktop_places():
    """The visible controls' places, by name: [left, top, width, height]."""
    return json.loads(subprocess.run([DESKTOP], capture_output=True, text=True,
                                     check=True).stdout)


def desktop_ink(ratio=1):
    """The ink of the desktop canvas after one run, at the given device pixel ratio."""
    with tempfile.TemporaryDirectory() as scratch:
        reference = pathlib.Path(scratch, 'desktop.ppm')
        subprocess.run([DESKTOP, reference], capture_output=True, check=True,
                       env=dict(os.environ, QT_SCALE_FACTOR=str(ratio)))
        return ink(read_ppm(reference))


def page_ink(page):
    width, height, data = page.canvas_pixels()
    return ink(numpy.frombuffer(data, numpy.uint8).reshape(height, width, 4))


# Records the page has drawn in the current run: some way into the paths (the wipe is one
# record, a whole run about 10700), and a whole run.
MID_RUN = 'halmiraStats.runs.at(-1).records > 2000'
WHOLE_RUN = 10000

PLACES = '''Object.fromEntries([...document.querySelectorAll('#halmira > [id]')]
    .filter(e => !e.hidden).map(e => [e.id, [e.offsetLeft, e.offsetTop, e.offsetWidth,
                                             e.offsetHeight]]))'''
