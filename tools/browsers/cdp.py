"""A small driver for Debian's headless Chromium over the DevTools protocol, with Debian's
websocket client: pages, script evaluation, real mouse and key input, screenshots, and the
console's errors."""
import base64
import json
import pathlib
import shutil
import subprocess
import tempfile
import time
import urllib.request

import websocket

from page import Page as PageBase, cpu_seconds

FLAGS = [
    '--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-quic',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--disable-extensions', '--mute-audio', '--remote-debugging-port=0',
    '--remote-allow-origins=*', '--allow-file-access-from-files',
]
# A headless page is never on screen; these keep its timers and frames at full rate. A pupil's
# browser has none of them: a test of a hidden tab leaves them out.
FULL_RATE = ['--disable-background-timer-throttling', '--disable-renderer-backgrounding',
             '--disable-backgrounding-occluded-windows']


class Browser:
    name = 'chromium'

    def __init__(self, extra_flags=(), throttled=False):
        self.profile = tempfile.mkdtemp(prefix='halmira-chromium-')
        rate = [] if throttled else FULL_RATE
        self.process = subprocess.Popen(
            ['chromium', *FLAGS, *rate, *extra_flags, f'--user-data-dir={self.profile}',
             'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = pathlib.Path(self.profile, 'DevToolsActivePort')
        deadline = time.monotonic() + 30
        while not port_file.exists() or not port_file.read_text().strip():
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError('chromium did not start')
            time.sleep(0.05)
        port = port_file.read_text().split()[0]
        with urllib.request.urlopen(f'http://127.0.0.1:{port}/json/version') as answer:
            url = json.load(answer)['webSocketDebuggerUrl']
        self.socket = websocket.create_connection(url, suppress_origin=True, timeout=120)
        self.next_id = 0
        self.events = []

    def send(self, method, params=None, session=None):
        self.next_id += 1
        message = {'id': self.next_id, 'method': method, 'params': params or {}}
        if session:
            message['sessionId'] = session
        self.socket.send(json.dumps(message))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get('id') == self.next_id:
                if 'error' in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer.get('result', {})
            self.events.append(answer)

    def poll(self, seconds):
        """Collects the events that arrive within the given time."""
        self.socket.settimeout(seconds)
        try:
            while True:
                self.events.append(json.loads(self.socket.recv()))
        except websocket.WebSocketTimeoutException:
            pass
        finally:
            self.socket.settimeout(120)

    def page(self, width=900, height=700, ratio=1):
        target = self.send('Target.createTarget', {'url': 'about:blank'})['targetId']
        session = self.send('Target.attachToTarget', {'targetId': target, 'flatten': True})
        page = Page(self, session['sessionId'], width, height, ratio)
        page.target = target
        return page

    def hide(self, page):
        """Another tab to the front, which hides the page's; it is made once and kept."""
        if not getattr(self, 'cover', None):
            self.cover = self.send('Target.createTarget', {'url': 'about:blank'})['targetId']
        self.send('Target.activateTarget', {'targetId': self.cover})

    def show(self, page):
        self.send('Target.activateTarget', {'targetId': page.target})

    def cpu_seconds(self):
        return cpu_seconds(self.process.pid)

    def close(self):
        try:
            self.socket.close()
        finally:
            self.process.terminate()
            self.process.wait(timeout=30)
            shutil.rmtree(self.profile, ignore_errors=True)


# The Windows key codes, and the text typed, of the keys the tests press by name.
KEYS = {'Tab': (9, None), 'Enter': (13, '\r'), 'Backspace': (8, None), 'Delete': (46, None),
        'Home': (36, None), 'End': (35, None), 'ArrowLeft': (37, None), 'ArrowRight': (39, None),
        'PageDown': (34, None), 'PageUp': (33, None), 'Escape': (27, None), ' ': (32, ' ')}


class Page(PageBase):
    def __init__(self, browser, session, width, height, ratio):
        self.browser = browser
        self.session = session
        self.x = self.y = self.held = 0
        for domain in ('Page', 'Runtime', 'Log'):
            self.send(f'{domain}.enable')
        self.send('Emulation.setDeviceMetricsOverride',
                  {'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': False})

    def send(self, method, params=None):
        return self.browser.send(method, params, self.session)

    def navigate(self, url):
        self.send('Page.navigate', {'url': url})
        self.wait_for('document.readyState === "complete"')

    def evaluate(self, expression):
        result = self.send('Runtime.evaluate', {
            'expression': expression, 'returnByValue': True, 'awaitPromise': True})
        if 'exceptionDetails' in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result['result'].get('value')

    def mouse(self, kind, x, y, buttons=None):
        if buttons is None:
            buttons = 1 if kind == 'mousePressed' else 0
        self.send('Input.dispatchMouseEvent', {'type': kind, 'x': x, 'y': y, 'button': 'left',
                                               'buttons': buttons, 'clickCount': 1})

    def click(self, element_id, at=None):
        x, y = at or self.centre(element_id)
        self.mouse('mousePressed', x, y)
        self.mouse('mouseReleased', x, y)

    def pointer(self, steps):
        """WebDriver's pointer actions, as the DevTools protocol's mouse events."""
        kinds = {'pointerMove': 'mouseMoved', 'pointerDown': 'mousePressed',
                 'pointerUp': 'mouseReleased'}
        for step in steps:
            self.x, self.y = step.get('x', self.x), step.get('y', self.y)
            if step['type'] == 'pause':
                time.sleep(step.get('duration', 0) / 1000)
                continue
            self.held = {'pointerDown': 1, 'pointerUp': 0}.get(step['type'], self.held)
            self.mouse(kinds[step['type']], self.x, self.y, self.held)

    def wheel(self, x, y, delta_y):
        self.send('Input.dispatchMouseEvent', {'type': 'mouseWheel', 'x': x, 'y': y,
                                               'deltaX': 0, 'deltaY': delta_y})

    def key(self, key, code=None, key_code=0, text=None, shift=False):
        """A key pressed and released, with Shift held if asked; with text, it also types that
        text, as Enter does. Keys named as the tests name them, and single characters, need
        nothing more."""
        key_code, text = key_code or KEYS.get(key, (0, None))[0], text or KEYS.get(key, (0, None))[1]
        if len(key) == 1:
            key_code, text = key_code or ord(key.upper()), key
        down = {'type': 'keyDown', 'text': text} if text else {'type': 'rawKeyDown'}
        for event in (down, {'type': 'keyUp'}):
            self.send('Input.dispatchKeyEvent', {
                **event, 'key': key, 'code': code or key, 'windowsVirtualKeyCode': key_code,
                'modifiers': 8 if shift else 0})

    def key_down(self, key):
        key_code, text = KEYS.get(key, (ord(key.upper()) if len(key) == 1 else 0, None))
        event = {'type': 'keyDown', 'text': text} if text else {'type': 'rawKeyDown'}
        self.send('Input.dispatchKeyEvent',
                  {**event, 'key': key, 'code': key, 'windowsVirtualKeyCode': key_code})

    def key_up(self, key):
        key_code = KEYS.get(key, (ord(key.upper()) if len(key) == 1 else 0, None))[0]
        self.send('Input.dispatchKeyEvent',
                  {'type': 'keyUp', 'key': key, 'code': key, 'windowsVirtualKeyCode': key_code})

    def screenshot(self, path):
        data = self.send('Page.captureScreenshot', {'format': 'png'})['data']
        pathlib.Path(path).write_bytes(base64.b64decode(data))

    def errors(self):
        """The console's errors and uncaught exceptions of this page so far."""
        self.browser.poll(0.05)
        found = []
        for event in self.browser.events:
            if event.get('sessionId') != self.session:
                continue
            method, params = event.get('method'), event.get('params', {})
            if method == 'Runtime.exceptionThrown':
                found.append(params['exceptionDetails'].get('text', 'exception'))
            elif method == 'Runtime.consoleAPICalled' and params.get('type') == 'error':
                found.append(' '.join(str(a.get('value', a.get('description')))
                                      for a in params.get('args', [])))
            elif method == 'Log.entryAdded' and params['entry'].get('level') == 'error':
                found.append(params['entry'].get('text'))
        return found

    def close(self):
        self.send('Page.close')
