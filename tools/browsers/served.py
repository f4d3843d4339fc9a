"""The browser edition served by web/serve.py on a free port of the loopback."""
import pathlib
import subprocess
import sys

SERVE = pathlib.Path(__file__).resolve().parents[2] / 'web' / 'serve.py'


class Served:
    def __init__(self, folder, *flags):
        self.process = subprocess.Popen([sys.executable, SERVE, folder, '--port', '0', *flags],
                                         stdout=subprocess.PIPE, text=True)
        self.url = self.process.stdout.readline().strip()  # the root address, once listening

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()
