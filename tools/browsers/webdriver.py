"""A small driver for WebKitGTK through Debian's WebKitWebDriver, which speaks W3C WebDriver
over HTTP and drives the MiniBrowser of libwebkit2gtk-4.1: pages, script evaluation, real mouse
input and screenshots. The MiniBrowser needs a display; the tests run it on Xvfb."""
import base64
import glob
import json
import os
import pathlib
import signal
import socket
import subprocess
import time
import urllib.error
import urllib.request

from page import Page, cpu_seconds
from bidi import KEYS, with_shift


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Browser:
    name = 'webkit'

    def __init__(self):
        self.binary = glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser')[0]
        self.start()

    def start(self):
        port = free_port()
        # In a group of its own, so that a MiniBrowser it started goes with it.
        self.process = subprocess.Popen(['WebKitWebDriver', f'--port={port}'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        self.base = f'http://127.0.0.1:{port}'
        deadline = time.monotonic() + 30
        while True:
            try:
                self.request('GET', '/status')
                break
            except (urllib.error.URLError, ConnectionError):
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError('WebKitWebDriver did not start')
                time.sleep(0.1)

    def request(self, method, path, body=None, timeout=120):
        data = None if body is None else json.dumps(body).encode()
        call = urllib.request.Request(self.base + path, data=data, method=method,
                                      headers={'Content-Type': 'application/json'})
        try:
            with urllib.request.urlopen(call, timeout=timeout) as answer:
                return json.load(answer)['value']
        except urllib.error.HTTPError as error:
            raise RuntimeError(f'{method} {path}: {error.read().decode()}') from None

    def page(self, width=900, height=700):
        asked = {'capabilities': {'alwaysMatch': {
            'webkitgtk:browserOptions': {'binary': self.binary, 'args': ['--automation']}}}}
        try:
            session = self.request('POST', '/session', asked, timeout=60)
        except TimeoutError:
            # Once in a while a MiniBrowser never answers the driver that started it, and the
            # driver then answers nothing more: a new driver is asked once more.
            self.close()
            self.start()
            session = self.request('POST', '/session', asked)
        return WebDriverPage(self, session['sessionId'], width, height)

    def cpu_seconds(self):
        return cpu_seconds(self.process.pid)

    def close(self):
        try:
            os.killpg(self.process.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        self.process.wait(timeout=30)


class WebDriverPage(Page):
    """One MiniBrowser window: WebKitWebDriver gives each session its own."""

    def __init__(self, browser, session, width, height):
        self.browser = browser
        self.session = session
        self.send('POST', '/window/rect', {'width': width, 'height': height})
        # The window's frame is not the page's viewport; make the viewport the size asked for.
        inner = self.evaluate('[innerWidth, innerHeight]')
        self.send('POST', '/window/rect', {'width': 2 * width - inner[0],
                                           'height': 2 * height - inner[1]})

    def send(self, method, path, body=None):
        return self.browser.request(method, f'/session/{self.session}{path}', body)

    def navigate(self, url):
        self.send('POST', '/url', {'url': url})

    def evaluate(self, expression):
        text = self.send('POST', '/execute/async', {
            'script': 'const done = arguments[arguments.length - 1];'
                      f'(async () => ({expression}))().then((v) => done(JSON.stringify(v)),'
                      '(e) => done(JSON.stringify({ __error: String(e) })));',
            'args': []})
        value = None if text is None else json.loads(text)
        if isinstance(value, dict) and '__error' in value:
            raise RuntimeError(f"{expression}: {value['__error']}")
        return value

    def pointer(self, steps):
        self.send('POST', '/actions', {'actions': [{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
            'actions': steps}]})
        self.send('DELETE', '/actions')

    def key(self, key, shift=False, **_):
        value = KEYS.get(key, key)
        self.send('POST', '/actions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': with_shift([{'type': 'keyDown', 'value': value},
                                   {'type': 'keyUp', 'value': value}], shift)}]})

    def key_down(self, key):
        self.send('POST', '/actions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyDown', 'value': KEYS.get(key, key)}]}]})

    def key_up(self, key):
        self.send('POST', '/actions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyUp', 'value': KEYS.get(key, key)}]}]})

    def screenshot(self, path):
        pathlib.Path(path).write_bytes(base64.b64decode(self.send('GET', '/screenshot')))

    def errors(self):
        return []  # classic WebDriver carries no console

    def close(self):
        self.browser.request('DELETE', f'/session/{self.session}')
