"""What every browser driver's page offers the tests, whichever protocol carries it: the
waits, the places of elements and real clicks at them, and the canvas's pixels."""
import base64
import json
import os
import pathlib
import subprocess
import time


def cpu_seconds(pid):
    """The CPU time used so far by a process and all its descendants."""
    pids, total = [pid], 0
    while pids:
        pid = pids.pop()
        children = subprocess.run(['pgrep', '-P', str(pid)], capture_output=True, text=True)
        pids += [int(p) for p in children.stdout.split()]
        try:
            fields = pathlib.Path(f'/proc/{pid}/stat').read_text().rsplit(')', 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / os.sysconf('SC_CLK_TCK')


class Page:
    """A driver implements navigate, evaluate, pointer (a list of WebDriver pointer actions),
    key, screenshot, errors and close."""

    def wait_for(self, expression, timeout=60):
        deadline = time.monotonic() + timeout
        while not self.evaluate(expression):
            if time.monotonic() > deadline:
                raise TimeoutError(expression)
            time.sleep(0.02)

    def centre(self, element_id):
        box = self.evaluate(f'(() => {{ const r = document.getElementById({json.dumps(element_id)})'
                            '.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()')
        return box[0] + box[2] / 2, box[1] + box[3] / 2

    def click(self, element_id, at=None):
        x, y = at or self.centre(element_id)
        self.pointer([{'type': 'pointerMove', 'x': round(x), 'y': round(y)},
                      {'type': 'pointerDown', 'button': 0}, {'type': 'pointerUp', 'button': 0}])

    def canvas_pixels(self):
        """The canvas's pixels as rows of RGBA bytes, with its width and height."""
        answer = self.evaluate('''(() => {
            const c = document.querySelector('#halmira canvas');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let s = '';
            for (let i = 0; i < d.length; i += 0x8000)
                s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
            return [c.width, c.height, btoa(s)];
        })()''')
        return answer[0], answer[1], base64.b64decode(answer[2])
