"""The browser edition on the screens pupils meet it on, in Chromium's device emulation: the
whole window fits and fills the screen, opens in view, draws as sharp as the screen is after a
run and after a pinch zoom, and takes taps and drags on touch screens."""
import os
import pathlib
import tempfile
import unittest

import cdp
from served import Served

WEB = pathlib.Path(os.environ['HALMIRA_WEB'])
SHOTS = pathlib.Path(os.environ.get('SCREENSHOT_DIR', tempfile.gettempdir()))
RUN_ENDED = 'halmiraStats.runs.some(r => r.handler === "Start" && r.ended)'
RECT = '''(() => {{ const r = document.querySelector({!r}).getBoundingClientRect();
    return [r.x, r.y, r.width, r.height]; }})()'''
CANVAS = '#halmira canvas'

# name, width, height, device pixel ratio, touch
DEVICES = [
    ('tablet portrait', 768, 1024, 2, True),
    ('tablet landscape', 1024, 768, 2, True),
    ('chromebook', 1366, 768, 1, False),
    ('phone landscape', 740, 360, 3, True),
    ('phone portrait', 360, 740, 3, True),
    ('projector', 1920, 1080, 1, False),
]


class Screens(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Served(WEB)
        cls.url = cls.server.url
        cls.browser = cdp.Browser()
        SHOTS.mkdir(parents=True, exist_ok=True)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        cls.server.stop()

    def open(self, width, height, ratio, touch):
        page = self.browser.page()
        page.send('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': touch})
        page.send('Emulation.setTouchEmulationEnabled', {'enabled': touch, 'maxTouchPoints': 5})
        page.navigate(self.url)
        page.wait_for('window.halmiraStats && halmiraStats.ready !== null')
        page.evaluate('new Promise((done) => requestAnimationFrame(() => done(true)))')  # fitted
        # What the live region says, as it says it: its lines go again after a while.
        page.evaluate('window.told = []; new MutationObserver((changes) => changes.forEach((c) => '
                      'c.addedNodes.forEach((n) => told.push(n.textContent)))).observe('
                      'document.getElementById("status"), { childList: true })')
        return page

    def rect(self, page, selector):
        return page.evaluate(RECT.format(selector))

    def tap(self, page, x, y, to=None):
        """A finger down at a point, moved in steps to another, and lifted."""
        page.send('Input.dispatchTouchEvent', {'type': 'touchStart', 'touchPoints': [{'x': x, 'y': y}]})
        if to:
            for k in range(1, 6):
                page.send('Input.dispatchTouchEvent', {'type': 'touchMove', 'touchPoints': [
                    {'x': x + (to[0] - x) * k / 5, 'y': y + (to[1] - y) * k / 5}]})
        page.send('Input.dispatchTouchEvent', {'type': 'touchEnd', 'touchPoints': []})

    def canvas_is_sharp(self, page, zoom=1):
        """The canvas has as many pixels as the screen shows of it."""
        width = self.rect(page, CANVAS)[2] * page.evaluate('devicePixelRatio') * zoom
        page.wait_for(f'Math.abs(document.querySelector("{CANVAS}").width - {width}) <= 1', 5)

    def test_every_screen(self):
        for name, width, height, ratio, touch in DEVICES:
            with self.subTest(name):
                page = self.open(width, height, ratio, touch)
                x, y, w, h = self.rect(page, '#halmira')
                self.assertEqual(page.evaluate('[document.getElementById("halmira").offsetWidth, '
                                               'document.getElementById("halmira").offsetHeight]'),
                                 [800, 550])
                self.assertTrue(x >= 0 and y >= 0 and x + w <= width and y + h <= height,
                                (x, y, w, h))
                self.assertGreaterEqual(max(w / width, h / height), 0.9)
                # A focus ring is two pixels or more on the screen, snapped to its pixels.
                ring = page.evaluate('''(() => { const b = document.getElementById('comStart');
                    b.focus(); const style = getComputedStyle(b);
                    return parseFloat(style.outlineWidth) * document.getElementById('halmira')
                        .getBoundingClientRect().width / 800; })()''')
                self.assertGreaterEqual(ring, 2, ring)
                self.assertEqual(page.evaluate('visualViewport.pageLeft'), 0)
                start = self.rect(page, '#comStart')
                if touch:
                    # Just above the button, within the reach a finger has there.
                    self.tap(page, start[0] + start[2] / 2, start[1] - 3 * w / 800)
                else:
                    page.click('comStart')
                page.wait_for(RUN_ENDED, 30)
                self.canvas_is_sharp(page)
                self.run_was_told(page)
                page.screenshot(SHOTS / f'web-{name.replace(" ", "-")}.png')
                if touch:
                    self.thumb_follows_a_finger(page, w / 800)
                page.close()

    def run_was_told(self, page):
        """A screen reader heard the run end, and can read what the drawing shows."""
        self.assertIsNone(page.evaluate('document.getElementById("halmira").getAttribute("aria-busy")'))
        page.wait_for('(told.at(-1) ?? "").startsWith("Animace skončila.")', 5)
        said = page.evaluate('told.at(-1)')
        self.assertEqual(page.evaluate(f'document.querySelector("{CANVAS}").getAttribute("aria-label")'),
                         'Dráhy světla u černé díry')
        self.assertIn(page.evaluate('document.getElementById("sceneDescription").textContent'), said)
        self.assertEqual(page.evaluate('document.getElementById("Image1").getAttribute("aria-hidden")'),
                         'true')

    def thumb_follows_a_finger(self, page, scale):
        tx, ty, tw, th = self.rect(page, '#HScroll1 .thumb')
        self.tap(page, tx + tw / 2, ty + th / 2, (tx + tw / 2 + 40 * scale, ty + th / 2))
        value = int(page.evaluate('document.getElementById("HScroll1").getAttribute("aria-valuenow")'))
        self.assertGreater(value, 0)
        page.wait_for(f'document.getElementById("nSpomal").value === "{value * 100 + 100000}"', 5)
        # A tap just beside the thumb is the thumb's, and moves nothing.
        tx, ty, tw, th = self.rect(page, '#HScroll1 .thumb')
        self.tap(page, tx + tw + 1.5 * scale, ty + th / 2)
        self.assertEqual(int(page.evaluate(
            'document.getElementById("HScroll1").getAttribute("aria-valuenow")')), value)

    def test_pinch_zoom_draws_again_sharp(self):
        page = self.open(740, 360, 3, True)
        page.click('comStart')
        page.wait_for(RUN_ENDED, 30)
        page.send('Emulation.setPageScaleFactor', {'pageScaleFactor': 2})
        self.canvas_is_sharp(page, zoom=2)
        page.close()


if __name__ == '__main__':
    unittest.main()
