"""The real window as a screen reader finds it, on Xvfb with a private D-Bus session and the
AT-SPI bus: the names, the controls under the pointer, keys and questions answered during a run,
every run's start and end told, and what a run paints over no longer read. Run it inside
xvfb-run and dbus-run-session, with HALMIRA_BINARY naming the program."""
import configparser
import os
import shlex
import subprocess
import time
import unittest

HALMIRA = os.environ['HALMIRA_BINARY']
SCENE = 'Dráhy světla u černé díry'
STARTED = 'Animace běží'
FINISHED = 'Animace skončila.'
PICTURE_COPIED = 'Obrázek je ve schránce.'
PROMPT = 0.3  # seconds within which a screen reader must hear a key or an answer
DESKTOP_ENTRY = os.environ.get('HALMIRA_DESKTOP_ENTRY')
# What the Konec button is called in each language the desktop entry offers.
KONEC = {'de': 'Ende', 'en': 'Quit', 'hu': 'Vége', 'pl': 'Koniec', 'sk': 'Koniec', 'uk': 'Вихід',
         'vi': 'Thoát'}


class ScreenReader(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.processes = []
        cls.spawn(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])
        cls.wait_for_bus()
        global pyatspi, GLib
        import pyatspi  # noqa: E402: the bus it talks to is up only now
        from gi.repository import GLib  # noqa: E402
        # Now and then, built with the sanitizers, the program joins the bus too early to be
        # found, and never is: it is started once more.
        for attempt in range(2):
            cls.app = cls.spawn([HALMIRA], env=dict(
                os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_QPA_PLATFORM='xcb'))
            try:
                cls.window = cls.find_window()
                break
            except RuntimeError:
                if attempt:
                    raise
                cls.app.terminate()
                cls.app.wait(timeout=10)
                cls.processes.remove(cls.app)
        cls.controls = {(c.getRoleName(), c.name): c for c in cls.window}
        # Keys go where the pointer is, with no window manager: over the window.
        subprocess.run(['xdotool', 'mousemove', '300', '300'], check=True)

    @classmethod
    def tearDownClass(cls):
        for process in reversed(cls.processes):
            process.terminate()
            process.wait(timeout=10)

    @classmethod
    def spawn(cls, command, **options):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **options)
        cls.processes.append(process)
        return process

    # The program joins the accessibility bus as it starts, and only then: it must be up first.
    # A fixed half second was once too short under the sanitizers.
    @staticmethod
    def wait_for_bus():
        ask = ['dbus-send', '--session', '--print-reply', '--dest=org.a11y.Bus', '/org/a11y/bus',
               'org.a11y.Bus.GetAddress']
        deadline = time.monotonic() + 20
        while subprocess.run(ask, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode:
            if time.monotonic() > deadline:
                raise RuntimeError('the accessibility bus never came up')
            time.sleep(0.1)

    @classmethod
    def find_window(cls, pid=None):
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            for app in pyatspi.Registry.getDesktop(0):
                if (app and app.name == 'halmira' and app.childCount
                        and (pid is None or app.get_process_id() == pid)):
                    return app[0]
            time.sleep(0.2)
        raise RuntimeError('halmira never appeared on the accessibility bus')

    def control(self, role, name):
        return self.controls[role, name]

    def centre(self, accessible):
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x + box.width // 2, box.y + box.height // 2

    def showing(self, accessible):
        return accessible.getState().contains(pyatspi.STATE_SHOWING)

    def test_a_screen_reader_follows_the_window(self):
        # The names, and the controls found at their centres rather than the canvas above.
        names = [('push button', 'Start'), ('push button', 'Konec'),
                 ('scroll bar', 'Zpomalení animace'), ('image', SCENE)]
        for role, name in names:
            self.assertIn((role, name), self.controls)
        component = self.window.queryComponent()
        for role, name in names[:3]:
            found = component.getAccessibleAtPoint(*self.centre(self.control(role, name)),
                                                   pyatspi.DESKTOP_COORDS)
            self.assertEqual((found.getRoleName(), found.name), (role, name))

        heard = self.two_runs_with_a_key_and_a_question()
        # A key pressed during a run reached the screen reader at once.
        self.assertIsNotNone(heard['key'], 'the key never reached the screen reader')
        self.assertLess(heard['key'], PROMPT)
        self.assertLess(heard['question'], PROMPT)
        # Each run told when it started and when it had finished.
        told = [name for name in heard['notifications']]
        self.assertEqual([t.split('.')[0] for t in told],
                         [STARTED, FINISHED[:-1], STARTED, FINISHED[:-1]], told)
        # What a run paints over is no longer read, and the drawing says what it shows.
        self.assertFalse(self.showing(self.control('image', 'Světlo unikající z okraje černé díry')))
        self.assertFalse(self.showing(self.control('label', 'Klikněte na Start')))
        canvas = self.control('image', SCENE)
        self.assertTrue(self.showing(canvas))
        self.assertIn(canvas.description, told[-1])
        # And it stays there to be read again, in the drawing's name.
        self.assertIn(canvas.description, canvas.name)

    # A Start given during a run waits for it; the end of the first run and the start of the
    # second, one right after the other, are each told.
    def test_queued_runs_are_each_told(self):
        start = self.control('push button', 'Start')
        told = self.notifications_during([(0, lambda: start.queryAction().doAction(0)),
                                          (300, lambda: start.queryAction().doAction(0)),
                                          (4500, pyatspi.Registry.stop)])
        self.assertEqual([t.split('.')[0] for t in told],
                         [STARTED, FINISHED[:-1], STARTED, FINISHED[:-1]], told)

    # After a run, Ctrl+C copies the picture, and a screen reader is told so.
    def test_a_copied_picture_is_told(self):
        start = self.control('push button', 'Start')
        told = self.notifications_during([
            (0, lambda: start.queryAction().doAction(0)),
            (4000, lambda: subprocess.run(['xdotool', 'key', 'ctrl+c'], check=True)),
            (1500, pyatspi.Registry.stop)])
        self.assertIn(PICTURE_COPIED, told)

    # The steps, each a delay and an action, run on the screen reader's own loop, and the
    # notifications that showed meanwhile, by the names they showed with.
    def notifications_during(self, steps):
        told = []

        def on_showing(event):
            if (event.type.startswith('object:state-changed:showing') and event.detail1
                    and event.source.getRoleName() == 'notification'):
                told.append(event.source.name)
        # Names too, so the client's copy of an announcement's name is the one it shows.
        events = ('object:state-changed:showing', 'object:property-change:accessible-name')
        pyatspi.Registry.registerEventListener(on_showing, *events)

        def run(index=0):
            delay, action = steps[index]

            def go():
                action()
                if index + 1 < len(steps):
                    run(index + 1)
                return False
            GLib.timeout_add(delay, go)
        run()
        pyatspi.Registry.start()
        pyatspi.Registry.deregisterEventListener(on_showing, *events)
        return told

    # A right-click on the launcher offers each language as an action; each starts the window
    # in its language, and tells a screen reader that language.
    @unittest.skipUnless(DESKTOP_ENTRY, 'no desktop entry given')
    def test_each_desktop_action_starts_its_language(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(DESKTOP_ENTRY, encoding='utf-8')
        actions = entry['Desktop Entry']['Actions'].strip(';').split(';')
        self.assertEqual(sorted(actions), sorted(KONEC))
        for action in actions:
            with self.subTest(action):
                command = shlex.split(entry[f'Desktop Action {action}']['Exec'])
                self.assertEqual(command[0], 'halmira')
                program = self.spawn([HALMIRA, *command[1:]],
                                     env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                                              QT_QPA_PLATFORM='xcb'))
                window = self.find_window(program.pid)
                names = [c.name for c in window if c.getRoleName() == 'push button']
                self.assertIn(KONEC[action], names)
                self.assertTrue(self.locale_of(program.pid).startswith(action))
                program.terminate()
                program.wait(timeout=10)

    # The language an application tells a screen reader, through AT-SPI's Application interface,
    # which the client library leaves out.
    def locale_of(self, pid):
        from gi.repository import Gio
        session = Gio.bus_get_sync(Gio.BusType.SESSION)
        address = session.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress',
                                    None, GLib.VariantType('(s)'), 0, -1).unpack()[0]
        bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)

        def ask(method, argument=None):
            return bus.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus',
                                 'org.freedesktop.DBus', method, argument, None, 0,
                                 -1).unpack()[0]
        for name in ask('ListNames'):
            if name.startswith(':') and ask('GetConnectionUnixProcessID',
                                            GLib.Variant('(s)', (name,))) == pid:
                return bus.call_sync(name, '/org/a11y/atspi/accessible/root',
                                     'org.a11y.atspi.Application', 'GetLocale',
                                     GLib.Variant('(u)', (0,)), None, 0, -1).unpack()[0]
        return ''

    def two_runs_with_a_key_and_a_question(self):
        heard = {'key': None, 'question': None}
        start = self.control('push button', 'Start')
        konec = self.control('push button', 'Konec')
        pressed = []

        def on_key(event):
            if event.event_string == 'a' and pressed and heard['key'] is None:
                heard['key'] = time.monotonic() - pressed[0]
            return False

        def press_a_key():
            pressed.append(time.monotonic())
            subprocess.Popen(['xdotool', 'key', 'a'])

        def ask():
            began = time.monotonic()
            self.assertEqual(konec.name, 'Konec')
            heard['question'] = time.monotonic() - began

        pyatspi.Registry.registerKeystrokeListener(on_key, kind=(pyatspi.KEY_PRESSED_EVENT,),
                                                   mask=pyatspi.allModifiers())
        heard['notifications'] = self.notifications_during([
            (0, lambda: start.queryAction().doAction(0)), (600, press_a_key), (400, ask),
            (2500, lambda: start.queryAction().doAction(0)), (2800, pyatspi.Registry.stop)])
        return heard


if __name__ == '__main__':
    unittest.main()
