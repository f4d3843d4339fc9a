"""Windows programs under Debian's wine64, on the X display the test runs on, with a window
manager: without one, every window Wine destroys stalls for two seconds. The prefix is kept
with the build, as a new one takes seconds to make. Wine's exit status alone proves nothing:
an i686 program under wine64 alone exits 0 having run nothing, so the tests look at what the
program did."""
import os
import pathlib
import shutil
import subprocess
import time

WINE = shutil.which('wine64') or '/usr/lib/wine/wine64'


class WineSession:
    def __init__(self, prefix):
        self.prefix = pathlib.Path(prefix).resolve()
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEDEBUG='-all',
                        WINEDLLOVERRIDES='mscoree,mshtml=', LC_ALL='C.UTF-8')
        self.manager = subprocess.Popen(['openbox', '--sm-disable'], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        # The prefix made, and its server started, before anything is timed.
        subprocess.run([WINE, 'wineboot', '--init'], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        self.server = subprocess.Popen(['/usr/lib/wine/wineserver', '--persistent=60'],
                                       env=self.env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        time.sleep(0.5)

    def start(self, exe, *args):
        return subprocess.Popen([WINE, str(exe), *args], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def run(self, exe, *args, timeout=120):
        return subprocess.run([WINE, str(exe), *args], env=self.env, capture_output=True,
                              text=True, timeout=timeout)

    def set_dpi(self, dpi):
        """The DPI Windows reports to programs started from now on."""
        self.run('reg', 'add', r'HKCU\Control Panel\Desktop', '/v', 'LogPixels', '/t',
                 'REG_DWORD', '/d', str(dpi), '/f')

    def drive_c(self):
        return self.prefix / 'drive_c'

    def close(self):
        subprocess.run(['/usr/lib/wine/wineserver', '-k'], env=self.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.server.wait(timeout=30)
        self.manager.terminate()
        self.manager.wait(timeout=10)
