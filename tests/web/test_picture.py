"""The teacher's picture from the page, in Chromium and in Firefox: the corner's picture menu
offers nothing before a run, holds an entry chosen during a run until it is over, and then
gives an SVG download that draws what the canvas drew, a PNG at print resolution that says
what it is, and a print of the drawing alone on one landscape page. A long press on the
drawing opens the same menu."""
import base64
import os
import pathlib
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zlib

import numpy

from engines import ENGINES
from served import Served
from reference import ink, page_ink, unmatched

WEB = pathlib.Path(os.environ['HALMIRA_WEB'])
RUN_ENDED = 'halmiraStats.runs.some(r => r.handler === "Start" && r.ended)'

# What the page offers as downloads, caught as it clicks its link; its prints, counted; and what
# it says to a screen reader.
CATCH = '''(() => {
    window.caught = [];
    window.printed = 0;
    const click = HTMLAnchorElement.prototype.click;
    HTMLAnchorElement.prototype.click = function () {
        const name = this.download;
        caught.push(fetch(this.href).then((r) => r.arrayBuffer()).then((b) => {
            const bytes = new Uint8Array(b);
            let s = '';
            for (let i = 0; i < bytes.length; i += 0x8000)
                s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
            return { name, bytes: btoa(s) };
        }));
        return click.call(this);
    };
    window.print = () => { printed += 1; };
    // What the live region said, though each line goes after a while.
    window.heard = [];
    new MutationObserver((changes) => changes.forEach((c) => c.addedNodes.forEach(
        (n) => heard.push(n.textContent)))).observe(document.getElementById('status'),
                                                    { childList: true });
    return true;
})()'''

CAPTIONS = '''[...document.querySelectorAll('#halmira input')].filter((e) => !e.hidden)
    .map((e) => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight])'''
ENTRIES = '[...document.querySelectorAll("#pictureMenu button")]'
MENU_OPEN = '!document.getElementById("pictureMenu").hidden'

# The SVG drawn by the browser itself at its own size, as rows of RGBA bytes.
DRAWN_SVG = '''(async () => {
    const text = atob(%r);
    const image = new Image();
    image.src = URL.createObjectURL(new Blob([text], { type: 'image/svg+xml' }));
    await image.decode();
    const c = document.createElement('canvas');
    c.width = image.naturalWidth;
    c.height = image.naturalHeight;
    const g = c.getContext('2d');
    g.drawImage(image, 0, 0);
    const d = g.getImageData(0, 0, c.width, c.height).data;
    let s = '';
    for (let i = 0; i < d.length; i += 0x8000)
        s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
    return [c.width, c.height, btoa(s)];
})()'''


def png_chunks(data):
    """The PNG's chunks, by type: the header's fields, and the iTXt entries by keyword."""
    assert data[:8] == b'\x89PNG\r\n\x1a\n'
    at, header, texts = 8, None, {}
    while at < len(data):
        length, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        assert zlib.crc32(kind + body) == struct.unpack('>I', data[at + 8 + length:at + 12 + length])[0]
        if kind == b'IHDR':
            header = struct.unpack('>II', body[:8])
        elif kind == b'iTXt':
            keyword, rest = body.split(b'\0', 1)
            texts[keyword.decode()] = rest[2:].split(b'\0', 2)[2].decode()
        at += 12 + length
    return header, texts


class PicturePage:
    """The page in one browser, with its downloads and prints caught."""

    def __init__(self, browser, url):
        self.page = browser.page()
        self.page.navigate(url)
        self.page.wait_for('window.halmiraStats && halmiraStats.ready !== null', 30)
        self.page.evaluate(CATCH)

    def choose(self, entry):
        self.page.click('picture')
        self.page.wait_for(MENU_OPEN, 5)
        box = self.page.evaluate(f'{ENTRIES}[{entry}].getBoundingClientRect().toJSON()')
        self.page.click(None, at=(box['x'] + box['width'] / 2, box['y'] + box['height'] / 2))

    def caught(self, count):
        self.page.wait_for(f'caught.length >= {count}', 30)
        return [{**c, 'bytes': base64.b64decode(c['bytes'])}
                for c in self.page.evaluate('Promise.all(caught)')]


class PictureInEachBrowser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Served(WEB)
        cls.url = cls.server.url + '?scale=1'

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    # One driver over the two engines, each with its own way of holding a finger down.
    def test_each_browser(self):
        for engine, press in (('chromium', self.chromium_long_press),
                              ('firefox', self.bidi_long_press)):
            browser = ENGINES[engine]()
            try:
                with self.subTest(engine=engine):
                    self.check(browser, engine)
                    self.long_press_opens_the_menu(browser, press)
            finally:
                browser.close()

    def check(self, browser, engine):
        shown = PicturePage(browser, self.url)
        page = shown.page
        words = page.evaluate('halmiraStats.layout.words')
        self.assertEqual(page.evaluate('document.getElementById("picture").ariaLabel'),
                         words['PictureMenu'])
        # Before the first run: every entry there, named, and none to be chosen.
        page.click('picture')
        page.wait_for(MENU_OPEN, 5)
        self.assertEqual(page.evaluate(f'{ENTRIES}.map(e => [e.textContent, e.ariaDisabled === "true"])'),
                         [[words['SavePictureAs'].replace('%1', 'SVG'), True],
                          [words['SavePictureAs'].replace('%1', 'PNG'), True],
                          [words['PrintPictureAlone'], True]])
        # A disabled entry does nothing; Escape closes the menu.
        page.key('Enter')
        time.sleep(0.3)
        self.assertEqual(page.evaluate('caught.length'), 0)
        page.key('Escape')
        self.assertFalse(page.evaluate(MENU_OPEN))

        # Saved as SVG during the run: carried out after it, whole.
        page.click('comStart')
        page.wait_for('halmiraStats.runs.at(-1).records > 2000', 30)
        shown.choose(0)
        self.assertFalse(page.evaluate(RUN_ENDED))
        svg = shown.caught(1)[0]
        self.assertTrue(page.evaluate(RUN_ENDED))
        self.assertEqual(svg['name'], 'halmira-cs.svg')
        self.assertIn(b'</svg>', svg['bytes'])
        width, height, data = page.evaluate(DRAWN_SVG % base64.b64encode(svg['bytes']).decode())
        drawn = ink(numpy.frombuffer(base64.b64decode(data), numpy.uint8).reshape(height, width, 4))
        canvas = page_ink(page)
        self.assertEqual(drawn.shape, canvas.shape)
        # The captions are text boxes over the page's canvas, and text in the SVG: both without.
        for left, top, w, h in page.evaluate(CAPTIONS):
            drawn[top:top + h, left:left + w] = False
            canvas[top:top + h, left:left + w] = False
        print(f'{engine}: unmatched ink {unmatched(drawn, canvas):.4f} of the SVG\'s, '
              f'{unmatched(canvas, drawn):.4f} of the canvas\'s', file=sys.stderr)
        self.assertLess(unmatched(drawn, canvas), 0.005, engine)
        self.assertLess(unmatched(canvas, drawn), 0.005, engine)
        page.wait_for('heard.length > 0', 10)
        self.assertIn(words['PictureSaved'].replace('%1', 'halmira-cs.svg'),
                      page.evaluate('heard'))

        # The PNG at print resolution, with what it is in its text.
        shown.choose(1)
        png = shown.caught(2)[1]
        self.assertEqual(png['name'], 'halmira-cs.png')
        (png_width, png_height), texts = png_chunks(png['bytes'])
        self.assertEqual((png_width, png_height), (width * 5, height * 5))
        self.assertEqual(texts['Title'], words['SceneName'])
        self.assertTrue(texts['Software'].startswith('Halmira '))

        # Printed: the drawing alone, on one landscape page.
        shown.choose(2)
        page.wait_for('printed === 1', 10)
        self.assertTrue(page.evaluate('Boolean(document.querySelector("#printed img"))'))
        if engine == 'chromium':
            pdf = base64.b64decode(page.send('Page.printToPDF',
                                             {'preferCSSPageSize': True})['data'])
            with tempfile.NamedTemporaryFile(suffix='.pdf') as file:
                file.write(pdf)
                file.flush()
                info = subprocess.run(['pdfinfo', file.name], capture_output=True,
                                      text=True, check=True).stdout
            self.assertRegex(info, r'Pages:\s+1\n')
            self.assertRegex(info, r'Page size:\s+841\.92 x 594\.96 pts')
        self.assertEqual(page.errors(), [])
        page.close()

    def long_press_opens_the_menu(self, browser, press):
        shown = PicturePage(browser, self.url)
        x, y = shown.page.centre('halmira')
        press(shown.page, x, y)
        shown.page.wait_for(MENU_OPEN, 5)
        self.assertEqual(shown.page.evaluate('document.activeElement.textContent'),
                         shown.page.evaluate(f'{ENTRIES}[0].textContent'))
        shown.page.close()

    @staticmethod
    def chromium_long_press(page, x, y):
        page.send('Input.dispatchTouchEvent',
                  {'type': 'touchStart', 'touchPoints': [{'x': x, 'y': y}]})
        time.sleep(0.9)
        page.send('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})

    @staticmethod
    def bidi_long_press(page, x, y):
        page.send('input.performActions', {'actions': [{
            'type': 'pointer', 'id': 'finger', 'parameters': {'pointerType': 'touch'},
            'actions': [{'type': 'pointerMove', 'x': round(x), 'y': round(y)},
                        {'type': 'pointerDown', 'button': 0}, {'type': 'pause', 'duration': 900},
                        {'type': 'pointerUp', 'button': 0}]}]})


if __name__ == '__main__':
    unittest.main()
