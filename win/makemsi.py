#!/usr/bin/env python3
"""Builds an MSI with wixl, and pins what wixl writes differently each time, so that one
version's MSI has the same bytes on every build:
- the files' times in its cabinet: wixl takes them from the files, so it is given copies dated
  SOURCE_DATE_EPOCH (or 1980, the first time a cabinet can hold);
- the package code, which wixl draws at random: set to the one given, derived from the version;
- the creation and last-saved times: set to the same time.
msibuild (msitools) sets the code, with the template's language; the times it keeps, so they are
rewritten in place, and msiinfo then reads them back.

    makemsi.py SCRIPT.wxs FILE.msi PACKAGE_CODE LANGUAGE FILE...

The script names the files by their bare names: wixl takes no absolute path."""
import datetime
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

VT_FILETIME = 0x40
# A FILETIME counts 100 ns steps from 1601.
EPOCH_1601 = datetime.datetime(1601, 1, 1, tzinfo=datetime.timezone.utc)


def filetime(when):
    return int((when - EPOCH_1601).total_seconds()) * 10_000_000


def summary(path):
    lines = subprocess.run(['msiinfo', 'suminfo', path], capture_output=True, text=True,
                           check=True).stdout.splitlines()
    return dict(line.split(': ', 1) for line in lines if ': ' in line)


def build(script, path, files, when):
    with tempfile.TemporaryDirectory() as staging:
        for file in files + [script]:
            copy = shutil.copy(file, staging)
            os.utime(copy, (when.timestamp(), when.timestamp()))
        subprocess.run(['wixl', '-a', 'x64', '-o', os.path.abspath(path),
                        os.path.basename(script)], cwd=staging, check=True)


def main():
    script, path, code, language, *files = sys.argv[1:]
    epoch = os.environ.get('SOURCE_DATE_EPOCH')
    pinned = datetime.datetime.fromtimestamp(int(epoch) if epoch else 315532800,
                                             datetime.timezone.utc)
    build(script, path, files, pinned)
    found = summary(path)
    arch = found['Template'].split(';')[0]
    # msibuild -s sets the subject to its name, so the subject wixl wrote is given back.
    subprocess.run(['msibuild', path, '-s', found['Subject'], found['Author'],
                    f'{arch};{language}', code], check=True)

    data = bytearray(open(path, 'rb').read())
    # A typed FILETIME within a day of now is one of the two times wixl wrote.
    now = filetime(datetime.datetime.now(datetime.timezone.utc))
    day = 86400 * 10_000_000
    places = [m.start() for m in re.finditer(struct.pack('<I', VT_FILETIME), data)
              if abs(struct.unpack_from('<Q', data, m.start() + 4)[0] - now) < day]
    if len(places) != 2:
        sys.exit(f'pinmsi.py: {len(places)} times found in {path}, not 2')
    for place in places:
        struct.pack_into('<Q', data, place + 4, filetime(pinned))
    open(path, 'wb').write(data)
    written = summary(path)
    expected = pinned.strftime('%a %b %e %H:%M:%S %Y').replace('  ', ' ')
    if written.get('Revision number (UUID)') != code or \
            written.get('Created', '').replace('  ', ' ') != expected:
        sys.exit(f'pinmsi.py: the summary reads {written}')


if __name__ == '__main__':
    main()
