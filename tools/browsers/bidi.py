"""A small driver for Debian's Firefox ESR over its built-in WebDriver BiDi, with Debian's
websocket client: pages, script evaluation, real mouse input, screenshots and console errors."""
import base64
import json
import pathlib
import re
import shutil
import subprocess
import tempfile
import threading
import time

import websocket

from page import Page, cpu_seconds

# Quiet in a closed network, as an automated profile: no updates, telemetry, studies, first-run
# or new-tab pages, and no content processes started ahead for tabs that are never opened.
PREFERENCES = {
    'browser.newtabpage.enabled': False,
    'browser.newtab.preload': False,
    'browser.startup.page': 0,
    'dom.ipc.processPrelaunch.enabled': False,
    'app.update.disabledForTesting': True,
    'browser.shell.checkDefaultBrowser': False,
    'browser.startup.homepage_override.mstone': 'ignore',
    'datareporting.policy.dataSubmissionEnabled': False,
    'toolkit.telemetry.reportingpolicy.firstRun': False,
    'app.normandy.enabled': False,
    'messaging-system.rsexperimentloader.enabled': False,
    'network.captive-portal-service.enabled': False,
    'network.connectivity-service.enabled': False,
}


class Browser:
    name = 'firefox'

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix='halmira-firefox-')
        pathlib.Path(self.profile, 'user.js').write_text(''.join(
            f'user_pref({json.dumps(k)}, {json.dumps(v)});\n' for k, v in PREFERENCES.items()))
        self.process = subprocess.Popen(
            ['firefox-esr', '--headless', '--no-remote', '--remote-debugging-port', '0',
             '--profile', self.profile, 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        deadline = time.monotonic() + 60
        for line in self.process.stderr:
            if found := re.search(r'WebDriver BiDi listening on (ws://\S+)', line):
                break
            if time.monotonic() > deadline:
                raise RuntimeError('firefox did not start')
        else:
            raise RuntimeError('firefox ended before it listened')
        # Firefox's own chatter goes on; read it away so that it never blocks.
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        self.socket = websocket.create_connection(found.group(1) + '/session',
                                                  suppress_origin=True, timeout=120)
        self.next_id = 0
        self.events = []
        self.send('session.new', {'capabilities': {}})
        self.send('session.subscribe', {'events': ['log.entryAdded']})

    def send(self, method, params=None):
        self.next_id += 1
        self.socket.send(json.dumps({'id': self.next_id, 'method': method, 'params': params or {}}))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get('id') == self.next_id:
                if answer.get('type') == 'error':
                    raise RuntimeError(f"{method}: {answer.get('error')}: {answer.get('message')}")
                return answer.get('result', {})
            self.events.append(answer)

    def page(self, width=900, height=700):
        context = self.send('browsingContext.create', {'type': 'tab'})['context']
        return BidiPage(self, context, width, height)

    def cpu_seconds(self):
        return cpu_seconds(self.process.pid)

    def close(self):
        try:
            self.send('session.end')
            self.socket.close()
        finally:
            self.process.terminate()
            self.process.wait(timeout=30)
            self.process.stderr.close()
            shutil.rmtree(self.profile, ignore_errors=True)


class BidiPage(Page):
    def __init__(self, browser, context, width, height):
        self.browser = browser
        self.context = context
        self.send('browsingContext.setViewport',
                  {'viewport': {'width': width, 'height': height}})

    def send(self, method, params=None):
        return self.browser.send(method, {'context': self.context, **(params or {})})

    def navigate(self, url):
        self.send('browsingContext.navigate', {'url': url, 'wait': 'complete'})

    def evaluate(self, expression):
        # Passed as JSON text: BiDi's own serialisation of values is typed and nested.
        answer = self.browser.send('script.evaluate', {
            'expression': f'(async () => JSON.stringify(await ({expression})))()',
            'target': {'context': self.context}, 'awaitPromise': True})
        if answer.get('type') != 'success':
            raise RuntimeError(f"{expression}: {answer.get('exceptionDetails', answer)}")
        text = answer['result'].get('value')
        return None if text is None else json.loads(text)

    def pointer(self, steps):
        self.send('input.performActions', {'actions': [{
            'type': 'pointer', 'id': 'mouse', 'parameters': {'pointerType': 'mouse'},
            'actions': steps}]})

    def wheel(self, x, y, delta_y):
        self.send('input.performActions', {'actions': [{
            'type': 'wheel', 'id': 'wheel', 'actions': [
                {'type': 'scroll', 'x': round(x), 'y': round(y), 'deltaX': 0, 'deltaY': delta_y}]}]})

    def key(self, key, shift=False, **_):
        self.send('input.performActions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': with_shift([{'type': 'keyDown', 'value': KEYS.get(key, key)},
                                   {'type': 'keyUp', 'value': KEYS.get(key, key)}], shift)}]})

    def key_down(self, key):
        self.send('input.performActions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyDown', 'value': KEYS.get(key, key)}]}]})

    def key_up(self, key):
        self.send('input.performActions', {'actions': [{
            'type': 'key', 'id': 'keyboard',
            'actions': [{'type': 'keyUp', 'value': KEYS.get(key, key)}]}]})

    def screenshot(self, path):
        data = self.send('browsingContext.captureScreenshot')['data']
        pathlib.Path(path).write_bytes(base64.b64decode(data))

    def errors(self):
        return [e['params'].get('text') for e in self.browser.events
                if e.get('method') == 'log.entryAdded' and e['params'].get('level') == 'error'
                and e['params'].get('source', {}).get('context') == self.context]

    def close(self):
        self.send('browsingContext.close')


# WebDriver's codes for the keys the tests press.
KEYS = {'Enter': '\ue007', 'Tab': '\ue004', 'ArrowRight': '\ue014', 'ArrowLeft': '\ue012',
        'End': '\ue010', 'Home': '\ue011', 'PageDown': '\ue00f', 'PageUp': '\ue00e',
        'Escape': '\ue00c', 'Backspace': '\ue003', 'Delete': '\ue017', 'Shift': '\ue008'}


def with_shift(actions, shift):
    """The key actions, inside a press of Shift where asked."""
    if not shift:
        return actions
    return ([{'type': 'keyDown', 'value': KEYS['Shift']}] + actions
            + [{'type': 'keyUp', 'value': KEYS['Shift']}])
