#!/usr/bin/env python3
"""The program's own includes form no cycle, and the engine (core/) includes nothing of the
front ends, tools or tests above it."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
INCLUDE = re.compile(r'^#include "([^"]+)"', re.M)
folders = ('core', 'app', 'web', 'win', 'tools', 'bench', 'tests')
files = [p for folder in folders for p in (root / folder).rglob('*')
         if p.suffix in ('.h', '.cpp') and p.is_file()]
graph = {}
for path in files:
    name = path.relative_to(root).as_posix()
    graph[name] = [i for i in INCLUDE.findall(path.read_text(errors='replace'))
                   if (root / i).is_file()]

faults = [f'{name} includes {i}' for name, includes in graph.items() if name.startswith('core/')
          for i in includes if not i.startswith('core/')]

# A depth-first walk that reports each cycle it closes.
state = {}


def visit(name, path):
    state[name] = 'open'
    for i in graph.get(name, []):
        if state.get(i) == 'open':
            faults.append('cycle: ' + ' -> '.join(path[path.index(i):] + [i]))
        elif i not in state:
            visit(i, path + [i])
    state[name] = 'done'


for name in graph:
    if name not in state:
        visit(name, [name])

# A header and its source count as one: a header that includes what includes the source's
# own header closes a loop between the two pairs.
pairs = {}
for name, includes in graph.items():
    unit = name.rsplit('.', 1)[0]
    pairs.setdefault(unit, set()).update(i.rsplit('.', 1)[0] for i in includes)
for unit, uses in pairs.items():
    for other in uses:
        if unit < other and unit in pairs.get(other, ()):
            faults.append(f'loop: {unit} and {other} include each other')

print('\n'.join(sorted(set(faults))) or f'includes: {len(graph)} files, no cycle, core/ stands alone')
sys.exit(1 if faults else 0)
