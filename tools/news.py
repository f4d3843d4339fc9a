#!/usr/bin/env python3
"""Reads NEWS.md, where each version's heading is "## VERSION (YYYY-MM-DD)" followed by its
changes as "- " items, newest first, and writes what the packages say of the versions:

    news.py releases NEWS.md VERSION          the AppStream metainfo's <release> elements
    news.py changelog NEWS.md VERSION OUT.gz  the Debian package's changelog, gzipped

Fails unless the newest version is VERSION, the project's own."""
import datetime
import email.utils
import gzip
import pathlib
import re
import sys

HEADING = re.compile(r'^## (\d+\.\d+\.\d+) \((\d{4}-\d{2}-\d{2})\)$')
MAINTAINER = 'Halmira <halmira@halmira.example>'


def versions(path):
    """Each version with its date and its items, newest first."""
    found = []
    for line in pathlib.Path(path).read_text(encoding='utf-8').splitlines():
        if match := HEADING.match(line):
            found.append((match[1], match[2], []))
        elif found and line.startswith('- '):
            found[-1][2].append(line[2:])
        elif found and line.startswith('  ') and found[-1][2]:
            found[-1][2][-1] += ' ' + line.strip()
    return found


def changelog(found):
    """Debian's changelog format: a native package's entry per version."""
    entries = []
    for version, date, items in found:
        when = datetime.datetime.fromisoformat(date).replace(tzinfo=datetime.timezone.utc)
        lines = [f'halmira ({version}) unstable; urgency=medium', '']
        for item in items:
            words, line = item.replace('`', '').split(), '  *'
            for word in words:  # wrapped at 80 columns, as dch does
                if len(line) + 1 + len(word) > 80:
                    lines.append(line)
                    line = '   '
                line += ' ' + word
            lines.append(line)
        lines += ['', f' -- {MAINTAINER}  {email.utils.format_datetime(when)}', '']
        entries.append('\n'.join(lines))
    return '\n'.join(entries)


def main():
    what, news, version, *out = sys.argv[1:]
    found = versions(news)
    if not found or found[0][0] != version:
        sys.exit(f'news.py: the newest version in {news} is '
                 f'{found[0][0] if found else "none"}, not the project\'s {version}')
    if what == 'releases':
        print(''.join(f'<release version="{v}" date="{d}"/>' for v, d, _ in found))
    elif what == 'changelog':
        # No name and no time in the gzip header, so that the bytes depend on the text alone.
        with open(out[0], 'wb') as raw, gzip.GzipFile(filename='', mode='wb', compresslevel=9,
                                                      mtime=0, fileobj=raw) as packed:
            packed.write(changelog(found).encode())
    else:
        sys.exit(f'news.py: no such output: {what}')


if __name__ == '__main__':
    main()
