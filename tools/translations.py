#!/usr/bin/env python3
"""Writes the word table's translated columns as C++, from the translators' PO files.

    translations.py OUTPUT.cpp [LANGUAGE.po ...]

A file's name gives its language (de.po: German). Each entry's context is the id of the words it
is for, its msgid the Czech words it translates and its msgstr the translation. An entry that is
fuzzy, untranslated or obsolete is left out: the program shows the Czech words there, and the
tests say which. Read with python3-polib."""
import json
import pathlib
import sys

import polib


def literal(text):
    """A C++ string literal, in UTF-8 as it stands."""
    return json.dumps(text, ensure_ascii=False)


def column(path):
    entries = []
    for entry in polib.pofile(str(path)):
        if entry.obsolete or entry.fuzzy or not entry.msgstr or not entry.msgctxt:
            continue
        entries.append(f'    {{{literal(entry.msgctxt)}, {literal(entry.msgid)}, '
                       f'{literal(entry.msgstr)}}},')
    return entries


def main():
    out, *files = sys.argv[1:]
    languages = sorted((pathlib.Path(f).stem, pathlib.Path(f)) for f in files)
    code = ['// Made by tools/translations.py from the PO files under po/; edit those instead.',
            '#include "core/window/translations.h"', '', '#include <iterator>', '',
            'namespace translations {',
            'namespace {', '']
    for index, (language, path) in enumerate(languages):
        # Ended by an empty entry, so that a file with nothing translated yet makes no empty
        # array.
        code += [f'constexpr Entry column{index}[] = {{ // {language}'] + column(path)
        code += ['    {nullptr, nullptr, nullptr},', '};', '']
    if languages:
        code += ['constexpr Column all[] = {']
        code += [f'    {{{literal(language)}, {{column{index}, std::size(column{index}) - 1}}}},'
                 for index, (language, _) in enumerate(languages)]
        code += ['};', '', '} // namespace', '', 'const std::span<const Column> columns(all);']
    else:
        code += ['} // namespace', '', 'const std::span<const Column> columns;']
    code += ['', '} // namespace translations', '']
    text = '\n'.join(code)
    target = pathlib.Path(out)
    # Written only when it changes, so that a build after a touch compiles nothing again.
    if not target.exists() or target.read_text() != text:
        target.write_text(text)


if __name__ == '__main__':
    main()
