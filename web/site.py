#!/usr/bin/env python3
"""Writes the app's folder, which a school uploads to its web host as it is: the page as
index.html, its manifests (one for each language, filled in by packagewords), its icons, and
the service worker that keeps them all for use offline. The worker carries the version and a
digest of every file it keeps, so that any change to them is a new version for the browsers
that keep the old one."""
import argparse
import hashlib
import json
import pathlib
import re
import shutil
import sys


def main():
    args = argparse.ArgumentParser()
    args.add_argument('--page', type=pathlib.Path, required=True, help='halmira.html')
    args.add_argument('--worker', type=pathlib.Path, required=True, help='the worker template')
    args.add_argument('--file', type=pathlib.Path, action='append', default=[],
                      help='a manifest or an icon, copied under its own name')
    args.add_argument('--version', required=True)
    args.add_argument('--out', type=pathlib.Path, required=True)
    a = args.parse_args()

    if a.out.exists():
        shutil.rmtree(a.out)
    a.out.mkdir(parents=True)
    shutil.copyfile(a.page, a.out / 'index.html')
    for path in a.file:
        shutil.copyfile(path, a.out / path.name)
    names = sorted(p.name for p in a.out.iterdir())
    digest = hashlib.sha256()
    for name in names:
        digest.update(name.encode() + b'\0' + (a.out / name).read_bytes())
    worker = a.worker.read_text()
    parts = {'VERSION': f'{a.version}+{digest.hexdigest()[:12]}',
             'FILES': json.dumps(names)}
    for key, value in parts.items():
        worker = worker.replace(f'/*{key}*/', value)
    if left := re.search(r'/\*[A-Z]+\*/', worker):
        sys.exit(f'site.py: {left.group(0)} is not filled')
    (a.out / 'sw.js').write_text(worker)


if __name__ == '__main__':
    main()
