"""The browser edition in each browser engine Debian has, served and opened from disk: the
window where the desktop puts it, a run that draws what the desktop draws, and Konec given
during a run ending the program only after it."""
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

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def test_each_engine_served_and_from_disk(self):
        for engine, Browser in ENGINES.items():
            browser = Browser()
            try:
                for opening, url in self.openings.items():
                    with self.subTest(engine=engine, opening=opening):
                        self.run_draws_as_the_desktop(browser, url, f'{engine}-{opening[:4]}')
                        self.konec_waits_for_the_run(browser, url)
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
