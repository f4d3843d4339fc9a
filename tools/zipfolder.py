#!/usr/bin/env python3
"""Packs a folder into a zip under a folder name of its own, the same bytes for the same files:
names in order, every file dated SOURCE_DATE_EPOCH (or 1980, zip's first day) and readable by all.

    zipfolder.py FOLDER NAME OUTPUT.zip"""
import os
import pathlib
import sys
import time
import zipfile


def main():
    folder, name, output = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
    epoch = max(int(os.environ.get('SOURCE_DATE_EPOCH', 0)), 315532800)
    stamp = time.gmtime(epoch)[:6]
    with zipfile.ZipFile(output, 'w', zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for path in sorted(p for p in folder.rglob('*') if p.is_file()):
            entry = zipfile.ZipInfo(f'{name}/{path.relative_to(folder).as_posix()}', stamp)
            entry.external_attr = 0o100644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, path.read_bytes(), compresslevel=9)


if __name__ == '__main__':
    main()
