"""The page as an app: the app's folder served on the loopback, as a school's host serves it,
installed, offline, and updated, in Chromium through the DevTools protocol; offline in Firefox
through WebDriver BiDi; and from disk, where it registers nothing."""
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import bidi
import cdp
from served import Served

WEB = pathlib.Path(os.environ['HALMIRA_WEB'])
SOURCE = pathlib.Path(__file__).resolve().parents[2]
LANGUAGES = ['cs'] + sorted(p.stem for p in (SOURCE / 'po').glob('*.po'))
READY = 'window.halmiraStats && halmiraStats.ready !== null'
CONTROLLED = '!!navigator.serviceWorker.controller'
VERSION = 'document.querySelector("meta[name=version]").content'
CACHES = 'caches.keys()'
RUN_ENDED = 'halmiraStats.runs.some(r => r.handler === "Start" && r.ended)'


def new_version(folder, version):
    """The app's folder again, as the build makes it, but with another version of the page."""
    page = pathlib.Path(tempfile.mkdtemp(prefix='halmira-page-'), 'halmira.html')
    html = (WEB / 'halmira.html').read_text()
    page.write_text(re.sub(r'(<meta name="version" content=")[^"]*', r'\g<1>' + version, html))
    files = [f'--file={p}' for p in sorted((WEB / 'app').iterdir())
             if p.name not in ('index.html', 'sw.js')]
    subprocess.run([sys.executable, SOURCE / 'web' / 'site.py', '--page', page,
                    '--worker', SOURCE / 'web' / 'app' / 'sw.js', *files,
                    '--version', version, '--out', folder], check=True)
    shutil.rmtree(page.parent)


class Host:
    """The app's folder of one version, served; it can go away and come back at its address."""

    def __init__(self):
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix='halmira-host-'), 'halmira')
        shutil.copytree(WEB / 'app', self.folder)
        self.served = Served(self.folder)
        self.url = self.served.url

    def stop(self):
        self.served.stop()

    def start(self):
        self.served = Served(self.folder, port=self.served.port)

    def close(self):
        self.served.stop()
        shutil.rmtree(self.folder.parent)


def open_ready(page, url):
    page.navigate(url)
    page.wait_for(READY)


def installed_offline(test, browser, host):
    """Visited once, then opened again with the host gone: the worker's copy opens, and runs."""
    page = browser.page()
    open_ready(page, host.url)
    page.wait_for('navigator.serviceWorker.ready.then(() => true)')
    open_ready(page, host.url)
    test.assertTrue(page.evaluate(CONTROLLED))
    host.stop()
    try:
        open_ready(page, host.url + '?lang=en')
        test.assertTrue(page.evaluate(CONTROLLED))
        test.assertEqual(page.evaluate('halmiraStats.layout.language'), 'en')
        page.click('comStart')
        page.wait_for(RUN_ENDED)
        run = page.evaluate('halmiraStats.runs.find(r => r.handler === "Start")')
        test.assertGreater(run['records'], 1000)
        test.assertEqual(page.evaluate('halmiraStats.ended'), False)
    finally:
        host.start()
    page.close()


class ChromiumApp(unittest.TestCase):
    def setUp(self):
        self.host = Host()
        # A browser of its own each time: no worker is left from another test.
        self.browser = cdp.Browser()

    def tearDown(self):
        self.browser.close()
        self.host.close()

    def test_installable_in_every_language(self):
        page = self.browser.page()
        for code in LANGUAGES:
            with self.subTest(code):
                open_ready(page, f'{self.host.url}?lang={code}')
                page.wait_for('!!document.querySelector("link[rel=manifest]")')
                words = page.evaluate('halmiraStats.layout.words')
                manifest = page.send('Page.getAppManifest')
                self.assertEqual(manifest['errors'], [])
                data = json.loads(manifest['data'])
                self.assertEqual((data['name'], data['description'], data['lang']),
                                 (words['ProgramName'], words['Description'], code))
                self.assertEqual(page.send('Page.getInstallabilityErrors'),
                                 {'installabilityErrors': []})
        self.assertEqual(page.errors(), [])

    def test_opens_and_runs_offline_once_visited(self):
        installed_offline(self, self.browser, self.host)

    def test_a_new_version_takes_over_at_the_next_start_and_never_mid_run(self):
        page = self.browser.page()
        open_ready(page, self.host.url)
        page.wait_for('navigator.serviceWorker.ready.then(() => true)')
        open_ready(page, self.host.url)
        self.assertTrue(page.evaluate(CONTROLLED))
        old = page.evaluate(VERSION)
        [old_cache] = page.evaluate(CACHES)
        # The new version comes while a run goes on, and the browser finds it meanwhile.
        page.evaluate('window.sameStart = true')
        page.click('comStart')
        new_version(self.host.folder, '9.9.9')
        page.evaluate('navigator.serviceWorker.getRegistration().then(r => r.update())'
                      '.then(() => true)')
        page.wait_for(f'{CACHES}.then(k => k.length === 1 && k[0] !== {json.dumps(old_cache)})')
        page.wait_for(RUN_ENDED)
        self.assertTrue(page.evaluate('window.sameStart === true'))
        self.assertEqual(page.evaluate(VERSION), old)
        self.assertEqual(page.evaluate('halmiraStats.runs.length'), 2)  # Load, then Start
        # The next start is the new version, whole, from the new worker's copy.
        self.host.stop()
        try:
            open_ready(page, self.host.url)
            self.assertEqual(page.evaluate(VERSION), '9.9.9')
            self.assertIn('9.9.9', page.evaluate(CACHES)[0])
        finally:
            self.host.start()
        self.assertEqual(page.errors(), [])

    def test_from_disk_nothing_is_registered_and_nothing_said(self):
        page = self.browser.page()
        open_ready(page, (self.host.folder / 'index.html').as_uri())
        self.assertEqual(page.evaluate('navigator.serviceWorker?.getRegistrations()'
                                       '.then(r => r.length, () => 0) ?? 0'), 0)
        self.assertFalse(page.evaluate('!!document.querySelector("link[rel=manifest]")'))
        self.assertTrue(page.evaluate('document.getElementById("install").hidden'))
        self.assertEqual(page.errors(), [])

    def test_the_install_entry_where_the_browser_offers_it(self):
        page = self.browser.page()
        # Only the test's offer: Chromium's own may come at any time, and its prompt never
        # answers in a headless browser.
        page.send('Page.addScriptToEvaluateOnNewDocument', {'source': '''
            addEventListener('beforeinstallprompt', (event) => {
                if (event.isTrusted) event.stopImmediatePropagation();
            }, true);'''})
        open_ready(page, f'{self.host.url}?lang=de')
        page.wait_for('!!document.querySelector("link[rel=manifest]")')
        words = page.evaluate('halmiraStats.layout.words')
        self.assertTrue(page.evaluate('document.getElementById("install").hidden'))
        # The browser's offer, as Chromium makes it once it finds the page installable.
        page.evaluate('''(() => {
            const offer = new Event('beforeinstallprompt', { cancelable: true });
            offer.prompt = () => { window.prompted = (window.prompted ?? 0) + 1; };
            offer.userChoice = Promise.resolve({ outcome: 'accepted' });
            dispatchEvent(offer);
            return offer.defaultPrevented;
        })()''')
        self.assertFalse(page.evaluate('document.getElementById("install").hidden'))
        self.assertEqual(page.evaluate('document.getElementById("install").ariaLabel'),
                         words['InstallApp'])
        page.click('install')
        page.click('install')
        self.assertEqual(page.evaluate('window.prompted'), 1)  # an offer is given once
        self.assertTrue(page.evaluate('document.getElementById("install").hidden'))

    def test_on_an_ipad_the_entry_shows_how_to_add_it(self):
        page = self.browser.page()
        page.send('Page.addScriptToEvaluateOnNewDocument', {'source': '''
            Object.defineProperty(Navigator.prototype, 'standalone', { get: () => false });
            Object.defineProperty(Navigator.prototype, 'maxTouchPoints', { get: () => 5 });'''})
        open_ready(page, f'{self.host.url}?lang=uk')
        page.wait_for('!document.getElementById("install").hidden')
        words = page.evaluate('halmiraStats.layout.words')
        self.assertEqual(page.evaluate('document.getElementById("install").ariaLabel'),
                         words['AddToHomeScreen'])
        page.click('install')
        self.assertEqual(page.evaluate('document.getElementById("notice").textContent'),
                         words['AddToHomeScreenHow'])
        self.assertEqual(page.evaluate('document.getElementById("notice").role'), 'status')
        self.assertFalse(page.evaluate('document.getElementById("notice").hidden'))


class FirefoxApp(unittest.TestCase):
    def test_opens_and_runs_offline_once_visited(self):
        host = Host()
        browser = bidi.Browser()
        try:
            installed_offline(self, browser, host)
        finally:
            browser.close()
            host.close()


if __name__ == '__main__':
    unittest.main()
