"""The browser edition served by web/serve.py on a free port of the loopback, or on a given one:
the same origin again, after the host was gone."""
import pathlib
import subprocess
import sys

SERVE = pathlib.Path(__file__).resolve().parents[2] / 'web' / 'serve.py'


class Served:
    def __init__(self, folder, *flags, port=0):
        self.process = subprocess.Popen([sys.executable, SERVE, folder, '--port', str(port), *flags],
                                         stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()  # the root address, once listening
        self.port = int(self.url.rsplit(':', 1)[1].strip('/'))

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()
