"""The browser edition in each browser engine Debian has, served and opened from disk: the
window where the desktop puts it, a run that draws what the desktop draws, and Konec given
during a run ending the program only after it. Served, a run at the first pace keeps its
length."""
import os
import pathlib
import tempfile
import time
import unittest

from engines import ENGINES
from served import Served
from reference import MID_RUN, PLACES, desktop_ink, desktop_places, page_ink, unmatched

WEB = pathlib.Path(os.environ['HALMIRA_WEB'])
SHOTS = pathlib.Path(os.environ.get('SCREENSHOT_DIR', tempfile.gettempdir()))
RUN_ENDED = 'halmiraStats.runs.some(r => r.handler === "Start" && r.ended)'
START = 'halmiraStats.runs.find(r => r.handler === "Start")'
# 3414 waits of 5000 passes at 100 ns each.
REQUIRED_SECONDS = 1.707


class EveryEngine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Served(WEB)
        # At the window's own size: the tests compare pixels and places.
        cls.openings = {'served': cls.server.url + '?scale=1',
                        'from disk': (WEB / 'halmira.html').resolve().as_uri() + '?scale=1'}
        cls.places = desktop_places()
        cls.ink = desktop_ink()
        SHOTS.mkdir(parents=True, exist_ok=True)

        # A learning platform's page with the window in a frame it collapses, as an accordion.
        (WEB / 'framed.html').write_text(
            '<!DOCTYPE html><link rel="icon" href="data:,">'
            '<iframe id="frame" src="halmira.html" '
            'style="width: 900px; height: 700px; border: 0"></iframe>')
        cls.framed = cls.server.url + 'framed.html'

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        (WEB / 'framed.html').unlink(missing_ok=True)

    def test_each_engine_served_and_from_disk(self):
        for engine, Browser in ENGINES.items():
            browser = Browser()
            try:
                for opening, url in self.openings.items():
                    with self.subTest(engine=engine, opening=opening):
                        self.run_draws_as_the_desktop(browser, url, f'{engine}-{opening[:4]}')
                        self.konec_waits_for_the_run(browser, url)
                with self.subTest(engine=engine, check='run length'):
                    self.run_keeps_its_length(browser, self.openings['served'])
                with self.subTest(engine=engine, check='collapsed frame'):
                    self.a_collapsed_frame_breaks_nothing(browser)
                with self.subTest(engine=engine, check='Space'):
                    self.space_clicks_once_a_press(browser, self.openings['served'])
            finally:
                browser.close()

    def open(self, browser, url):
        page = browser.page()
        page.navigate(url)
        page.wait_for('window.halmiraStats && halmiraStats.ready !== null', 30)
        return page

    def run_draws_as_the_desktop(self, browser, url, shot):
        page = self.open(browser, url)
        self.assertEqual(page.evaluate(PLACES), self.places)
        page.click('comStart')
        page.wait_for(RUN_ENDED, 30)
        page.screenshot(SHOTS / f'web-{shot}.png')
        web = page_ink(page)
        self.assertEqual(web.shape, self.ink.shape)
        self.assertLess(unmatched(web, self.ink), 0.005)
        self.assertLess(unmatched(self.ink, web), 0.005)
        self.assertEqual(page.errors(), [])
        page.close()

    def run_seconds(self, browser, url, pace):
        page = self.open(browser, url)
        page.evaluate(f'document.getElementById("nSpomal").value = "{pace}"')
        page.click('comStart')
        page.wait_for(f'{START}?.ended', 30)
        seconds = page.evaluate(f'{START}.ended - {START}.started') / 1000
        page.close()
        return seconds

    # At least 0.9 of the required waits, and at most 1.5 of them and the drawing floor: a
    # loaded machine stays inside, a pace that stretches its waits does not. The page draws
    # while it runs ahead of its waits, so the floor may hide inside them.
    def run_keeps_its_length(self, browser, url):
        self.run_seconds(browser, url, '0')  # the first run compiles the engine's code
        floor = self.run_seconds(browser, url, '0')
        run = self.run_seconds(browser, url, '100000')
        print(f'{browser.name}: run {run:.3f} s, floor {floor:.3f} s')
        self.assertGreaterEqual(run, 0.9 * REQUIRED_SECONDS)
        self.assertLessEqual(run, 1.5 * (REQUIRED_SECONDS + floor))

    # Collapsed to nothing and opened again after a run, the frame shows what was drawn, and
    # the next run ends; the window never scales to zero or below.
    def a_collapsed_frame_breaks_nothing(self, browser):
        page = browser.page()
        page.navigate(self.framed)
        inner = 'document.getElementById("frame").contentWindow'
        stats = f'{inner}.halmiraStats'
        page.wait_for(f'{stats} && {stats}.ready !== null', 30)
        start = f'{inner}.document.getElementById("comStart").click()'
        pixels = ('(() => { const c = ' + inner + '.document.querySelector("#halmira canvas");'
                  ' const d = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;'
                  ' let sum = 0; for (let i = 0; i < d.length; i += 7)'
                  ' sum = (sum * 31 + d[i]) % 1e9; return [c.width, c.height, sum]; })()')
        scale = f'{inner}.document.getElementById("halmira").style.transform'
        page.evaluate(start)
        page.wait_for(f'{stats}.runs.filter(r => r.handler === "Start" && r.ended).length === 1', 30)
        time.sleep(0.3)
        drawn = page.evaluate(pixels)
        scales = []
        for height in ('0px', '700px'):
            page.evaluate(f'document.getElementById("frame").style.height = "{height}"')
            time.sleep(0.5)
            scales.append(page.evaluate(scale))
        self.assertTrue(all(float(s[6:-1]) > 0 for s in scales), scales)
        self.assertEqual(page.evaluate(pixels), drawn)
        page.evaluate(start)
        page.wait_for(f'{stats}.runs.filter(r => r.handler === "Start" && r.ended).length === 2 '
                      f'&& {stats}.idle', 30)
        self.assertIsNone(page.evaluate(f'{inner}.document.getElementById("halmira")'
                                        '.getAttribute("aria-busy")'))
        self.assertEqual(page.errors(), [])
        page.close()

    # One Start for each press and release of Space on the focused Start, whenever they fall:
    # three during a run, and one pressed during the run and released after it.
    def space_clicks_once_a_press(self, browser, url):
        page = self.open(browser, url)
        page.evaluate('document.getElementById("nSpomal").value = "60000"')  # about a second
        page.click('comStart')
        page.wait_for(MID_RUN, 30)
        for _ in range(3):
            page.key_down(' ')
            page.key_up(' ')
        page.wait_for('halmiraStats.idle', 60)
        page.evaluate('document.getElementById("nSpomal").value = "60000"')
        page.click('comStart')
        page.wait_for(MID_RUN, 30)
        page.key_down(' ')
        page.wait_for('halmiraStats.runs.at(-1).ended', 30)
        page.key_up(' ')
        time.sleep(0.5)
        page.wait_for('halmiraStats.idle', 60)
        starts = page.evaluate('halmiraStats.runs.filter(r => r.handler === "Start").length')
        self.assertEqual(starts, 1 + 3 + 1 + 1)
        page.close()

    def konec_waits_for_the_run(self, browser, url):
        page = self.open(browser, url)
        page.click('comStart')
        page.wait_for(MID_RUN, 30)
        page.click('comKonec')
        time.sleep(0.2)
        self.assertFalse(page.evaluate('halmiraStats.ended'))
        page.wait_for('halmiraStats.ended', 30)
        runs = page.evaluate('halmiraStats.runs.map(r => [r.handler, r.started, r.ended])')
        self.assertEqual([r[0] for r in runs], ['Load', 'Start', 'Konec'])
        self.assertGreaterEqual(runs[2][1], runs[1][2])
        page.close()


if __name__ == '__main__':
    unittest.main()
