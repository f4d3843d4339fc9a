"""Input given during a run, in Chromium and Firefox: it is delivered after the run, in order,
as if it had been given then. Each row is a sequence of presses, moves, releases and keys, with
the scroll bar's value, the pace, the handlers run and the focus expected once all of it has
been delivered; nothing moves on its own afterwards."""
import os
import pathlib
import time
import unittest

from engines import ENGINES
from served import Served

WEB = pathlib.Path(os.environ['HALMIRA_WEB'])
MID_RUN = ('halmiraStats.runs.at(-1).handler === "Start" && '
           'halmiraStats.runs.at(-1).records > 500 && !halmiraStats.runs.at(-1).ended')
VALUE = 'Number(document.getElementById("HScroll1").getAttribute("aria-valuenow"))'

# Where a step points: a control's centre, a part of the scroll bar, or a place of the page.
PLACES = {
    'right arrow': '#HScroll1 .arrow[data-step="1"]',
    'thumb': '#HScroll1 .thumb',
    'outside': (860, 660),  # the page beside and below the window
    'far right': (880, None),  # level with the thumb, past the window's right edge
    'away': (20, 650),  # below the window, far from the scroll bar
}

# name, steps, expected: value, pace, handlers, focus (an id, 'body', or None to skip), and
# whatever else must hold afterwards, as expressions.
ROWS = [
    ('an arrow pressed during a run and released over the picture',
     [('click', 'comStart'), ('run',), ('press', 'right arrow'), ('move', 'Image1'),
      ('release', 'Image1')],
     1, '100100', ['Load', 'Start', 'Change'], 'HScroll1', {}),
    ('an arrow pressed during a run and released outside the window',
     [('click', 'comStart'), ('run',), ('press', 'right arrow'), ('move', 'outside'),
      ('release', 'outside')],
     1, '100100', ['Load', 'Start', 'Change'], 'HScroll1', {}),
    ('Start released outside the window, then Enter runs and an arrow is clicked',
     [('press', 'comStart'), ('move', 'outside'), ('release', 'outside'), ('key', 'Enter'),
      ('run',), ('click', 'right arrow')],
     1, '100100', ['Load', 'Start', 'Change'], 'HScroll1', {}),
    ('an arrow held as Shift+Tab and Enter start a run stops stepping during it',
     [('press', 'right arrow'), ('key', 'Tab', 'shift'), ('key', 'Tab', 'shift'), ('key', 'Enter'),
      ('run',), ('wait', 0.8),
      ('during', VALUE, 1), ('release', 'right arrow')],
     1, '100100', ['Load', 'Change', 'Start'], 'comStart', {}),
    ('a thumb held as a run starts follows the pointer only after it',
     [('press', 'thumb'), ('key', 'Tab', 'shift'), ('key', 'Tab', 'shift'), ('key', 'Enter'),
      ('run',), ('move', 'far right'),
      ('wait', 0.2), ('during', 'document.querySelector("#HScroll1 .thumb").style.left', '0px'),
      ('release', 'far right')],
     32767, '3376700', ['Load', 'Start', 'Change'], 'comStart', {}),
    ('Tab and Enter during a run go to Konec',
     [('click', 'comStart'), ('run',), ('key', 'Tab'), ('key', 'Enter')],
     0, '100000', ['Load', 'Start', 'Konec'], None, {'halmiraStats.ended': True}),
    ('keys typed into a caption during a run edit it, and its space starts nothing',
     [('click', 'comStart'), ('run',), ('click', 'nTovenika'), ('key', 'End'), ('key', ' '),
      ('key', 'X'), ('key', 'Backspace'), ('key', 'Home'), ('key', 'Delete'), ('key', 'h')],
     0, '100000', ['Load', 'Start'], 'nTovenika',
     {'document.getElementById("nTovenika").value': 'halmira '}),
    ('the wheel during a run scrolls the page only after it',
     [('click', 'comStart'), ('run',), ('wheel', 'Image1', 120), ('wait', 0.2),
      ('during', 'scrollY', 0)],
     0, '100000', ['Load', 'Start'], 'comStart', {'scrollY > 0': True}),
    ('Tab on the page background during a run waits for it',
     [('click', 'comStart'), ('run',), ('click', 'outside'), ('key', 'Tab'),
      ('during', 'document.activeElement === document.body', True)],
     0, '100000', ['Load', 'Start'], 'comStart', {}),
    ('the thumb clicked without moving keeps a low value',
     [('click', 'right arrow')] * 5 + [('click', 'thumb')],
     5, '100500', ['Load'] + ['Change'] * 5, 'HScroll1', {}),
    ('the thumb clicked without moving keeps a high value',
     [('click', 'right arrow'), ('key', 'End'), ('key', 'ArrowLeft'), ('key', 'ArrowLeft'),
      ('key', 'ArrowLeft'), ('click', 'thumb')],
     32764, '3376400', ['Load'] + ['Change'] * 5, 'HScroll1', {}),
    ('an arrow held steps no more once the pointer leaves it',
     [('press', 'right arrow'), ('move', 'away'), ('wait', 2.0), ('release', 'away')],
     1, '100100', ['Load', 'Change'], 'HScroll1', {}),
    ('the wheel over the scroll bar steps it',
     [('wheel', 'HScroll1', 120)],
     1, '100100', ['Load', 'Change'], None, {'scrollY': 0}),
    ('the wheel over the scroll bar during a run steps it after',
     [('click', 'comStart'), ('run',), ('wheel', 'HScroll1', 120), ('wait', 0.2),
      ('during', VALUE, 0)],
     1, '100100', ['Load', 'Start', 'Change'], None, {}),
    ('a click on the preview leaves the focus where it was',
     [('click', 'Image1'), ('key', 'Tab')],
     0, '100000', ['Load'], 'comKonec', {}),
    ('a click on the preview during a run leaves the focus where it was',
     [('click', 'comStart'), ('run',), ('click', 'Image1'), ('key', 'Tab')],
     0, '100000', ['Load', 'Start'], 'comKonec', {}),
    ('Enter closes the error box after a click behind it',
     [('pace', 'Spomal'), ('click', 'comStart'), ('error',), ('click', 'outside'),
      ('key', 'Enter')],
     0, None, ['Load', 'Start'], None, {'halmiraStats.ended': True}),
]


class HeldInput(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.server = Served(WEB)
        # At its own size: the rows point at places in pixels.
        cls.url = cls.server.url + '?scale=1'

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def test_input_given_during_a_run(self):
        for engine in ('chromium', 'firefox'):
            browser = ENGINES[engine]()
            try:
                for name, steps, value, pace, handlers, focus, more in ROWS:
                    with self.subTest(engine=engine, row=name):
                        # The wheel needs a page smaller than the window to scroll.
                        small = any(step[0] == 'wheel' for step in steps)
                        page = browser.page(*((700, 400) if small else (900, 700)))
                        page.navigate(self.url)
                        page.wait_for('window.halmiraStats && halmiraStats.ready !== null', 30)
                        for step in steps:
                            self.perform(page, step)
                        page.wait_for('halmiraStats.idle', 30)
                        time.sleep(0.8)  # a runaway repeat would step 16 times meanwhile
                        self.check(page, value, pace, handlers, focus, more)
                        page.close()
            finally:
                browser.close()

    def test_input_given_while_held_input_is_delivered(self):
        # The page delivers held input an item a task, faster than a user or this driver can
        # give more; the test build lets the test slow it to 40 ms an item, as a slow machine
        # would, so that what is given after the run lands between two deliveries.
        ended = 'halmiraStats.runs.at(-1).ended !== undefined'
        for engine in ('chromium', 'firefox'):
            browser = ENGINES[engine]()
            try:
                with self.subTest(engine=engine):
                    page = browser.page(900, 700)
                    page.navigate(self.url + '&replaypause=40')
                    page.wait_for('window.halmiraStats && halmiraStats.ready !== null', 30)
                    self.perform(page, ('click', 'comStart'))
                    self.perform(page, ('run',))
                    # The arrow at a steady rate across the end of the run.
                    during = 0
                    while not page.evaluate(ended):
                        self.perform(page, ('click', 'right arrow'))
                        during += 1
                        time.sleep(0.1)
                    self.assertTrue(page.evaluate('!halmiraStats.idle'), 'nothing was held')
                    for step in [('key', 'Home'), ('click', 'right arrow'),
                                 ('click', 'right arrow')]:
                        self.perform(page, step)
                    page.wait_for('halmiraStats.idle', 30)
                    self.check(page, 2, '100200',
                               ['Load', 'Start'] + ['Change'] * (during + 3), 'HScroll1', {})
                    page.close()
            finally:
                browser.close()

    def at(self, page, where):
        place = PLACES.get(where, f'#{where}')
        if isinstance(place, tuple):
            x, y = place
            return x, y if y is not None else self.at(page, 'thumb')[1]
        box = page.evaluate(f'(() => {{ const r = document.querySelector({place!r})'
                            '.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()')
        return box[0] + box[2] / 2, box[1] + box[3] / 2

    def perform(self, page, step):
        kind, *args = step
        if kind in ('click', 'press', 'move', 'release'):
            x, y = (round(v) for v in self.at(page, args[0]))
            move = {'type': 'pointerMove', 'x': x, 'y': y}
            page.pointer({'click': [move, {'type': 'pointerDown', 'button': 0},
                                    {'type': 'pointerUp', 'button': 0}],
                          'press': [move, {'type': 'pointerDown', 'button': 0}],
                          'move': [move],
                          'release': [move, {'type': 'pointerUp', 'button': 0}]}[kind])
        elif kind == 'key':
            page.key(args[0], shift='shift' in args)
        elif kind == 'wheel':
            page.wheel(*self.at(page, args[0]), args[1])
        elif kind == 'run':
            page.wait_for(MID_RUN, 10)
        elif kind == 'error':
            page.wait_for('document.getElementById("errorReport").open', 10)
        elif kind == 'pace':
            page.evaluate(f'document.getElementById("nSpomal").value = {args[0]!r}')
        elif kind == 'wait':
            time.sleep(args[0])
        elif kind == 'during':
            self.assertFalse(page.evaluate('halmiraStats.idle'), 'the run ended too soon')
            self.assertEqual(page.evaluate(args[0]), args[1], args[0])

    def check(self, page, value, pace, handlers, focus, more):
        self.assertEqual(page.evaluate('halmiraStats.runs.map(r => r.handler)'), handlers)
        for expression, expected in more.items():
            self.assertEqual(page.evaluate(expression), expected, expression)
        if page.evaluate('halmiraStats.ended'):
            return
        self.assertEqual(page.evaluate(VALUE), value)
        self.assertEqual(page.evaluate('document.getElementById("nSpomal").value'), pace)
        if focus:
            self.assertEqual(page.evaluate('document.activeElement.id || "body"'), focus)
        self.assertEqual(page.errors(), [])


if __name__ == '__main__':
    unittest.main()
