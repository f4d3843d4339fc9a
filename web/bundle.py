#!/usr/bin/env python3
"""Writes the browser edition as one HTML file: the page's modules joined into one inline
module, the worker's script, the engine in base64 and the pictures as data addresses."""
import argparse
import base64
import json
import pathlib
import re

IMPORT = re.compile(r"^import .*? from '(\.\.?/[a-z/]+\.js)';\n", re.M)
EXPORT = re.compile(r"^export (?=(const|function|class|async function) )", re.M)


def join_modules(entry):
    """A module and all it imports, as one script: each module is placed after the ones it
    imports, so imports and exports can simply be dropped."""
    order = []

    def visit(path):
        if path in order:
            return
        for name in IMPORT.findall(path.read_text()):
            visit((path.parent / name).resolve())
        order.append(path)

    visit(entry.resolve())
    return compact('\n'.join(EXPORT.sub('', IMPORT.sub('', p.read_text())) for p in order))


def compact(script):
    """Without indentation and whole-line comments: the file is downloaded, not read."""
    lines = (line.strip() for line in script.splitlines())
    return '\n'.join(line for line in lines if line and not line.startswith('//'))


def main():
    args = argparse.ArgumentParser()
    args.add_argument('--page', type=pathlib.Path, required=True)
    args.add_argument('--worker', type=pathlib.Path, required=True)
    args.add_argument('--engine', type=pathlib.Path, required=True)
    args.add_argument('--picture', action='append', default=[])
    args.add_argument('--out', type=pathlib.Path, required=True)
    a = args.parse_args()

    pictures = {}
    for item in a.picture:
        name, path = item.split('=', 1)
        data = base64.b64encode(pathlib.Path(path).read_bytes()).decode()
        pictures[name] = 'data:image/gif;base64,' + data

    html = (a.page / 'halmira.html').read_text()
    parts = {
        'STYLE': compact(re.sub(r'/\*.*?\*/', '', (a.page / 'halmira.css').read_text(), flags=re.S)),
        'SCRIPT': join_modules(a.page / 'main.js'),
        'WORKER': join_modules(a.worker / 'host.js'),
        'ENGINE': base64.b64encode(a.engine.read_bytes()).decode(),
        'PICTURES': json.dumps(pictures),
    }
    for key, value in parts.items():
        # Nothing inlined may close its own element early.
        assert '</script' not in value and '</style' not in value, key
        html = html.replace('/*' + key + '*/', value)
    a.out.write_text(html)


if __name__ == '__main__':
    main()
