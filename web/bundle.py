#!/usr/bin/env python3
"""Writes the browser edition as one HTML file: the page's modules joined into one inline
module, the engine gzipped in base64 and the pictures as data addresses. Fails when a module imports a
name that the module it names does not export, or when an import or export is left over."""
import argparse
import base64
import gzip
import json
import pathlib
import re
import sys

IMPORT = re.compile(r"^import \{([^}]*)\} from '(\.\.?/[a-z/]+\.js)';\n", re.M)
EXPORT = re.compile(r"^export (?:const|function|class|async function) ([A-Za-z_$][\w$]*)", re.M)
EXPORT_KEYWORD = re.compile(r"^export (?=(const|function|class|async function) )", re.M)
LEFT_OVER = re.compile(r"^\s*(import|export)\b.*$", re.M)


def fail(message):
    sys.exit(f'bundle.py: {message}')


def join_modules(entry):
    """A module and all it imports, as one script: each module is placed after the ones it
    imports, so imports and exports can simply be dropped."""
    order = []

    def visit(path):
        if path in order:
            return
        source = path.read_text()
        for names, name in IMPORT.findall(source):
            imported = (path.parent / name).resolve()
            if not imported.exists():
                fail(f'{path.name} imports {name}, which does not exist')
            exported = set(EXPORT.findall(imported.read_text()))
            for wanted in (n.strip() for n in names.split(',') if n.strip()):
                if wanted not in exported:
                    fail(f'{path.name} imports {wanted} from {name}, which does not export it')
            visit(imported)
        order.append(path)

    visit(entry.resolve())
    script = '\n'.join(EXPORT_KEYWORD.sub('', IMPORT.sub('', p.read_text())) for p in order)
    if left := LEFT_OVER.search(script):
        fail(f'an import or export the bundle cannot resolve: {left.group(0).strip()}')
    return compact(script)


def compact(script):
    """Without indentation and whole-line comments: the file is downloaded, not read."""
    lines = (line.strip() for line in script.splitlines())
    return '\n'.join(line for line in lines if line and not line.startswith('//'))


def main():
    args = argparse.ArgumentParser()
    args.add_argument('--page', type=pathlib.Path, required=True)
    args.add_argument('--engine', type=pathlib.Path, required=True)
    args.add_argument('--picture', action='append', default=[])
    args.add_argument('--out', type=pathlib.Path, required=True)
    args.add_argument('--version', required=True)
    a = args.parse_args()

    # By file name, as the engine's layout names the pictures.
    pictures = {}
    for item in a.picture:
        path = pathlib.Path(item)
        data = base64.b64encode(path.read_bytes()).decode()
        pictures[path.name] = 'data:image/gif;base64,' + data

    html = (a.page / 'halmira.html').read_text()
    parts = {
        'VERSION': a.version,
        'STYLE': compact(re.sub(r'/\*.*?\*/', '', (a.page / 'halmira.css').read_text(), flags=re.S)),
        'SCRIPT': join_modules(a.page / 'main.js'),
        # The page unpacks it with the browser's own DecompressionStream.
        'ENGINE': base64.b64encode(gzip.compress(a.engine.read_bytes(), 9, mtime=0)).decode(),
        'PICTURES': json.dumps(pictures),
    }
    for key, value in parts.items():
        # Nothing inlined may close its own element early.
        if '</script' in value or '</style' in value:
            fail(f'the {key} would close its own element')
        html = html.replace('/*' + key + '*/', value)
    if left := re.search(r'/\*[A-Z]+\*/', html):
        fail(f'{left.group(0)} is not filled')
    a.out.write_text(html)


if __name__ == '__main__':
    main()
