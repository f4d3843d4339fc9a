#!/usr/bin/env python3
"""Figures for the Windows program under Debian's wine64, beside their goals.

    xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/python3 bench/bench_wine.py build/windows [rounds]

Runs bench_win.exe (the program's own window, a Start at the first pace) under Wine on the X
display with a window manager, rounds times, and prints the median of each figure: a run's wall
time against its required waits and the drawing floor, the worst delay from a figure drawn to
its window painted, and CPU over wall; then the size of halmira.exe."""
import pathlib
import re
import statistics
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / 'tools' / 'wine'))
from winesession import WineSession  # noqa: E402

FIGURES = {
    'wall': r'run, wall\s+([\d.]+) s',
    'floor': r'floor, no waits\s+([\d.]+) s',
    'worst': r'worst delay\s+([\d.]+) ms',
    'cpu': r'CPU time\s+([\d.]+) s',
    'presents': r'\(([\d]+) presents\)',
}


def main():
    build = pathlib.Path(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    wine = WineSession(build / 'wine')
    runs = []
    try:
        for _ in range(rounds):
            out = wine.run(build / 'bench_win.exe', timeout=120).stdout
            runs.append({k: float(re.search(p, out).group(1)) for k, p in FIGURES.items()})
    finally:
        wine.close()
    required = 3414 * 5000 * 100e-9
    median = {k: statistics.median(r[k] for r in runs) for k in FIGURES}
    cpu_share = statistics.median(r['cpu'] / r['wall'] for r in runs)
    size = (build / 'halmira.exe').stat().st_size
    print(f'median of {rounds} runs under wine64; a run needs {required:.3f} s of waits')
    print(f'run, wall            {median["wall"]:.3f} s (each run: '
          + ', '.join(f'{r["wall"]:.3f}' for r in runs) + ')')
    print(f'floor, no waits      {median["floor"]:.3f} s')
    print(f'worst delay          {median["worst"]:.1f} ms (figure drawn to window painted; '
          + 'worst of all runs ' + f'{max(r["worst"] for r in runs):.1f} ms)')
    print(f'presents             {median["presents"]:.0f}')
    print(f'CPU                  {100 * cpu_share:.0f} % of wall')
    print(f'halmira.exe          {size / 1024:.0f} kB')
    goal = 1.10 * (required + median['floor'])

    def verdict(ok):
        return 'met' if ok else 'MISSED'
    print('\ngoals')
    print(f'  wall <= 1.10 x (waits + floor): {median["wall"]:.3f} <= {goal:.3f}  '
          f'{verdict(median["wall"] <= goal)}')
    print(f'  worst delay <= 17 ms:          {verdict(median["worst"] <= 17)}')
    print(f'  CPU <= 40 % of wall:           {verdict(cpu_share <= 0.40)}')
    print(f'  halmira.exe <= 1 MB:           {verdict(size <= 1024 * 1024)}')


if __name__ == '__main__':
    main()
